#include "controls/Vcl_Interceptors.h"

namespace Vcl_Interceptors {

fm::TDateTime Now() {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return fm::EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                            time.wSecond, time.wMilliseconds);
}

}  // namespace Vcl_Interceptors
