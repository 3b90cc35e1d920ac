// Colours as the window framework takes them: 0x00BBGGRR, or 0xFF0000nn for system colour nn.
#pragma once

#include <cstdint>

namespace fm {

using TColor = std::uint32_t;

// The desktop's highlight colour (system colour 13), resolved when drawn.
inline constexpr TColor clHighlight = 0xFF00000D;

}  // namespace fm
