#include "platform/win32/locale_collator.h"

#include <windows.h>

namespace vorlen {

int UserLocaleCollator::Compare(std::wstring_view a, std::wstring_view b) const {
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                       b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    // 0 means the call failed; fall back to an order that is still total.
    if (result == 0) return a.compare(b);
    return result - CSTR_EQUAL;
}

std::optional<std::string> UserLocaleCollator::SortKey(std::wstring_view text) const {
    // The function refuses an empty text; the empty key sorts it first, as
    // the comparison does.
    if (text.empty()) return std::string();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(text.size());
    const int bytes =
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, nullptr, 0, nullptr, nullptr, 0);
    if (bytes <= 0) return std::nullopt;
    std::string key(static_cast<std::size_t>(bytes), '\0');
    if (LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, text.data(), length, reinterpret_cast<LPWSTR>(key.data()), bytes,
                      nullptr, nullptr, 0) != bytes)
        return std::nullopt;
    return key;
}

}  // namespace vorlen
