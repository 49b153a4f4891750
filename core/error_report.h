#pragma once
#include <cstdint>
#include <string>

namespace vorlen {

// The text of the run-time error box: the fixed words with the number between
// apostrophes on the first line, an empty line, then the description.
std::wstring FormatErrorReport(std::int32_t number, const std::wstring& description);

}  // namespace vorlen
