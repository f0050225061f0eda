#include "app_settings.h"

const wchar_t kSectionAppInfo[] = L"APP_INFO";
const wchar_t kSectionAppSetting[] = L"APP_SETTING";
const wchar_t kSectionWindow[] = L"Window";
const wchar_t kSectionVersion[] = L"VERSION";
const wchar_t kKeyRandSeed[] = L"rand_seed";
const wchar_t kKeyWindowTopMost[] = L"WindowTopMost";
const wchar_t kKeyAddOrientation[] = L"AddOrientation";
const wchar_t kKeyTurnRawTwins[] = L"TurnRawTwins";
const wchar_t kKeyLastFolder[] = L"LastFolder";
const wchar_t kKeySpliterRect[] = L"SpliterRect";
const wchar_t kKeyWindowRect[] = L"WindowRect";
const wchar_t kKeyNotify[] = L"notify";
const wchar_t kKeyLastDay[] = L"last_day";
const wchar_t kKeyForce[] = L"force";

std::int32_t AddTickToSeed(std::int32_t seed, std::uint32_t tickCount) {
  // Unsigned, so the wrap-around is defined; the conversion back is modular
  // on every supported compiler (and guaranteed from C++20).
  const std::uint32_t sum = static_cast<std::uint32_t>(seed) + tickCount;
  return static_cast<std::int32_t>(sum);
}
