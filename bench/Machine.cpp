#include "Machine.h"

#include <windows.h>

namespace bench {

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

std::string ProcessorName() {
  wchar_t name[256] = {};
  DWORD size = sizeof name;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0",
                   L"ProcessorNameString", RRF_RT_REG_SZ, nullptr, name, &size) != ERROR_SUCCESS) {
    return "unknown processor";
  }
  std::string text = Utf8(name);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// Wine says what it is through ntdll's own exports; Windows has none of them.
std::string SystemText() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  using WineVersion = const char*(CDECL*)();
  using HostVersion = void(CDECL*)(const char**, const char**);
  const auto wineVersion = reinterpret_cast<WineVersion>(GetProcAddress(ntdll, "wine_get_version"));
  const auto hostVersion =
      reinterpret_cast<HostVersion>(GetProcAddress(ntdll, "wine_get_host_version"));
  if (wineVersion) {
    std::string text = std::string("Wine ") + wineVersion();
    if (hostVersion) {
      const char* system = nullptr;
      const char* release = nullptr;
      hostVersion(&system, &release);
      if (system && release) text += std::string(" on ") + system + " " + release;
    }
    return text;
  }
  using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto rtlGetVersion = reinterpret_cast<GetVersion>(GetProcAddress(ntdll, "RtlGetVersion"));
  OSVERSIONINFOW version{sizeof version};
  if (rtlGetVersion) rtlGetVersion(&version);
  return "Windows " + std::to_string(version.dwMajorVersion) + "." +
         std::to_string(version.dwMinorVersion) + "." + std::to_string(version.dwBuildNumber) +
         " (not Wine)";
}

}  // namespace

std::vector<std::string> MachineLines() {
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  MEMORYSTATUSEX memory{sizeof memory};
  GlobalMemoryStatusEx(&memory);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char date[32];
  wsprintfA(date, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
            now.wMinute);
  return {
      "Foldmere x64 benchmark, " + std::string(date),
      "Machine: " + ProcessorName() + ", " + std::to_string(system.dwNumberOfProcessors) +
          " logical processors, " + std::to_string((memory.ullTotalPhys + (1ull << 29)) >> 30) +
          " GB memory",
      "System: " + SystemText(),
      "Build: " FOLDMERE_BENCH_BUILD " (" FOLDMERE_BENCH_COMPILER ")",
  };
}

std::wstring ExecutablePath() {
  wchar_t path[MAX_PATH * 2] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return path;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

}  // namespace bench
