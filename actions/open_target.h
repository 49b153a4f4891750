#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// True when the text begins with "http://" or "https://", the scheme's
// letters in any case. The address is then opened exactly as it stands.
bool IsWebAddress(std::wstring_view text);

// The path whose folder a text names: for a command line, the part before its
// first point cut back to before its last backslash, with quotes removed —
// "C:\Program Files\App\uninst.exe" /S gives C:\Program Files\App. A text
// without a point is the path itself; a part before the point that ends with
// a backslash is kept as it is. Empty for an empty text.
std::optional<std::wstring> FolderToOpen(std::wstring_view text);

// The command line that shows a path in Explorer.
std::wstring ExplorerCommandLine(const std::wstring& path);

}  // namespace vorlen
