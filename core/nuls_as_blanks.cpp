#include "core/nuls_as_blanks.h"

#include <algorithm>

namespace vorlen {

std::wstring NulsAsBlanks(std::wstring_view text) {
    std::wstring shown(text);
    std::replace(shown.begin(), shown.end(), L'\0', L' ');
    return shown;
}

}  // namespace vorlen
