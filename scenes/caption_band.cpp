#include "scenes/caption_band.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/picture_layout.h"
#include "scenes/catalogue.h"
#include "scenes/picture_settings.h"
#include "scenes/scene_frame.h"

namespace {

// Pixel measures of the picture at a scale of 1: the caption band's height and
// the caption line's distance from the top.
constexpr int32_t BandHeight = 40;
constexpr int32_t CaptionLine = 20;

const char *Prompt() {
  return Translated(PictureSettings().TapPrompt ? TapPrompt : ContinuePrompt);
}

// The pause sign while the picture is held, and the speed's sign while it is
// not the designed one.
std::string Signs() {
  const PictureSettingsRecord &settings = PictureSettings();
  std::string signs = settings.Paused ? Translated(PauseSign) : "";
  if (settings.SpeedSign)
    ((signs += signs.empty() ? " " : "  ") += Translated(settings.SpeedSign));
  return signs;
}

// `text` in lines no wider than `width`, broken between words (a word wider
// than the line is broken where it must be).
std::vector<std::string> Wrapped(const std::string &text, int32_t width) {
  std::vector<std::string> lines(1);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos)
      end = text.size();
    const std::string word = text.substr(start, end - start);
    std::string joined = lines.back().empty() ? word : lines.back() + " " + word;
    if (lines.back().empty() || TextWidth(joined.c_str()) <= width)
      lines.back() = std::move(joined);
    else
      lines.push_back(word);
    start = end + 1;
  }
  return lines;
}

// The widest of the lesson's captions decides: one band for every stage, so
// that a caption band drawn over another's covers it whole.
BandLayout PageBand() {
  const GraphicsStateRecord &g = GraphicsState;
  const int32_t text = g.FontHeight;
  const int32_t line = std::max(ScaledPixels(BandHeight), static_cast<int32_t>(text * 5 / 2));
  const int32_t gap = text;
  // Beside the prompt (at the right) and the signs (at the left), the caption
  // moving off the middle where it must (CaptionCentre).
  const int32_t ends = TextWidth(Prompt()) + TextWidth(Signs().c_str()) + 2 * gap;
  const std::vector<const char *> captions = LessonCaptions();
  if (std::all_of(captions.begin(), captions.end(), [&](const char *english) {
        return TextWidth(Translated(english)) + ends <= g.ViewWidth;
      }))
    return {g.ViewHeight, line, 0, 0};
  size_t lines = 1;
  for (const char *english : captions)
    lines = std::max(lines, Wrapped(Translated(english), g.ViewWidth - gap).size());
  const int32_t pitch = static_cast<int32_t>(std::lround(text * 1.4));
  const int32_t height = line + pitch * static_cast<int32_t>(lines);
  const bool above = RoomAbovePicture() >= height;
  return {above ? g.ViewHeight + height : g.ViewHeight, height, pitch, static_cast<int32_t>(lines)};
}

// Where a caption on the prompt's line stands: in the middle, as designed,
// unless a page's text, larger than the picture's, would meet the prompt or
// the signs there; then as near the middle as they leave room for.
int32_t CaptionCentre(const char *caption, const std::string &signs) {
  const GraphicsStateRecord &g = GraphicsState;
  const int32_t middle = g.ViewWidth / 2;
  if (!PictureIsPage())
    return middle;
  const int32_t half = TextWidth(caption) / 2, gap = g.FontHeight;
  const int32_t rightmost = g.ViewWidth - TextWidth(Prompt()) - gap - half;
  const int32_t leftmost = (signs.empty() ? 0 : TextWidth(signs.c_str()) + gap) + half;
  return std::max(std::min(middle, rightmost), leftmost);
}

} // namespace

BandLayout CurrentBand() {
  const GraphicsStateRecord &g = GraphicsState;
  if (!PictureIsPage())
    return {g.ViewHeight, ScaledPixels(BandHeight), 0, 0};
  return PageBand();
}

void FillBand(const BandLayout &band) {
  FillBackgroundBar(0, band.Top - band.Height, GraphicsState.ViewWidth, band.Top);
}

void DrawBandLabels(const BandLayout &band, const char *english) {
  const GraphicsStateRecord &g = GraphicsState;
  const char *caption = Translated(english);
  const std::string signs = Signs();
  if (band.CaptionLines == 0) {
    // The designed line: the caption in the middle, the prompt at the right
    // end, the signs at the left end.
    const int32_t line = band.Top - (PictureIsPage() ? band.Height / 2 : ScaledPixels(CaptionLine));
    SetColor(White);
    DrawLabel(CaptionCentre(caption, signs), line, caption, "CC");
    SetColor(Yellow);
    DrawLabel(g.ViewWidth, line, Prompt(), "RC");
    if (!signs.empty())
      DrawLabel(0, line, signs.c_str(), "LC");
    return;
  }
  const std::vector<std::string> lines = Wrapped(caption, g.ViewWidth - g.FontHeight);
  int32_t line =
      band.Top - (band.Height - band.Pitch * (band.CaptionLines + 1)) / 2 - band.Pitch / 2;
  SetColor(White);
  for (const std::string &text : lines) {
    DrawLabel(g.ViewWidth / 2, line, text.c_str(), "CC");
    line -= band.Pitch;
  }
  line = band.Top - band.Height + (band.Height - band.Pitch * (band.CaptionLines + 1)) / 2 +
         band.Pitch / 2;
  SetColor(Yellow);
  DrawLabel(g.ViewWidth, line, Prompt(), "RC");
  if (!signs.empty())
    DrawLabel(0, line, signs.c_str(), "LC");
}
