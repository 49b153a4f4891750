#include "core/setting_number.h"

#include <string>

namespace vorlen {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Exponents beyond this already push any non-zero number far out of range;
// clamping keeps the arithmetic below free of overflow.
constexpr int kExponentClamp = 100000;

}  // namespace

// The number is rounded from its exact decimal digits rather than through a
// double, so that "2.5000000000000001" rounds up and "32767.5" is seen as a
// half that rounds to the even 32768 (out of range).
std::optional<std::int16_t> ParseSettingNumber(std::wstring_view text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;

    bool negative = false;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }

    // Significant digits (leading zeros dropped) and the position of the
    // decimal point relative to the first of them.
    std::wstring digits;
    int pointPosition = 0;
    bool anyDigit = false;
    for (; i < end && IsDigit(text[i]); ++i) {
        anyDigit = true;
        if (digits.empty() && text[i] == L'0') continue;
        digits.push_back(text[i]);
        if (pointPosition < kExponentClamp) ++pointPosition;
    }
    if (i < end && text[i] == L'.') {
        for (++i; i < end && IsDigit(text[i]); ++i) {
            anyDigit = true;
            if (digits.empty() && text[i] == L'0') {
                if (pointPosition > -kExponentClamp) --pointPosition;
                continue;
            }
            digits.push_back(text[i]);
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
        for (; i < end && IsDigit(text[i]); ++i) {
            if (exponent < kExponentClamp) exponent = exponent * 10 + (text[i] - L'0');
        }
        pointPosition += negativeExponent ? -exponent : exponent;
    }
    if (i != end) return std::nullopt;

    if (digits.empty()) return std::int16_t{0};
    // The first significant digit is non-zero, so the value is at least
    // 10^(pointPosition-1): six integer digits can never fit.
    if (pointPosition > 5) return std::nullopt;

    std::int32_t magnitude = 0;
    for (int d = 0; d < pointPosition; ++d) {
        const auto index = static_cast<std::size_t>(d);
        magnitude = magnitude * 10 + (index < digits.size() ? digits[index] - L'0' : 0);
    }

    // Round the fraction that follows the integer digits, halves to even.
    const std::size_t fractionStart = pointPosition < 0 ? 0 : static_cast<std::size_t>(pointPosition);
    if (pointPosition >= 0 && fractionStart < digits.size()) {
        const wchar_t first = digits[fractionStart];
        bool roundUp = false;
        if (first > L'5') {
            roundUp = true;
        } else if (first == L'5') {
            const bool moreAfterHalf = digits.find_first_not_of(L'0', fractionStart + 1) != std::wstring::npos;
            roundUp = moreAfterHalf || (magnitude % 2 != 0);
        }
        if (roundUp) ++magnitude;
    }
    // pointPosition < 0: the value is below 0.1 and rounds to 0.

    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace vorlen
