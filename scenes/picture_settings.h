// What the presenter's settings change in the picture. The application owns
// the settings and tells the scenes where these are; the scenes only read them.
#pragma once

struct PictureSettingsRecord {
  bool Paused;           // the picture holds still, with the pause sign
  bool Blanked;          // the window is black
  const char *SpeedSign; // shown beside the pause sign while not at the designed speed
  bool FullLesson;       // the cycles hold the full lesson's stages
  bool TapPrompt;        // touch is the primary input: the prompt asks for a tap
};

// The settings the scenes draw with from now on; until this is called, none is set.
void ShowPictureSettings(const PictureSettingsRecord &settings);
const PictureSettingsRecord &PictureSettings();
