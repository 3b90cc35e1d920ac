// The one exception type of the program: an error with the text the user is shown.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace fm {

// UTF-8 of a wide text (UTF-16 or UTF-32, as wchar_t is wide); unpaired surrogates
// become U+FFFD.
std::string ToUtf8(const std::wstring& text);

class Error : public std::exception {
 public:
  explicit Error(std::wstring text) : text_(std::move(text)), utf8_(ToUtf8(text_)) {}

  const std::wstring& Text() const noexcept { return text_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring text_;
  std::string utf8_;
};

}  // namespace fm
