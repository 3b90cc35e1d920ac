// Where the tests find the fixture binaries the build makes beside them.
#pragma once

#include <string>

namespace fm::test {

// The full path of a fixture binary by its file name.
std::wstring FixturePath(const std::wstring& name);

}  // namespace fm::test
