// What the figures were measured on: the processor, memory, Wine and the build.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Lines for the head of the report.
std::vector<std::string> MachineLines();

}  // namespace bench
