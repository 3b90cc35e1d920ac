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
  const std::wstring date = FormatText(GetDateFormatW, DATE_SHORTDATE, fields);
  if (date.empty()) return {};
  return ModDateText(date, midnight ? std::wstring() : FormatText(GetTimeFormatW, 0, fields), midnight);
}

}  // namespace fm
