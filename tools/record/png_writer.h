// Writes one picture as a 24-bit RGB PNG with libpng.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace record {

// `pixels`: COLORREF values (0x00BBGGRR), top row first. False with `error`
// set when libpng or the file fails.
bool WritePng(std::FILE *file, const uint32_t *pixels, int width, int height, std::string &error);

} // namespace record
