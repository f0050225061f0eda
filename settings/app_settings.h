// Every section and key of the settings file, with the helpers that read and
// write them through the process-wide settings object.
#pragma once

#include <cstdint>
#include <string>

extern const wchar_t kSectionAppInfo[];     // "APP_INFO"
extern const wchar_t kSectionAppSetting[];  // "APP_SETTING"
extern const wchar_t kSectionWindow[];      // "Window"
extern const wchar_t kSectionVersion[];     // "VERSION"
extern const wchar_t kKeyRandSeed[];        // "rand_seed"
extern const wchar_t kKeyWindowTopMost[];   // "WindowTopMost"
extern const wchar_t kKeyLastFolder[];      // "LastFolder"
extern const wchar_t kKeyAddOrientation[];  // "AddOrientation"
extern const wchar_t kKeyTurnRawTwins[];    // "TurnRawTwins"
extern const wchar_t kKeySpliterRect[];     // "SpliterRect"
extern const wchar_t kKeyWindowRect[];      // "WindowRect"
extern const wchar_t kKeyNotify[];          // "notify"
extern const wchar_t kKeyLastDay[];         // "last_day"
extern const wchar_t kKeyForce[];           // "force"

// The stored seed plus the tick count, as unsigned 32-bit addition, read back
// as a signed number: 2147483647 + 1 gives -2147483648.
std::int32_t AddTickToSeed(std::int32_t seed, std::uint32_t tickCount);

// Windows builds only from here on.

// Reads "APP_INFO"/"rand_seed" (default 0), adds the tick count, seeds srand
// with the sum, writes the sum back and returns it. Start-up passes
// GetTickCount().
std::int32_t StirRandomSeed(std::uint32_t tickCount);

// "APP_SETTING"/"WindowTopMost", default 0.
int LoadWindowTopMost();
void SaveWindowTopMost(int windowTopMost);
template <class AppData>
void LoadWindowTopMost(AppData& data) {
  data.windowTopMost = static_cast<decltype(data.windowTopMost)>(LoadWindowTopMost());
}
template <class AppData>
void SaveWindowTopMost(const AppData& data) {
  SaveWindowTopMost(static_cast<int>(data.windowTopMost));
}

// "APP_SETTING"/"AddOrientation", default 0: nonzero lets a turn give a photo
// without an Orientation entry one.
int LoadAddOrientation();
void SaveAddOrientation(int addOrientation);

// "APP_SETTING"/"TurnRawTwins", default 1: nonzero lets a turn of NAME.jpg
// also turn the raw files NAME.<raw extension> that showed the same way.
int LoadTurnRawTwins();
void SaveTurnRawTwins(int turnRawTwins);

// "VERSION"/"notify", default 0; nonzero turns the update check off.
int LoadNotifySetting();
void SaveNotifySetting(int notify);

// "VERSION"/"last_day": day of the month of the last finished update check, default 0.
int LoadLastCheckDay();
void SaveLastCheckDay(int day);

// "VERSION"/"force", default 0; set by hand only, so there is no writer.
int LoadForceCheck();

// "APP_SETTING"/"LastFolder", default empty: the folder the file dialog or
// the folder browser was last left in with a choice; both open there. Written
// after each choice.
std::wstring LoadLastFolder();
void SaveLastFolder(const std::wstring& folder);

// "Window"/"SpliterRect", default empty.
std::wstring LoadSpliterRect();
void SaveSpliterRect(const std::wstring& value);
