#include "tests/record/record_support.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace recordtest {

Outcome Record(const std::vector<std::string> &args, const RunOptions &how) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0)
    std::abort();
  int master = -1, slave = -1;
  if (how.terminal) {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
      std::abort();
    slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  }
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char *> argv{const_cast<char *>(VELQOR_RECORD)};
    for (const std::string &a : args)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    if (how.fileSizeLimit > 0) {
      const rlimit limit{static_cast<rlim_t>(how.fileSizeLimit),
                         static_cast<rlim_t>(how.fileSizeLimit)};
      setrlimit(RLIMIT_FSIZE, &limit);
      std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
    }
    for (const auto &[name, value] : how.environment)
      setenv(name.c_str(), value.c_str(), 1);
    umask(022);
    dup2(how.terminal ? slave : pipeFds[1], STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipeFds[1]);
  if (how.whileRunning)
    how.whileRunning(pid);
  Outcome out;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
    out.err.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (how.terminal) {
    fcntl(master, F_SETFL, O_NONBLOCK);
    while ((n = read(master, buffer, sizeof buffer)) > 0)
      out.err.append(buffer, static_cast<size_t>(n));
    close(slave);
    close(master);
  }
  out.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  out.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return out;
}

::testing::AssertionResult Records(const std::vector<std::string> &args, const RunOptions &how) {
  const Outcome run = Record(args, how);
  if (run.code == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "exit code " << run.code << ": " << run.err;
}

long Picture::Count(uint32_t color, int x0, int y0, int x1, int y1) const {
  long n = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, height); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, width); ++x)
      n += At(x, y) == color;
  return n;
}

Picture ReadPng(const fs::path &path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
    return {};
  Picture p{static_cast<int>(image.width), static_cast<int>(image.height), {}};
  for (size_t i = 0; i < rgb.size(); i += 3)
    p.pixels.push_back(rgb[i] | rgb[i + 1] << 8 | rgb[i + 2] << 16);
  return p;
}

Gif ReadGif(const fs::path &path) {
  Gif g;
  int error = 0;
  GifFileType *gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif)
    return g;
  if (DGifSlurp(gif) == GIF_OK && gif->SColorMap && gif->ImageCount > 0) {
    g.ok = true;
    const ExtensionBlock *ext = gif->SavedImages[0].ExtensionBlocks;
    for (int i = 0; i + 1 < gif->SavedImages[0].ExtensionBlockCount; ++i)
      if (ext[i].Function == APPLICATION_EXT_FUNC_CODE && ext[i].ByteCount == 11 &&
          std::string(reinterpret_cast<char *>(ext[i].Bytes), 11) == "NETSCAPE2.0")
        g.loopsForEver = ext[i + 1].ByteCount == 3 && ext[i + 1].Bytes[0] == 1 &&
                         ext[i + 1].Bytes[1] == 0 && ext[i + 1].Bytes[2] == 0;
    Picture screen{gif->SWidth, gif->SHeight,
                   std::vector<uint32_t>(static_cast<size_t>(gif->SWidth) * gif->SHeight, 0)};
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage &image = gif->SavedImages[i];
      const GifImageDesc &d = image.ImageDesc;
      GraphicsControlBlock gcb{};
      DGifSavedExtensionToGCB(gif, i, &gcb);
      g.delays.push_back(gcb.DelayTime);
      g.disposals.push_back(gcb.DisposalMode);
      const bool fits = d.Left >= 0 && d.Top >= 0 && d.Width > 0 && d.Height > 0 &&
                        d.Left + d.Width <= screen.width && d.Top + d.Height <= screen.height;
      g.fitsScreen.push_back(fits);
      const ColorMapObject *map = d.ColorMap ? d.ColorMap : gif->SColorMap;
      for (int y = 0; fits && y < d.Height; ++y)
        for (int x = 0; x < d.Width; ++x) {
          const GifColorType c = map->Colors[image.RasterBits[y * d.Width + x] % map->ColorCount];
          screen.pixels[static_cast<size_t>(d.Top + y) * screen.width + d.Left + x] =
              c.Red | c.Green << 8 | c.Blue << 16;
        }
      g.frames.push_back(screen);
    }
  }
  DGifCloseFile(gif, &error);
  return g;
}

namespace {

void KeepFrame(const AVFrame *f, const AVRational timeBase, Video &v) {
  Video::Frame frame;
  const int widths[3] = {f->width, (f->width + 1) / 2, (f->width + 1) / 2};
  const int heights[3] = {f->height, (f->height + 1) / 2, (f->height + 1) / 2};
  std::vector<uint8_t> *planes[3] = {&frame.y, &frame.u, &frame.v};
  for (int p = 0; p < 3; ++p)
    for (int row = 0; row < heights[p]; ++row)
      planes[p]->insert(planes[p]->end(), f->data[p] + row * f->linesize[p],
                        f->data[p] + row * f->linesize[p] + widths[p]);
  v.frames.push_back(std::move(frame));
  v.starts.push_back(static_cast<double>(f->best_effort_timestamp) * av_q2d(timeBase));
}

} // namespace

Video ReadVideo(const fs::path &path) {
  Video v;
  AVFormatContext *format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
    return v;
  AVCodecContext *decoder = nullptr;
  AVPacket *packet = av_packet_alloc();
  AVFrame *frame = av_frame_alloc();
  if (avformat_find_stream_info(format, nullptr) >= 0 && format->nb_streams == 1) {
    const AVStream *stream = format->streams[0];
    const AVCodecParameters *p = stream->codecpar;
    const AVCodec *codec = avcodec_find_decoder(p->codec_id);
    decoder = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (decoder && avcodec_parameters_to_context(decoder, p) >= 0 &&
        avcodec_open2(decoder, codec, nullptr) >= 0) {
      v.codec = avcodec_get_name(p->codec_id);
      v.profile = p->profile;
      const char *pixels = av_get_pix_fmt_name(static_cast<AVPixelFormat>(p->format));
      v.pixelFormat = pixels ? pixels : "";
      v.width = p->width;
      v.height = p->height;
      v.bt709 = p->color_primaries == AVCOL_PRI_BT709 && p->color_trc == AVCOL_TRC_BT709 &&
                p->color_space == AVCOL_SPC_BT709;
      v.limitedRange = p->color_range == AVCOL_RANGE_MPEG;
      v.seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
      v.rateNumerator = stream->r_frame_rate.num;
      v.rateDenominator = stream->r_frame_rate.den;
      bool ok = true;
      auto drain = [&] {
        while (avcodec_receive_frame(decoder, frame) == 0) {
          ok = ok && frame->format == AV_PIX_FMT_YUV420P;
          if (ok)
            KeepFrame(frame, stream->time_base, v);
        }
      };
      while (ok && av_read_frame(format, packet) >= 0) {
        ok = avcodec_send_packet(decoder, packet) >= 0;
        av_packet_unref(packet);
        drain();
      }
      avcodec_send_packet(decoder, nullptr);
      drain();
      v.ok = ok;
    }
  }
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&decoder);
  avformat_close_input(&format);
  return v;
}

double LumaPsnr(const Video &video, size_t frame, const Picture &exact, bool near) {
  const std::vector<uint8_t> &luma = video.frames.at(frame).y;
  const int w = exact.width, h = exact.height;
  // Pixels within two of a drawn one: drawn ones spread across, then down.
  std::vector<uint8_t> across(static_cast<size_t>(w) * h, 0), counted(across.size(), !near);
  if (near) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (exact.At(x, y) != kBlack)
          for (int dx = std::max(x - 2, 0); dx <= std::min(x + 2, w - 1); ++dx)
            across[static_cast<size_t>(y) * w + dx] = 1;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (across[static_cast<size_t>(y) * w + x])
          for (int dy = std::max(y - 2, 40); dy <= std::min(y + 2, h - 1); ++dy)
            counted[static_cast<size_t>(dy) * w + x] = 1;
  }
  double squares = 0;
  long count = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (!counted[static_cast<size_t>(y) * w + x])
        continue;
      // BT.709 in limited range, exactly.
      const uint32_t c = exact.At(x, y);
      const double expected =
          16 +
          219 * (0.2126 * (c & 0xFF) + 0.7152 * (c >> 8 & 0xFF) + 0.0722 * (c >> 16 & 0xFF)) / 255;
      const double e = luma[static_cast<size_t>(y) * video.width + x] - expected;
      squares += e * e;
      ++count;
    }
  const double mse = count ? squares / count : 0;
  return mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 100;
}

std::string Bytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const fs::path &folder) {
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Frame(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%05d.png", i);
  return name;
}

void Recorder::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "velqor-record-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  dir = pattern;
}

void Recorder::TearDown() { fs::remove_all(dir); }

} // namespace recordtest
