#include "core/setting_number.h"

#include <string>

#include "core/decimal_text.h"

namespace vorlen {

// The number is rounded from its exact decimal digits rather than through a
// double, so that "2.5000000000000001" rounds up and "32767.5" is seen as a
// half that rounds to the even 32768 (out of range).
std::optional<std::int16_t> ParseSettingNumber(std::wstring_view text) {
    const std::optional<DecimalText> number = ScanDecimalText(text);
    if (!number) return std::nullopt;
    const std::wstring& digits = number->digits;
    const int pointPosition = number->pointPosition;
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
    // Below 0.1 (pointPosition < 0) the value rounds to 0.
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

    const std::int32_t value = number->negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace vorlen
