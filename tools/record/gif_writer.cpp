#include "tools/record/gif_writer.h"

#include <gif_lib.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

namespace record {
namespace {

// giflib writes through this, so that the file stays ours to check and close.
int WriteToFile(GifFileType *gif, const GifByteType *data, int length) {
  auto *file = static_cast<std::FILE *>(gif->UserData);
  return static_cast<int>(std::fwrite(data, 1, static_cast<size_t>(length), file));
}

struct GifCloser {
  void operator()(GifFileType *gif) const {
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
  }
};

struct MapFree {
  void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};

// The global colour table: the palette, padded with black to a power of two.
std::unique_ptr<ColorMapObject, MapFree> MakeColorMap(const Palette &palette) {
  int size = 2;
  while (size < static_cast<int>(palette.colors.size()))
    size *= 2;
  std::vector<GifColorType> entries(static_cast<size_t>(size), GifColorType{0, 0, 0});
  for (size_t i = 0; i < palette.colors.size(); ++i) {
    const uint32_t c = palette.colors[i]; // 0x00BBGGRR
    entries[i] = {static_cast<GifByteType>(c & 0xFF), static_cast<GifByteType>((c >> 8) & 0xFF),
                  static_cast<GifByteType>((c >> 16) & 0xFF)};
  }
  return std::unique_ptr<ColorMapObject, MapFree>(GifMakeMapObject(size, entries.data()));
}

} // namespace

bool WriteGif(std::FILE *file, int width, int height, const FrameStore &frames,
              const Palette &palette, const std::function<int(size_t)> &delays,
              const std::function<bool(size_t)> &keepGoing, std::string &error) {
  int code = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(file, WriteToFile, &code));
  auto failed = [&](const char *what) {
    const int c = gif && gif->Error ? gif->Error : code;
    error = std::string("GIF ") + what + ": " + (GifErrorString(c) ? GifErrorString(c) : "?");
    if (std::ferror(file) && errno != 0)
      error += std::string(" (") + std::strerror(errno) + ")";
    return false;
  };
  if (!gif)
    return failed("open");
  auto map = MakeColorMap(palette);
  if (!map)
    return (error = "GIF: no memory for the colour table", false);
  EGifSetGifVersion(gif.get(), true); // GIF89a, for the delays and the loop
  if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) == GIF_ERROR)
    return failed("screen");

  // NETSCAPE2.0 application block: loop count 0, for ever.
  static const GifByteType kNetscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
  static const GifByteType kLoopForEver[] = {1, 0, 0};
  if (EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
      EGifPutExtensionBlock(gif.get(), sizeof kNetscape, kNetscape) == GIF_ERROR ||
      EGifPutExtensionBlock(gif.get(), sizeof kLoopForEver, kLoopForEver) == GIF_ERROR ||
      EGifPutExtensionTrailer(gif.get()) == GIF_ERROR)
    return failed("loop block");

  auto toIndex = [&](uint32_t color) { return palette.indexOf.at(color); };
  for (size_t i = 0; i < frames.Count(); ++i) {
    if (!keepGoing(i))
      return (error = "interrupted; nothing written", false);
    // Each frame is drawn over the previous one, which stays as it is.
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = delays(i);
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType control[4];
    const size_t controlSize = EGifGCBToExtension(&gcb, control);
    const FrameRect &r = frames.Rect(i);
    if (EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(controlSize),
                         control) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), r.left, r.top, r.width, r.height, false, nullptr) == GIF_ERROR)
      return failed("frame");
    const bool rowsWritten = frames.ForEachRow(i, toIndex, [&](uint8_t *row, int length) {
      return EGifPutLine(gif.get(), row, length) != GIF_ERROR;
    });
    if (!rowsWritten)
      return failed("pixels");
  }
  GifFileType *open = gif.release();
  if (EGifCloseFile(open, &code) == GIF_ERROR) {
    gif.reset();
    return failed("close");
  }
  return true;
}

} // namespace record
