#include "platform/Locale.h"

#include "core/ModDate.h"
#include "core/SizeText.h"

namespace fm {

namespace {

std::wstring DateFormatText(const SYSTEMTIME& time) {
  const LCID locale = GetThreadLocale();
  const int length = GetDateFormatW(locale, DATE_SHORTDATE, &time, nullptr, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  GetDateFormatW(locale, DATE_SHORTDATE, &time, nullptr, text.data(), length);
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}

std::wstring TimeFormatText(const SYSTEMTIME& time) {
  const LCID locale = GetThreadLocale();
  const int length = GetTimeFormatW(locale, 0, &time, nullptr, nullptr, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length), L'\0');
  GetTimeFormatW(locale, 0, &time, nullptr, text.data(), length);
  text.resize(static_cast<size_t>(length) - 1);
  return text;
}

}  // namespace

wchar_t LocaleDecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, separator, 8) < 2) return L'.';
  return separator[0];
}

std::wstring SizeToText(std::int64_t value) { return SizeToText(value, LocaleDecimalSeparator()); }

std::wstring LocalDateText(const FILETIME& time) {
  if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return {};
  FILETIME local{};
  SYSTEMTIME fields{};
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) return {};
  const bool midnight = fields.wHour == 0 && fields.wMinute == 0 && fields.wSecond == 0 && fields.wMilliseconds == 0;
  const std::wstring date = DateFormatText(fields);
  if (date.empty()) return {};
  return ModDateText(date, midnight ? std::wstring() : TimeFormatText(fields), midnight);
}

}  // namespace fm
