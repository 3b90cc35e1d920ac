#include "FileJobDriver.h"

#include <stdexcept>

#include "WinTestSupport.h"

namespace fm::test {

namespace {

constexpr UINT kNewsMessage = WM_APP + 19;
constexpr wchar_t kClassName[] = L"FoldmereFileJobDriver";

bool HasEnded(JobState state) {
  return state == JobState::Done || state == JobState::Cancelled || state == JobState::Failed;
}

}  // namespace

FileJobDriver::FileJobDriver() {
  WNDCLASSEXW windowClass{sizeof windowClass};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  window_.Reset(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
  if (!window_) throw std::runtime_error("no window for the engine's news");
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  engine_ = std::make_unique<FileJobEngine>(window_.Get(), kNewsMessage);
}

FileJobDriver::~FileJobDriver() {
  engine_.reset();
  SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK FileJobDriver::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<FileJobDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kNewsMessage && self != nullptr && self->engine_) {
    self->TakeNews();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void FileJobDriver::TakeNews() {
  const JobNews news = engine_->TakeNews();
  for (const auto& job : news.jobs) {
    auto& states = states_[job.id];
    if (states.empty() || states.back() != job.state) states.push_back(job.state);
    const bool wasEnded = latest_.contains(job.id) && HasEnded(latest_[job.id].state);
    latest_[job.id] = job;
    if (HasEnded(job.state) && !wasEnded) ended_.push_back(job.id);
  }
  if (watch) watch(news);
  for (const auto& question : news.questions) {
    asked_.push_back(question);
    engine_->AnswerQuestion(question.id, answer ? answer(question) : Answer::Cancel);
  }
}

bool FileJobDriver::WaitUntil(JobId id, const std::function<bool(const JobProgress&)>& done,
                              DWORD timeoutMs) {
  return PumpUntil(
      [&] {
        auto it = latest_.find(id);
        return it != latest_.end() && done(it->second);
      },
      timeoutMs);
}

JobProgress FileJobDriver::WaitFor(JobId id, DWORD timeoutMs) {
  WaitUntil(
      id, [](const JobProgress& p) { return HasEnded(p.state); }, timeoutMs);
  auto it = latest_.find(id);
  return it != latest_.end() ? it->second : JobProgress{};
}

std::vector<JobState> FileJobDriver::StatesOf(JobId id) const {
  auto it = states_.find(id);
  return it != states_.end() ? it->second : std::vector<JobState>{};
}

std::string ReadWhole(const std::wstring& path) {
  const UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return "<missing>";
  std::string text;
  char block[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), block, sizeof block, &got, nullptr) && got > 0)
    text.append(block, got);
  return text;
}

void WriteWhole(const std::wstring& path, const std::string& text, const FILETIME* written) {
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot write a fixture file");
  DWORD put = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
  if (written != nullptr) SetFileTime(file.Get(), nullptr, nullptr, written);
}

FILETIME LastWrite(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

FILETIME DaysAfter2020(int days) {
  // 2020-01-01 in 100-ns ticks since 1601.
  const ULONGLONG ticks = 132223104000000000ull + static_cast<ULONGLONG>(days) * 864000000000ull;
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace fm::test
