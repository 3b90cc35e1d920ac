#include "core/ModDate.h"

namespace fm {

std::wstring ModDateText(std::wstring_view date, std::wstring_view time, bool atMidnight) {
  std::wstring text(date);
  if (!text.empty() && !atMidnight) {
    text += L' ';
    text += time;
  }
  return text;
}

}  // namespace fm
