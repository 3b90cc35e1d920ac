// Info tips of files and folders whose descriptions came from anywhere: desktop.ini files
// of garbage or of endless lines, references to libraries that are missing, not
// libraries or cut short, a shell class with values of every registry type, and
// executables whose version data is cut or whose lengths point past its end. Each tip
// shows what can be read, and nothing a file names is run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "FileInfoFixtures.h"
#include "MainWindowFixture.h"
#include "core/InfoTipText.h"
#include "helpers/VersionInfo.h"
#include "platform/Handles.h"
#include "ui/HintWindow.h"

namespace {

using Bytes = std::vector<char>;

Bytes ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteText(const std::wstring& path, const std::string& text) {
  WriteBytes(path, Bytes(text.begin(), text.end()));
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (const wchar_t c : text) narrow += static_cast<char>(c);
  return narrow;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where the UTF-16 text of key starts in bytes; a block of version data starts three
// 16-bit words before its key.
std::size_t KeyOffset(const Bytes& bytes, const std::wstring& key) {
  std::string pattern;
  for (const wchar_t c : key) {
    pattern += static_cast<char>(c);
    pattern += '\0';
  }
  const auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
  EXPECT_NE(at, bytes.end()) << Narrow(key);
  return static_cast<std::size_t>(at - bytes.begin());
}

void PutWord(Bytes& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = static_cast<char>(value & 0xFF);
  bytes.at(offset + 1) = static_cast<char>(value >> 8);
}

// Lines of the tip after its location and type.
std::vector<std::wstring> LinesAfterType(const std::wstring& tip) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = tip.find(L"\r\n", start);
    lines.push_back(tip.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  EXPECT_GE(lines.size(), 2u);
  if (lines.size() < 2) return {};
  EXPECT_EQ(lines[0].rfind(L"Location: ", 0), 0u);
  EXPECT_EQ(lines[1].rfind(L"Type: ", 0), 0u) << testing::PrintToString(lines[1]);
  return std::vector<std::wstring>(lines.begin() + 2, lines.end());
}

// Garbage that leaves room for a readable section within the part of a desktop.ini read.
constexpr int kGarbageBytes = 60000;

class FaultsOfFileInformation : public fm::test::MainWindowTest {
 protected:
  void Show(const std::wstring& path) {
    TypePath(path);
    ASSERT_EQ(main_->Path(), path);
    Paint();
  }
};

TEST_F(FaultsOfFileInformation, HostileDesktopIniFilesShowWhatCanBeReadAndRunNothing) {
  fm::test::TestFolder folder(L"hostile-ini");

  // Garbage of every byte but a byte-order mark, with a readable section at its end
  // within the part of the file that is read.
  Bytes garbage;
  std::uint32_t seed = 12345;
  for (int i = 0; i < kGarbageBytes; ++i) {
    seed = seed * 1103515245u + 12345u;
    garbage.push_back(static_cast<char>(seed >> 24));
  }
  garbage[0] = 'g';
  const std::string readable = "\r\n[Readable]\r\nKey=still read\r\n";
  garbage.insert(garbage.end(), readable.begin(), readable.end());
  folder.Folder(L"garbage");
  WriteBytes(folder / L"garbage\\desktop.ini", garbage);

  // A value of a million characters, then a line as long without "=": the file is read
  // no further than its first 64 KiB, and the line cut there is not read.
  const std::string million(1 << 20, 'v');
  folder.Folder(L"long-line");
  WriteText(folder / L"long-line\\desktop.ini",
            "[s]\r\nBefore=yes\r\nLong=" + million + "\r\n" + million + "\r\nAfter=yes\r\n");

  // References to a library that is missing, a file that is no library, and the marker
  // library cut after its headers and in its middle: none is read, none runs.
  const std::wstring libraries = folder.Folder(L"libraries");
  WriteText(libraries + L"\\not-pe.dll", "MZ but nothing of a library after it");
  const Bytes marker = ReadBytes(fm::test::FixturePath(L"marker.dll"));
  ASSERT_GT(marker.size(), 4096u);
  WriteBytes(libraries + L"\\headers.dll", Bytes(marker.begin(), marker.begin() + 1024));
  WriteBytes(libraries + L"\\half.dll",
             Bytes(marker.begin(), marker.begin() + static_cast<std::ptrdiff_t>(marker.size() / 2)));
  WriteText(libraries + L"\\desktop.ini",
            "[s]\r\nMissing=@" + Narrow(libraries) + "\\missing.dll,-7\r\nNotPe=@" +
                Narrow(libraries) + "\\not-pe.dll,-7\r\nHeaders=@" + Narrow(libraries) +
                "\\headers.dll,-7\r\nHalf=@" + Narrow(libraries) + "\\half.dll,-7\r\n");

  Show(folder.Path());
  const std::vector<std::wstring> garbageLines = LinesAfterType(TipOf(L"garbage"));
  EXPECT_NE(std::find(garbageLines.begin(), garbageLines.end(),
                      L"InfoTip: (desktop.ini) (Key) still read"),
            garbageLines.end());
  for (const std::wstring& line : garbageLines)
    EXPECT_EQ(line.rfind(L"InfoTip: (desktop.ini) (", 0), 0u) << testing::PrintToString(line);

  EXPECT_EQ(LinesAfterType(TipOf(L"long-line")),
            (std::vector<std::wstring>{L"InfoTip: (desktop.ini) (Before) yes"}));

  EXPECT_EQ(LinesAfterType(TipOf(L"libraries")),
            (std::vector<std::wstring>{
                L"InfoTip: (desktop.ini) (Missing) " + libraries + L"\\missing.dll,7",
                L"InfoTip: (desktop.ini) (NotPe) " + libraries + L"\\not-pe.dll,7",
                L"InfoTip: (desktop.ini) (Headers) " + libraries + L"\\headers.dll,7",
                L"InfoTip: (desktop.ini) (Half) " + libraries + L"\\half.dll,7"}));
  for (const wchar_t* library : {L"headers.dll", L"half.dll"})
    EXPECT_FALSE(Exists(libraries + L"\\" + library + L".ran")) << Narrow(library);
}

TEST_F(FaultsOfFileInformation, ACrowdedDesktopIniGivesABoundedTipThatStaysOnTheScreen) {
  fm::test::TestFolder folder(L"hostile-crowded");
  folder.Folder(L"crowded");
  std::string ini = "[.ShellClassInfo]\r\n";
  for (int key = 0; key < 5000; ++key)
    ini += "Key" + std::to_string(key) + "=Value of key " + std::to_string(key) + "\r\n";
  WriteText(folder / L"crowded\\desktop.ini", ini);
  Show(folder.Path());

  const std::wstring tip = TipOf(L"crowded");
  EXPECT_LE(tip.size(), fm::kTipMaxLength);
  std::vector<std::wstring> lines = LinesAfterType(tip);
  EXPECT_EQ(lines.size() + 2, fm::kTipMaxLines);
  lines.resize(2);
  EXPECT_EQ(lines, (std::vector<std::wstring>{L"InfoTip: (desktop.ini) (Key0) Value of key 0",
                                              L"InfoTip: (desktop.ini) (Key1) Value of key 1"}));

  // Shown at the bottom right corner of the screen's work area, as a row there would
  // show it, the hint moves to lie within the work area.
  RECT area{};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  fm::ui::THintWindow hint;
  hint.ActivateHint(POINT{area.right - 10, area.bottom - 10}, tip, 400);
  RECT shown{};
  GetWindowRect(hint.Handle(), &shown);
  EXPECT_GE(shown.left, area.left);
  EXPECT_GE(shown.top, area.top);
  EXPECT_LE(shown.right, area.right);
  EXPECT_LE(shown.bottom, area.bottom);
  EXPECT_GT(shown.right - shown.left, 100);
  EXPECT_GT(shown.bottom - shown.top, 100);
}

// A class key of the test's own under HKEY_LOCAL_MACHINE (Wine's HKEY_CLASSES_ROOT shows
// HKLM\Software\Classes only), removed afterwards.
class ClassKey {
 public:
  explicit ClassKey(std::wstring path) : path_(std::move(path)) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    key_.Put(), nullptr);
  }
  ~ClassKey() {
    key_ = {};
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
  }
  ClassKey(const ClassKey&) = delete;
  ClassKey& operator=(const ClassKey&) = delete;

  // A value of any type with exactly these bytes.
  void Set(const wchar_t* name, DWORD type, const void* data, std::size_t bytes) {
    ASSERT_EQ(RegSetValueExW(key_.Get(), name, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(bytes)),
              ERROR_SUCCESS)
        << Narrow(name ? name : L"(default)");
  }

 private:
  std::wstring path_;
  fm::UniqueHKey key_;
};

TEST_F(FaultsOfFileInformation, AClassKeyWithValuesOfEveryTypeShowsItsTextsOnly) {
  const wchar_t* clsid = L"{F01D0E2E-0000-4000-8000-00000000000C}";
  ClassKey key(std::wstring(L"Software\\Classes\\CLSID\\") + clsid);
  const std::wstring text = L"AB";
  const std::wstring terminated = L"Hostile Class";
  key.Set(nullptr, REG_SZ, terminated.c_str(), (terminated.size() + 1) * sizeof(wchar_t));
  // Values of other types are not texts, however their bytes look.
  const std::uint64_t number = 0x0041004100410041;
  key.Set(L"Binary", REG_BINARY, text.c_str(), 6);
  key.Set(L"Dword", REG_DWORD, &number, 4);
  key.Set(L"BigEndian", REG_DWORD_BIG_ENDIAN, &number, 4);
  key.Set(L"Qword", REG_QWORD, &number, 8);
  key.Set(L"Multi", REG_MULTI_SZ, L"one\0two\0", 18);
  key.Set(L"None", REG_NONE, text.c_str(), 6);
  key.Set(L"Link", REG_LINK, text.c_str(), 4);
  key.Set(L"Resources", REG_RESOURCE_LIST, text.c_str(), 4);
  key.Set(L"Unknown", 0x1234, text.c_str(), 6);
  // Texts without their terminating zero, with half a character, empty, and a million
  // characters long.
  key.Set(L"Open", REG_SZ, L"open", 8);
  key.Set(L"OpenExpand", REG_EXPAND_SZ, L"%SystemRoot%\\x", 28);
  key.Set(L"HalfCharacter", REG_SZ, L"abc", 5);
  key.Set(L"Empty", REG_SZ, L"", 0);
  const std::wstring huge(1 << 20, L'h');
  key.Set(L"Huge", REG_SZ, huge.c_str(), huge.size() * sizeof(wchar_t));

  fm::test::TestFolder folder(L"hostile-class");
  folder.Folder(L"classy");
  WriteText(folder / L"classy\\desktop.ini",
            "[.ShellClassInfo]\r\nCLSID=" + Narrow(clsid) + "\r\n");
  Show(folder.Path());

  wchar_t root[MAX_PATH] = {};
  GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  std::vector<std::wstring> lines = LinesAfterType(TipOf(L"classy"));
  // The registry lists values in an order of its own.
  std::sort(lines.begin(), lines.end());
  EXPECT_EQ(lines, (std::vector<std::wstring>{
                       L"InfoTip: (Registry) (Default) Hostile Class",
                       L"InfoTip: (Registry) (HalfCharacter) ab",
                       // A line of a million characters is cut for the tip.
                       (L"InfoTip: (Registry) (Huge) " + huge).substr(0, fm::kTipMaxLineLength - 1) +
                           L"\u2026",
                       L"InfoTip: (Registry) (Open) open",
                       L"InfoTip: (Registry) (OpenExpand) " + std::wstring(root) + L"\\x",
                   }));
}

TEST_F(FaultsOfFileInformation, VersionDataCutOrPointingPastItsEndShowsWhatCanBeRead) {
  fm::test::TestFolder folder(L"hostile-version");
  const Bytes full = ReadBytes(fm::test::FixturePath(L"full.exe"));
  const std::size_t root = KeyOffset(full, L"VS_VERSION_INFO") - 6;
  const std::size_t strings = KeyOffset(full, L"StringFileInfo") - 6;
  const std::size_t table = KeyOffset(full, L"040904B0") - 6;
  const std::size_t company = KeyOffset(full, L"CompanyName") - 6;
  const std::size_t privateBuild = KeyOffset(full, L"PrivateBuild") - 6;

  // What the full resource shows; a cut resource shows the kind alone, or nothing.
  const std::vector<std::wstring> everything = {
      L"Company: Fixture Company", L"Description: Fixture with every string",
      L"File Version: 1.2.3.4", L"Internal Filename: full", L"Copyright: Copyright (C) Fixture",
      L"Trademark: Fixture (TM)", L"Original Filename: full.exe", L"Product: Fixture Product",
      L"Product Version: 5.6.7.8", L"Comments: No comment", L"Special Build: Special one",
      L"Private Build: Private one", L"Function: Application"};
  const std::vector<std::wstring> kindOnly = {L"Function: Application"};
  const std::vector<std::wstring> nothing;
  const auto patched = [&](std::size_t offset, std::uint16_t value) {
    Bytes bytes = full;
    PutWord(bytes, offset, value);
    return bytes;
  };
  const auto cut = [&](std::size_t size) {
    return Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
  };
  struct Case {
    const wchar_t* name;
    Bytes bytes;
    const std::vector<std::wstring>& lines;
  };
  const Case cases[] = {
      {L"cut-in-version.exe", cut(company + 10), nothing},
      {L"cut-after-headers.exe", cut(1024), nothing},
      // The system reads the blocks within the data it found, whatever they claim.
      {L"root-past-end.exe", patched(root, 0xFFFF), everything},
      {L"table-past-end.exe", patched(table, 0xFFFF), everything},
      {L"block-past-end.exe", patched(privateBuild, 0xFFFF), everything},
      {L"value-past-end.exe", patched(company + 2, 0x7FFF), everything},
      // Blocks of no length or past their parent's end hide what they hold.
      {L"root-of-no-length.exe", patched(root, 0), kindOnly},
      {L"strings-past-end.exe", patched(strings, 0xFFFF), kindOnly},
      {L"strings-of-no-length.exe", patched(strings, 0), kindOnly},
      // A fixed part too short to be one moves every block after it.
      {L"fixed-info-short.exe", patched(root + 2, 8), nothing},
  };
  for (const Case& c : cases) WriteBytes(folder / c.name, c.bytes);
  Show(folder.Path());
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    std::vector<std::wstring> lines = LinesAfterType(TipOf(c.name));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind(L"Size: ", 0), 0u);
    lines.pop_back();
    EXPECT_EQ(lines, c.lines);
  }
}

// Memory whose end is followed by a page that may not be read: a read past the end stops
// the test instead of passing unseen.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(const Bytes& bytes) {
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    page_ = system.dwPageSize;
    base_ = static_cast<BYTE*>(
        VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    DWORD before = 0;
    if (!base_ || bytes.size() > page_ ||
        !VirtualProtect(base_ + page_, page_, PAGE_NOACCESS, &before)) {
      ADD_FAILURE() << "no guarded buffer";
      return;
    }
    data_ = base_ + page_ - bytes.size();
    std::copy(bytes.begin(), bytes.end(), data_);
    size_ = bytes.size();
  }
  ~GuardedBuffer() {
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
  }
  GuardedBuffer(const GuardedBuffer&) = delete;
  GuardedBuffer& operator=(const GuardedBuffer&) = delete;
  std::span<const BYTE> Span() const { return {data_, size_}; }

 private:
  std::size_t page_ = 0;
  BYTE* base_ = nullptr;
  BYTE* data_ = nullptr;
  std::size_t size_ = 0;
};

// A block of version data: its lengths, type and key, its value, then its children, each
// on a 32-bit boundary. The value length is written as given, whatever the value holds.
Bytes VersionBlock(const std::wstring& key, std::uint16_t type, std::uint16_t valueLength,
                   const Bytes& value, const std::vector<Bytes>& children) {
  Bytes block(6, '\0');
  for (const wchar_t c : key + L'\0') {
    block.push_back(static_cast<char>(c & 0xFF));
    block.push_back(static_cast<char>(c >> 8));
  }
  const auto align = [&] { block.resize((block.size() + 3) & ~std::size_t{3}, '\0'); };
  align();
  block.insert(block.end(), value.begin(), value.end());
  for (const Bytes& child : children) {
    align();
    block.insert(block.end(), child.begin(), child.end());
  }
  PutWord(block, 0, static_cast<std::uint16_t>(block.size()));
  PutWord(block, 2, valueLength);
  PutWord(block, 4, type);
  return block;
}

TEST(FaultsOfVersionData, AStringWhoseLengthPointsPastTheBufferIsReadUpToItsEnd) {
  // The company name is the last value of the data and has no terminating zero; its
  // length claims 32,767 characters.
  const std::wstring name = L"Company of no end";
  Bytes text;
  for (const wchar_t c : name) {
    text.push_back(static_cast<char>(c & 0xFF));
    text.push_back(static_cast<char>(c >> 8));
  }
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = VS_FFI_SIGNATURE;
  fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
  const Bytes fixedBytes(reinterpret_cast<const char*>(&fixed),
                         reinterpret_cast<const char*>(&fixed) + sizeof(fixed));
  const Bytes translation = {'\x09', '\x04', '\xB0', '\x04'};
  const Bytes data = VersionBlock(
      L"VS_VERSION_INFO", 0, sizeof(fixed), fixedBytes,
      {VersionBlock(L"VarFileInfo", 1, 0, {}, {VersionBlock(L"Translation", 0, 4, translation, {})}),
       VersionBlock(L"StringFileInfo", 1, 0, {},
                    {VersionBlock(L"040904B0", 1, 0, {},
                                  {VersionBlock(L"CompanyName", 1, 0x7FFF, text, {})})})});
  const GuardedBuffer buffer(data);
  EXPECT_EQ(myHelper::QueryVersionString(buffer.Span(), L"CompanyName"), name);
  EXPECT_EQ(myHelper::QueryVersionString(buffer.Span(), L"ProductName"), L"");
}

}  // namespace
