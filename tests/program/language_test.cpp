// The languages: which catalogue a language tag or the user's locale leads to,
// every catalogue's texts on the picture (each stage's caption, the prompt, the
// title) with ink and in room, and languages the program cannot write.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "animation/animation_state.h"
#include "app/language.h"
#include "app/settings.h"
#include "graphics/graphics_state.h"
#include "graphics/labels.h"
#include "graphics/picture_layout.h"
#include "scenes/catalogue.h"
#include "scenes/messages.h"
#include "scenes/scene_frame.h"
#include "scenes/stage_table.h"
#include "tests/support/program_checks.h"

#ifndef _WIN32
#include "platform/host.h"
#endif

namespace {

// Each test leaves the designed texts and a fresh start behind it, whatever
// language it chose.
class Languages : public testing::Test {
protected:
  void TearDown() override {
    ChooseLanguage(TestWindow(), "en");
    StartFresh();
  }
};

#ifndef _WIN32
// Every catalogue's language, then English.
std::vector<std::string> EveryLanguage() {
  std::vector<std::string> tags(CatalogueLanguages, CatalogueLanguages + CatalogueLanguageCount);
  tags.push_back("en");
  return tags;
}
#endif

TEST_F(Languages, TagsFollowTheirChainToACatalogue) {
  const struct {
    const char *Tag;
    const char *Catalogue;
  } chains[] = {{"de", "de"},       {"de-AT", "de"},    {"de_CH.UTF-8", "de"},
                {"fr-CA", "fr"},    {"es-MX", "es"},    {"pt-BR", "pt_BR"},
                {"pt-PT", "pt_BR"}, {"pt", "pt_BR"},    {"zh-Hans", "zh_CN"},
                {"zh-CN", "zh_CN"}, {"zh-TW", "zh_CN"}, {"ja-JP", "ja"},
                {"ko", "ko"},       {"uk-UA", "uk"},    {"el", "el"},
                {"tr-TR", "tr"},    {"pl", "pl"},       {"ru", "ru"},
                {"it", "it"},       {"en-GB", ""},      {"C", ""},
                {"POSIX", ""},      {"xx-YY", ""},      {"", ""}};
  for (const auto &c : chains)
    EXPECT_STREQ(CatalogueFor(c.Tag), c.Catalogue) << c.Tag;
  for (const char *tag : {"ar", "he-IL", "fa", "hi", "th_TH.UTF-8", "ur"})
    EXPECT_TRUE(NeedsShaping(tag)) << tag;
  for (const char *tag : {"de", "ja", "zh-Hans", "el", "ru", "en"})
    EXPECT_FALSE(NeedsShaping(tag)) << tag;
  EXPECT_EQ(CatalogueLanguageCount, 13);
}

// Each catalogue has every text the demonstration shows, in a font that can
// draw it.
TEST_F(Languages, EveryCatalogueTranslatesEveryText) {
  const char *const texts[] = {
      TitleText,        PositiveCaption, NegativeCaption, TiltCaption,    SlideCaption, PullCaption,
      ViewCaption,      ViewBackCaption, TogetherCaption, ContinuePrompt, TapPrompt,    PauseSign,
      QuarterSpeedSign, HalfSpeedSign,   DoubleSpeedSign, ImaginaryLabel, RealLabel,    TimeLabel};
  for (int l = 0; l < CatalogueLanguageCount; ++l) {
    for (const char *english : texts) {
      int found = 0;
      for (int e = 0; e < CatalogueEntryCount; ++e) {
        const CatalogueEntry &entry = CatalogueEntries[e];
        found += std::strcmp(entry.Language, CatalogueLanguages[l]) == 0 &&
                 std::strcmp(entry.English, english) == 0 && *entry.Text;
      }
      EXPECT_EQ(found, 1) << CatalogueLanguages[l] << ": " << english;
    }
    // ... and the font the language is drawn in has a glyph for every letter
    // of them: no missing-glyph box.
    ChooseLanguage(TestWindow(), CatalogueLanguages[l]);
    StartFresh();
    for (const char *english : texts) {
      WCHAR wide[256];
      const int length = MultiByteToWideChar(CP_UTF8, 0, Translated(english), -1, wide, 256) - 1;
      WORD glyphs[256] = {};
      ASSERT_EQ(GetGlyphIndicesW(GraphicsState.WindowDC, wide, length, glyphs,
                                 GGI_MARK_NONEXISTING_GLYPHS),
                static_cast<DWORD>(length));
      EXPECT_EQ(std::count(glyphs, glyphs + length, WORD(0xFFFF)), 0)
          << CatalogueLanguages[l] << ": \"" << Translated(english) << "\"";
    }
  }
  ChooseLanguage(TestWindow(), "en");
  EXPECT_STREQ(Translated(PullCaption), PullCaption) << "English is the designed text";
}

// The window's title in other scripts, read back as UTF-16 from the default
// procedure (as the system's title bar reads it): no letter is lost to the
// system's code page, on Windows as on the portable layer.
TEST_F(Languages, TheTitleKeepsEveryLetter) {
  const HWND window = TestWindow();
  const struct {
    const char *Tag;
    const char16_t *Title;
  } titles[] = {{"ru", u"VELQOR: ОТРИЦАТЕЛЬНАЯ ЧАСТОТА"},
                {"el", u"VELQOR: ΑΡΝΗΤΙΚΗ ΣΥΧΝΟΤΗΤΑ"},
                {"ja", u"VELQOR: 負の周波数"},
                {"ko", u"VELQOR: 음의 주파수"},
                {"de", u"VELQOR: NEGATIVE FREQUENZ"},
                {"en", u"VELQOR: NEGATIVE FREQUENCY"}};
  for (const auto &t : titles) {
    ChooseLanguage(window, t.Tag);
    WCHAR title[64] = {};
    const auto length = DefWindowProcW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title));
    const std::u16string got(title, title + length);
    EXPECT_TRUE(got == t.Title) << t.Tag << ": " << length << " characters";
  }
}

#ifndef _WIN32
// Each catalogue on the picture at the designed size: the first picture of
// each stage says the stage's caption and the prompt in that language (the
// window's texts, as a screen reader reads them), with ink in the caption's
// rows; the title after "VELQOR: ". Every caption fits beside either prompt
// (the pause and speed signs at the left, the prompt at the right, the
// caption in the middle) without overlapping them: measured with the layer's
// own text measurement.
TEST_F(Languages, EachCatalogueShowsItsCaptionsWhereTheyFit) {
  const HWND window = TestWindow();
  for (const std::string &tag : EveryLanguage()) {
    SCOPED_TRACE(tag);
    ChooseLanguage(window, tag);
    StartFresh(1002, 583);
    Key('L'); // the full lesson: every caption there is
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_EQ(std::string(title), tag != "en" ? std::string("VELQOR: ") + Translated(TitleText)
                                              : std::string("VELQOR: NEGATIVE FREQUENCY"));
    const int32_t prompt =
        std::max(TextWidth(Translated(ContinuePrompt)), TextWidth(Translated(TapPrompt)));
    const int32_t signs =
        TextWidth((std::string(Translated(PauseSign)) + "  " + Translated(HalfSpeedSign)).c_str());
    for (const char *english : LessonCaptions()) {
      const int32_t width = TextWidth(Translated(english));
      EXPECT_LE(501 + width / 2 + 8, 1002 - prompt)
          << "\"" << Translated(english) << "\" is " << width << " px wide beside a " << prompt
          << " px prompt";
      EXPECT_GE(501 - width / 2, signs) << "\"" << Translated(english) << "\"";
    }
    for (int cycle = 0; cycle < 2; ++cycle) {
      for (int32_t stage = 0; stage < CycleLength(); ++stage) {
        if (stage > 0)
          ClickAndTick({1});
        SCOPED_TRACE("stage " + std::to_string(stage));
        const std::vector<vqp::HeadlessText> said = vqp::HeadlessTextBoxes(window);
        ASSERT_GE(said.size(), 2u);
        EXPECT_EQ(said[0].Text, Translated(CycleStage(stage).Caption()));
        EXPECT_EQ(said[1].Text, Translated(ContinuePrompt));
        EXPECT_GT(CountColor(TakePicture(), GraphicsState.Palette[White], 250, 12, 752, 28), 20)
            << "no ink in the caption";
      }
      ClickAndTick({1}); // the next cycle
    }
  }
}

// On a web page every caption of the full lesson, in every language, stands
// apart from the prompt and the signs (paused, at half speed), wholly inside
// the page: a phone upright and sideways (390 x 844 CSS pixels at a density
// of 3, touch), a tablet and a laptop.
TEST_F(Languages, EveryCaptionStandsApartOnAPage) {
  const HWND window = TestWindow();
  const struct {
    int Width, Height;
    UINT Dpi;
    bool Touch;
  } pages[] = {{1170, 2532, 288, true},
               {2532, 1170, 288, true},
               {768, 1024, 96, false},
               {1366, 768, 96, false}};
  const auto overlap = [](const RECT &a, const RECT &b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  };
  LayOutAsPage(true);
  for (const auto &page : pages) {
    vqp::HeadlessSetDpi(page.Dpi);
    for (const std::string &tag : EveryLanguage()) {
      SCOPED_TRACE(tag + " at " + std::to_string(page.Width) + " x " + std::to_string(page.Height));
      ChooseLanguage(window, tag);
      StartFresh(page.Width, page.Height);
      Settings.Picture.TapPrompt = page.Touch;
      Key('L');
      Key('K');
      Key(VK_SUBTRACT);
      for (int32_t shown = 0; shown < 11; ++shown) {
        if (shown > 0)
          ClickAndTick({1});
        const std::vector<vqp::HeadlessText> texts = vqp::HeadlessTextBoxes(window);
        ASSERT_GE(texts.size(), 3u);
        for (size_t i = 0; i < texts.size(); ++i) {
          const RECT &box = texts[i].Box;
          EXPECT_TRUE(box.left >= 0 && box.top >= 0 && box.right <= page.Width &&
                      box.bottom <= page.Height)
              << "\"" << texts[i].Text << "\" off the page";
          for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(overlap(box, texts[j].Box))
                << "\"" << texts[i].Text << "\" over \"" << texts[j].Text << "\"";
        }
      }
    }
  }
  LayOutAsPage(false);
  vqp::HeadlessSetDpi(96);
}

// The user's language comes from the locale: LC_ALL, then LC_MESSAGES, then
// LANG; C and POSIX mean the designed texts, as does a language the program
// cannot write, with a notice.
TEST_F(Languages, TheLocaleChoosesUnlessALanguageIsAsked) {
  const HWND window = TestWindow();
  const struct {
    const char *All, *Messages, *Lang;
    const char *Catalogue;
  } locales[] = {{"", "", "de_DE.UTF-8", "de"},
                 {"", "ja_JP.UTF-8", "de_DE.UTF-8", "ja"},
                 {"pt_PT.UTF-8", "ja_JP.UTF-8", "de_DE.UTF-8", "pt_BR"},
                 {"C", "", "de_DE.UTF-8", ""},
                 {"", "", "POSIX", ""},
                 {"", "", "ar_EG.UTF-8", ""},
                 {"", "", "", ""}};
  for (const auto &l : locales) {
    setenv("LC_ALL", l.All, 1);
    setenv("LC_MESSAGES", l.Messages, 1);
    setenv("LANG", l.Lang, 1);
    ChooseLanguage(window, "");
    EXPECT_STREQ(CatalogueInUse(), l.Catalogue) << l.All << "/" << l.Messages << "/" << l.Lang;
  }
  ChooseLanguage(window, "ko");
  EXPECT_STREQ(CatalogueInUse(), "ko") << "--lang before the locale";
  testing::internal::CaptureStderr();
  ChooseLanguage(window, "he");
  EXPECT_STREQ(CatalogueInUse(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "velqor: he is written in a script the program cannot draw; the texts are in "
            "English\n");
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  unsetenv("LANG");
}
#endif

} // namespace
