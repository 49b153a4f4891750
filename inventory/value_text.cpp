#include "inventory/value_text.h"

#include <vector>

#include "core/utf16.h"

namespace vorlen {

namespace {

constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";

void AppendHexByte(std::wstring& out, std::uint8_t byte) {
    out.push_back(kHexDigits[byte >> 4]);
    out.push_back(kHexDigits[byte & 0x0F]);
}

// The UTF-16 units of string data, with an odd trailing byte as one more
// unit of its own, and the terminating NUL dropped only when it is there.
std::vector<char16_t> StringUnits(std::span<const std::uint8_t> data) {
    std::vector<char16_t> units;
    units.reserve(data.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 1 < data.size(); i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    if (i < data.size()) units.push_back(static_cast<char16_t>(data[i]));
    if (!units.empty() && units.back() == u'\0') units.pop_back();
    return units;
}

// UTF-16 units as a wide text: unchanged where wchar_t is 16 bits, with
// surrogate pairs joined where it holds whole code points. A lone surrogate
// is kept as its unit value rather than dropped.
std::wstring WideFromUnits(const std::vector<char16_t>& units) {
    std::wstring text;
    text.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        if constexpr (sizeof(wchar_t) >= 4) {
            if (IsHighSurrogate(units[i]) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
                text.push_back(static_cast<wchar_t>(CodePointOfPair(units[i], units[i + 1])));
                ++i;
                continue;
            }
        }
        text.push_back(static_cast<wchar_t>(units[i]));
    }
    return text;
}

std::wstring StringText(std::span<const std::uint8_t> data) { return WideFromUnits(StringUnits(data)); }

// Each NUL left between the strings becomes one blank.
std::wstring MultiStringText(std::span<const std::uint8_t> data) {
    std::vector<char16_t> units = StringUnits(data);
    for (char16_t& unit : units) {
        if (unit == u'\0') unit = u' ';
    }
    return WideFromUnits(units);
}

std::wstring HexNumberText(std::span<const std::uint8_t> data) {
    std::wstring text;
    text.reserve(data.size() * 2);
    for (std::size_t i = data.size(); i > 0; --i) AppendHexByte(text, data[i - 1]);
    return text;
}

std::wstring HexBytesText(std::span<const std::uint8_t> data) {
    std::wstring text;
    text.reserve(data.size() * 3);
    for (const std::uint8_t byte : data) {
        AppendHexByte(text, byte);
        text.push_back(L' ');
    }
    return text;
}

}  // namespace

std::wstring ValueTypeText(std::uint32_t type) {
    switch (type) {
    case kRegNone: return L"REG_NONE";
    case kRegSz: return L"REG_SZ";
    case kRegExpandSz: return L"REG_EXPAND_SZ";
    case kRegBinary: return L"REG_BINARY";
    case kRegDword: return L"REG_DWORD";
    case kRegMultiSz: return L"REG_MULTI_SZ";
    case kRegResourceList: return L"REG_RESOURCE_LIST";
    default: return L"Other Type";
    }
}

std::wstring ValueDataText(std::uint32_t type, std::span<const std::uint8_t> data) {
    switch (type) {
    case kRegSz:
    case kRegExpandSz: return StringText(data);
    case kRegMultiSz: return MultiStringText(data);
    case kRegDword: return HexNumberText(data);
    default: return HexBytesText(data);
    }
}

std::wstring ValueNameText(std::wstring_view name) {
    if (name.empty()) return L"(標準)";
    return std::wstring(name);
}

}  // namespace vorlen
