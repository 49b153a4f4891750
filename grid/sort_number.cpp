#include <charconv>
#include <limits>
#include <string>
#include <system_error>

#include "core/decimal_text.h"
#include "grid/grid_model.h"

namespace vorlen {

// The form is checked by the decimal scanner, then the characters are
// converted by std::from_chars, which reads the same digits whatever the C
// locale says. The scanner's point position tells an overflow from an
// underflow when the conversion fails.
std::optional<double> ParseSortNumber(std::wstring_view text) {
    const std::optional<DecimalText> number = ScanDecimalText(text);
    if (!number) return std::nullopt;
    // Every character is now an ASCII digit, point or exponent letter or sign.
    std::string narrow(number->unsignedText.size(), '\0');
    for (std::size_t k = 0; k < narrow.size(); ++k) narrow[k] = static_cast<char>(number->unsignedText[k]);
    double value = 0;
    const auto [ptr, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = number->pointPosition > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || ptr != narrow.data() + narrow.size()) {
        return std::nullopt;
    }
    return number->negative ? -value : value;
}

}  // namespace vorlen
