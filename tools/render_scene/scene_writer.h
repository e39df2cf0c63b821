#pragma once
// --write-scene: a set-up scene written back as a plain scene file, its
// textures as 24-bit BMP files beside it, so that drawing the written file
// gives the same frame bit for bit.
#include <string>

#include "tools/render_scene/scene_frame.h"

// Writes FILE.json and FILE-tex0.bmp, FILE-tex1.bmp, ... (opaqueWhite
// false, texels exactly as they are): the frame buffer, client, viewport
// and camera of `frame`, every mesh spelt out, every object's orientation
// and position after its transforms and animation steps, and the animated
// object. Returns false with `problem` set when a file cannot be written.
bool WriteSceneFile(const std::string& fileName, const SceneFrame& frame,
                    std::string* problem);
