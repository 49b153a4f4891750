#include "grid/text_collator.h"

namespace vorlen {

namespace {

// The lower-case partner of an upper-case Latin letter: ASCII, Latin-1,
// Latin Extended-A and the full-width Latin letters of East Asian text.
char32_t FoldLatinCase(char32_t c) {
    if (c < 0x80) return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
    if (c < 0x100 || c > 0x17F) return c;
    if (c == 0x178)  // Ÿ pairs with ÿ of Latin-1
        return 0xFF;
    // Latin Extended-A pairs each capital with the letter after it; the
    // pairing starts on even code points, except in the runs below.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
        return c;  // dotted/dotless I, kra, ŉ and long s have no plain partner
    const bool isCapital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
    return isCapital ? c + 1 : c;
}

// Orders UTF-16 units by code point: surrogates, which stand for code points
// above U+FFFF, are moved above the rest of the 16-bit range.
char32_t CodePointOrder(char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c <= 0xDFFF) return c + 0x2000;
        if (c >= 0xE000) return c - 0x800;
    }
    return c;
}

}  // namespace

std::optional<std::string> TextCollator::SortKey(std::wstring_view) const { return std::nullopt; }

int OrdinalIgnoreCaseCollator::Compare(std::wstring_view a, std::wstring_view b) const {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] == b[i]) continue;  // the common case in sorted lists with shared prefixes
        const char32_t x = CodePointOrder(FoldLatinCase(static_cast<char32_t>(a[i])));
        const char32_t y = CodePointOrder(FoldLatinCase(static_cast<char32_t>(b[i])));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace vorlen
