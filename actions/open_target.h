#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// True when the text begins with "http://" or "https://", the scheme's
// letters in any case. The address is then opened exactly as it stands.
bool IsWebAddress(std::wstring_view text);

// The longest web address handed to the shell: INTERNET_MAX_URL_LENGTH, 2,084
// with the terminating NUL. Windows' ShellExecuteW takes addresses up to it.
// Wine 8.0's takes only 995 characters: it fails on 996 and from 997 on
// overruns a fixed buffer and ends the calling process, whatever the
// handler's command; so under Wine addresses between the two limits still
// end the program, while on Windows they open.
inline constexpr std::size_t kMaxWebAddressLength = 2083;

enum class WebAddressCheck {
    NotWebAddress,    // not http:// or https:// (IsWebAddress): nothing to open
    Openable,         // valid as it stands: hand it to the shell unchanged
    UnsafeCharacter,  // holds a double quote, a blank, a control character, < or >
    TooLong,          // longer than kMaxWebAddressLength
};

// Whether a text may be opened as a web address exactly as it stands. An
// address is handed to the browser on a command line built from the
// handler's template, so a double quote or a blank in it would let the text
// add arguments of its own; those characters, control characters and angle
// brackets are never valid in an address, so such a text is refused rather
// than changed. Blanks include the Unicode ones (U+3000 and the like).
WebAddressCheck CheckWebAddress(std::wstring_view text);

// The path whose folder a text names: for a command line, the part before its
// first point cut back to before its last backslash, with quotes removed —
// "C:\Program Files\App\uninst.exe" /S gives C:\Program Files\App. A text
// without a point is the path itself; a part before the point that ends with
// a backslash is kept as it is. Empty for an empty text.
std::optional<std::wstring> FolderToOpen(std::wstring_view text);

// The command line that shows a path in Explorer.
std::wstring ExplorerCommandLine(const std::wstring& path);

}  // namespace vorlen
