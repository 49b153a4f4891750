#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorlen {

// Registry value types by their stored numbers.
enum RegistryValueType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
    kRegResourceList = 8,
};

// "REG_SZ", "REG_DWORD", … or "Other Type".
std::wstring ValueTypeText(std::uint32_t type);

// The data of one value as text. String data is UTF-16LE as the wide registry
// functions return it; an odd trailing byte is kept as a character of its own
// (its byte value), and then the last character is dropped only when it is a
// NUL, so a string stored without terminator keeps all its characters. Other
// NULs inside a string stay; in a multi-string each becomes a blank. DWORDs
// are the hex digits of all bytes from the last down; everything else is hex
// bytes each followed by a blank. No data gives "" for every type.
std::wstring ValueDataText(std::uint32_t type, std::span<const std::uint8_t> data);

// The name shown for a value; the unnamed default value is "(標準)".
std::wstring ValueNameText(std::wstring_view name);

}  // namespace vorlen
