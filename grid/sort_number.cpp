#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "grid/grid_model.h"

namespace vorlen {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Far beyond any double's range; keeps the magnitude arithmetic from overflowing.
constexpr long kMagnitudeClamp = 1000000;

}  // namespace

// The text is checked against the number form by hand, then converted by
// std::from_chars, which reads the same digits whatever the C locale says.
std::optional<double> ParseSortNumber(std::wstring_view text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && IsBlank(text[i])) ++i;
    while (end > i && IsBlank(text[end - 1])) --end;
    if (i == end) return std::nullopt;

    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') {
        negative = text[i] == L'-';
        ++i;
    }
    const std::size_t numberStart = i;
    // Only the digits and the order of magnitude are tracked here: the
    // magnitude (where the first significant digit stands relative to the
    // point) tells an overflow from an underflow if the conversion fails.
    std::size_t digits = 0;
    long magnitude = 0;
    bool significant = false;
    for (; i < end && IsDigit(text[i]); ++i) {
        ++digits;
        significant = significant || text[i] != L'0';
        if (significant && magnitude < kMagnitudeClamp) ++magnitude;
    }
    if (i < end && text[i] == L'.') {
        for (++i; i < end && IsDigit(text[i]); ++i) {
            ++digits;
            if (!significant && text[i] == L'0' && magnitude > -kMagnitudeClamp) --magnitude;
            significant = significant || text[i] != L'0';
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < end && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < end && (text[i] == L'+' || text[i] == L'-')) {
            negativeExponent = text[i] == L'-';
            ++i;
        }
        if (i == end || !IsDigit(text[i])) return std::nullopt;
        long exponent = 0;
        for (; i < end && IsDigit(text[i]); ++i) {
            if (exponent < kMagnitudeClamp) exponent = exponent * 10 + (text[i] - L'0');
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (i != end) return std::nullopt;

    // Every character is now an ASCII digit, point, sign or exponent letter.
    std::string narrow(end - numberStart, '\0');
    for (std::size_t k = numberStart; k < end; ++k) narrow[k - numberStart] = static_cast<char>(text[k]);
    double value = 0;
    const auto [ptr, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || ptr != narrow.data() + narrow.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace vorlen
