#include "platform/Locale.h"

#include "core/ModDate.h"
#include "core/SizeText.h"

namespace fm {

namespace {

// A date or time text of the thread's locale from one of the system's two formatters,
// which take the same arguments.
template <class Formatter>
std::wstring FormatText(Formatter format, DWORD flags, const SYSTEMTIME& time) {
  const LCID locale = GetThreadLocale();
  const int length = format(locale, flags, &time, nullptr, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  format(locale, flags, &time, nullptr, text.data(), length);
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}

// Universal time as the zone's local time at that moment, daylight saving or not by the
// zone's rules for that date. Systems before Windows 8 lack the call for a dynamic zone;
// there its fixed rules serve.
bool ZoneTimeOf(const DYNAMIC_TIME_ZONE_INFORMATION& zone, const SYSTEMTIME& utc, SYSTEMTIME& local) {
  using ZoneTimeCall = BOOL(WINAPI*)(const DYNAMIC_TIME_ZONE_INFORMATION*, const SYSTEMTIME*, SYSTEMTIME*);
  static const auto dynamicCall = reinterpret_cast<ZoneTimeCall>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SystemTimeToTzSpecificLocalTimeEx")));
  if (dynamicCall) return dynamicCall(&zone, &utc, &local) != FALSE;
  TIME_ZONE_INFORMATION fixed{};
  fixed.Bias = zone.Bias;
  fixed.StandardBias = zone.StandardBias;
  fixed.StandardDate = zone.StandardDate;
  fixed.DaylightBias = zone.DaylightBias;
  fixed.DaylightDate = zone.DaylightDate;
  return SystemTimeToTzSpecificLocalTime(&fixed, &utc, &local) != FALSE;
}

}  // namespace

wchar_t LocaleDecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, separator, 8) < 2) return L'.';
  return separator[0];
}

bool LocaleSortsBefore(std::wstring_view a, std::wstring_view b) {
  // Sized texts: an empty one is "", never a missing string.
  static constexpr wchar_t kNothing[] = L"";
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.empty() ? kNothing : a.data(),
                        static_cast<int>(a.size()), b.empty() ? kNothing : b.data(), static_cast<int>(b.size())) ==
         CSTR_LESS_THAN;
}

std::wstring SizeToText(std::int64_t value) { return SizeToText(value, LocaleDecimalSeparator()); }

std::wstring LocalDateText(const FILETIME& time) {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
  return LocalDateText(time, zone);
}

std::wstring LocalDateText(const FILETIME& time, const DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return {};
  SYSTEMTIME utc{};
  SYSTEMTIME fields{};
  if (!FileTimeToSystemTime(&time, &utc) || !ZoneTimeOf(zone, utc, fields)) return {};
  const bool midnight = fields.wHour == 0 && fields.wMinute == 0 && fields.wSecond == 0 && fields.wMilliseconds == 0;
  const std::wstring date = FormatText(GetDateFormatW, DATE_SHORTDATE, fields);
  if (date.empty()) return {};
  return ModDateText(date, midnight ? std::wstring() : FormatText(GetTimeFormatW, 0, fields), midnight);
}

}  // namespace fm
