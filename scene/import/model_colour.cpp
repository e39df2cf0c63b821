// sRGB transfer functions and the texel rules of model materials.
#include "scene/import/model_colour.h"

#include <cmath>

namespace renderer {

uint8_t EncodeSrgb(double linear) {
  if (!(linear > 0)) return 0;
  if (linear >= 1) return 255;
  const double encoded = linear <= 0.0031308
                             ? linear * 12.92
                             : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
  return uint8_t(std::lround(encoded * 255.0));
}

double DecodeSrgb(uint8_t encoded) {
  const double c = encoded / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint32_t EncodeColour(const LinearColour& a, const LinearColour& b) {
  return uint32_t(EncodeSrgb(a.red * b.red)) << 16 |
         uint32_t(EncodeSrgb(a.green * b.green)) << 8 |
         uint32_t(EncodeSrgb(a.blue * b.blue));
}

uint32_t KdColour(double red, double green, double blue) {
  auto channel = [](double c) -> uint32_t {
    if (!(c > 0)) return 0;
    if (c >= 1) return 255;
    return uint32_t(std::lround(c * 255.0));
  };
  return channel(red) << 16 | channel(green) << 8 | channel(blue);
}

namespace {

bool IsWhite(const LinearColour& c) {
  return c.red == 1 && c.green == 1 && c.blue == 1;
}

// The 256 encoded values of one channel times `factor`, re-encoded.
void FactorTable(double factor, uint8_t table[256]) {
  for (int i = 0; i < 256; ++i) {
    table[i] = EncodeSrgb(DecodeSrgb(uint8_t(i)) * factor);
  }
}

}  // namespace

Texture MaterialTexture(const DecodedImage& image, const LinearColour& factor,
                        double cutOff) {
  Texture texture = image.rgb;
  std::vector<uint8_t>& t = texture.texels;
  const size_t count = t.size() / 3;
  if (!IsWhite(factor)) {
    uint8_t red[256], green[256], blue[256];
    FactorTable(factor.red, red);
    FactorTable(factor.green, green);
    FactorTable(factor.blue, blue);
    for (size_t i = 0; i < count; ++i) {
      t[i * 3] = red[t[i * 3]];
      t[i * 3 + 1] = green[t[i * 3 + 1]];
      t[i * 3 + 2] = blue[t[i * 3 + 2]];
    }
  }
  const bool hasAlpha = image.alpha.size() == count;
  for (size_t i = 0; i < count; ++i) {
    uint8_t* texel = &t[i * 3];
    const double alpha = hasAlpha ? image.alpha[i] / 255.0 : 1.0;
    if (cutOff >= 0 && alpha * factor.alpha < cutOff) {
      texel[0] = texel[1] = texel[2] = 255;
    } else if (texel[0] == 255 && texel[1] == 255 && texel[2] == 255) {
      texel[1] = 254;
    }
  }
  return texture;
}

}  // namespace renderer
