#pragma once
#include <string>
#include <string_view>

namespace vorlen {

// Windows keeps text in UTF-16: characters above U+FFFF as a pair of a high
// and a low surrogate.
constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr char32_t CodePointOfPair(char32_t high, char32_t low) {
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// UTF-8 without a byte-order mark. Surrogate pairs become one code point; a
// lone surrogate or a value beyond U+10FFFF, which UTF-8 cannot hold,
// becomes U+FFFD.
std::string EncodeUtf8(std::wstring_view text);

}  // namespace vorlen
