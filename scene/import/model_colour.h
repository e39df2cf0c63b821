#pragma once
// Colour rules for model files: sRGB encoding of linear colours, material
// factors on texels, the alpha cut and the pure-white rule.
#include <cstdint>

#include "scene/import/image_decode.h"

namespace renderer {

// A linear-light colour, each channel 0..1 (glTF factors, vertex colours).
struct LinearColour {
  double red = 1;
  double green = 1;
  double blue = 1;
  double alpha = 1;  // used only by the alpha cut
};

// Channel 0..1 linear -> 0..255 sRGB-encoded, rounded; clamped to 0..1
// first (NaN counts as 0).
uint8_t EncodeSrgb(double linear);
// 0..255 sRGB-encoded -> 0..1 linear.
double DecodeSrgb(uint8_t encoded);

// The product of two linear colours, sRGB-encoded as 0x00RRGGBB.
uint32_t EncodeColour(const LinearColour& a, const LinearColour& b);

// OBJ's Kd as it stands: each channel x 255, rounded, clamped to 0..255.
uint32_t KdColour(double red, double green, double blue);

// Turns a decoded image into the texture a material draws: texels
// multiplied by `factor` in linear light unless it is white; when
// `cutOff` >= 0, texels whose alpha (alpha / 255, or 1 without an alpha
// channel, times the factor's alpha) is below it become pure white
// (see-through); every other pure-white texel becomes (255, 254, 255).
Texture MaterialTexture(const DecodedImage& image, const LinearColour& factor,
                        double cutOff);

}  // namespace renderer
