// The one exception type of the program: an error with the text the user is shown.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace fm {

class Error : public std::exception {
 public:
  explicit Error(std::wstring text) : text_(std::move(text)) {}

  const std::wstring& Text() const noexcept { return text_; }
  // The text is wide; callers that show errors use Text().
  const char* what() const noexcept override { return "fm::Error"; }

 private:
  std::wstring text_;
};

}  // namespace fm
