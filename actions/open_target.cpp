#include "actions/open_target.h"

#include <algorithm>

namespace vorlen {

namespace {

bool StartsWithIgnoringAsciiCase(std::wstring_view text, std::wstring_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lowerPrefix[i]) return false;
    }
    return true;
}

}  // namespace

bool IsWebAddress(std::wstring_view text) {
    return StartsWithIgnoringAsciiCase(text, L"http://") || StartsWithIgnoringAsciiCase(text, L"https://");
}

std::optional<std::wstring> FolderToOpen(std::wstring_view text) {
    if (text.empty()) return std::nullopt;
    std::wstring path(text);
    const auto point = path.find(L'.');
    if (point == std::wstring::npos) return path;
    path.resize(point);
    if (!path.empty() && path.back() == L'\\') return path;
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return path;
    path.resize(slash);
    path.erase(std::remove(path.begin(), path.end(), L'"'), path.end());
    return path;
}

std::wstring ExplorerCommandLine(const std::wstring& path) { return L"explorer " + path; }

}  // namespace vorlen
