#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// A text read as a decimal number: blanks and tabs around it, an optional
// sign, digits with an optional point and fraction (at least one digit in
// all), and an optional exponent ("e" or "E", an optional sign, digits).
// Hexadecimal and grouped forms are not numbers.
struct DecimalText {
    bool negative = false;
    // The significant digits, leading zeros dropped: "" for zero.
    std::wstring digits;
    // The power of ten that places the point, exponent applied: the value is
    // 0.d1d2d3… × 10^pointPosition, so "1.5" has 1, ".5" 0, "0.05" -1 and
    // "1e2" 3. Clamped far beyond any range a caller converts to.
    int pointPosition = 0;
    // The number without the blanks around it and without its sign, for a
    // conversion that wants the characters themselves.
    std::wstring_view unsignedText;
};

// The text as a decimal number, or nothing when it is not one.
std::optional<DecimalText> ScanDecimalText(std::wstring_view text);

}  // namespace vorlen
