#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace vorlen {

// Reads a settings text as a 16-bit integer: blanks around it are ignored, a
// fraction goes to the nearest integer with halves to the even neighbour, and
// the result must lie in -32768..32767. Empty when the text is no such number.
std::optional<std::int16_t> ParseSettingNumber(std::wstring_view text);

}  // namespace vorlen
