#include <cstdlib>

#include "app_settings.h"
#include "inifile.h"

std::int32_t StirRandomSeed(std::uint32_t tickCount) {
  const std::int32_t seed =
      AddTickToSeed(g_inifile.ReadInt(kSectionAppInfo, kKeyRandSeed, 0), tickCount);
  std::srand(static_cast<unsigned>(seed));
  g_inifile.WriteInt(kSectionAppInfo, kKeyRandSeed, seed);
  return seed;
}

int LoadWindowTopMost() { return g_inifile.ReadInt(kSectionAppSetting, kKeyWindowTopMost, 0); }

void SaveWindowTopMost(int windowTopMost) {
  g_inifile.WriteInt(kSectionAppSetting, kKeyWindowTopMost, windowTopMost);
}

int LoadAddOrientation() { return g_inifile.ReadInt(kSectionAppSetting, kKeyAddOrientation, 0); }

void SaveAddOrientation(int addOrientation) {
  g_inifile.WriteInt(kSectionAppSetting, kKeyAddOrientation, addOrientation);
}

int LoadTurnRawTwins() { return g_inifile.ReadInt(kSectionAppSetting, kKeyTurnRawTwins, 1); }

void SaveTurnRawTwins(int turnRawTwins) {
  g_inifile.WriteInt(kSectionAppSetting, kKeyTurnRawTwins, turnRawTwins);
}

int LoadNotifySetting() { return g_inifile.ReadInt(kSectionVersion, kKeyNotify, 0); }

void SaveNotifySetting(int notify) { g_inifile.WriteInt(kSectionVersion, kKeyNotify, notify); }

int LoadLastCheckDay() { return g_inifile.ReadInt(kSectionVersion, kKeyLastDay, 0); }

void SaveLastCheckDay(int day) { g_inifile.WriteInt(kSectionVersion, kKeyLastDay, day); }

int LoadForceCheck() { return g_inifile.ReadInt(kSectionVersion, kKeyForce, 0); }

std::wstring LoadLastFolder() { return g_inifile.ReadString(kSectionAppSetting, kKeyLastFolder, L""); }

void SaveLastFolder(const std::wstring& folder) {
  g_inifile.WriteString(kSectionAppSetting, kKeyLastFolder, folder);
}

std::wstring LoadSpliterRect() { return g_inifile.ReadString(kSectionWindow, kKeySpliterRect, L""); }

void SaveSpliterRect(const std::wstring& value) {
  g_inifile.WriteString(kSectionWindow, kKeySpliterRect, value);
}
