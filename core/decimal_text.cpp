#include "core/decimal_text.h"

namespace vorlen {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Positions and exponents beyond this are far outside any double's range;
// clamping keeps the arithmetic free of overflow.
constexpr int kPositionClamp = 1000000;

}  // namespace

std::optional<DecimalText> ScanDecimalText(std::wstring_view text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;

    DecimalText number;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        number.negative = text[i] == L'-';
        ++i;
    }
    const std::size_t unsignedStart = i;

    bool anyDigit = false;
    for (; i < end && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (number.digits.empty() && text[i] == L'0') continue;
        number.digits.push_back(text[i]);
        if (number.pointPosition < kPositionClamp) ++number.pointPosition;
    }
    if (i < end && text[i] == L'.') {
        for (++i; i < end && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (number.digits.empty() && text[i] == L'0') {
                if (number.pointPosition > -kPositionClamp) --number.pointPosition;
                continue;
            }
            number.digits.push_back(text[i]);
        }
    }
    if (!anyDigit) return std::nullopt;

    if (i < end && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ++i;
        }
        if (i == end || !IsDigit(text[i])) return std::nullopt;
        int exponent = 0;
        for (; i < end && IsDigit(text[i]); ++i)
            if (exponent < kPositionClamp) exponent = exponent * 10 + (text[i] - L'0');
        number.pointPosition += negativeExponent ? -exponent : exponent;
    }
    if (i != end) return std::nullopt;
    number.unsignedText = text.substr(unsignedStart, end - unsignedStart);
    return number;
}

}  // namespace vorlen
