#include "StartProtection.h"

#include <exception>

#include "ui/Application.h"

namespace foldmere {

int RunProtected(const std::function<int()>& program) noexcept {
  try {
    return program();
  } catch (...) {
    fm::ui::Application().HandleException(std::current_exception());
    return 1;
  }
}

}  // namespace foldmere
