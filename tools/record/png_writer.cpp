#include "tools/record/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <vector>

namespace record {
namespace {

void OnPngError(png_structp png, png_const_charp message) {
  auto *error = static_cast<std::string *>(png_get_error_ptr(png));
  *error = std::string("PNG: ") + message;
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void WriteToFile(png_structp png, png_bytep data, size_t length) {
  auto *file = static_cast<std::FILE *>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, file) != length)
    png_error(png, "cannot write the file");
}

void FlushFile(png_structp) {}

// Everything that libpng may jump out of; it holds no object with a destructor.
bool Encode(png_structp png, png_infop info, std::FILE *file, int width, int height,
            png_bytep *rows) {
  if (setjmp(png_jmpbuf(png)))
    return false;
  png_set_write_fn(png, file, WriteToFile, FlushFile);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // The pictures are mostly flat black: fast settings lose almost nothing.
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  return true;
}

} // namespace

bool WritePng(std::FILE *file, const uint32_t *pixels, int width, int height, std::string &error) {
  const size_t w = static_cast<size_t>(width);
  std::vector<png_byte> rgb(w * static_cast<size_t>(height) * 3);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (size_t y = 0; y < rows.size(); ++y) {
    png_bytep row = rgb.data() + y * w * 3;
    rows[y] = row;
    const uint32_t *p = pixels + y * w;
    for (size_t x = 0; x < w; ++x) {
      row[3 * x] = static_cast<png_byte>(p[x] & 0xFF);
      row[3 * x + 1] = static_cast<png_byte>((p[x] >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<png_byte>((p[x] >> 16) & 0xFF);
    }
  }
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, OnPngError, OnPngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    error = "PNG: out of memory";
    return false;
  }
  const bool ok = Encode(png, info, file, width, height, rows.data());
  png_destroy_write_struct(&png, &info);
  return ok;
}

} // namespace record
