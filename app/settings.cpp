#include "app/settings.h"

SettingsRecord Settings;

void InitSettings() {
  Settings = SettingsRecord{};
  ShowPictureSettings(Settings.Picture);
}
