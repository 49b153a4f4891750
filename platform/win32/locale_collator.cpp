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

}  // namespace vorlen
