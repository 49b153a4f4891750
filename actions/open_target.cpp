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

bool IsControlCharacter(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

// The Unicode space separators and the line and paragraph separators.
bool IsBlank(wchar_t c) {
    return c == L' ' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

bool IsUnsafeInWebAddress(wchar_t c) {
    return c == L'"' || c == L'<' || c == L'>' || IsControlCharacter(c) || IsBlank(c);
}

}  // namespace

bool IsWebAddress(std::wstring_view text) {
    return StartsWithIgnoringAsciiCase(text, L"http://") || StartsWithIgnoringAsciiCase(text, L"https://");
}

WebAddressCheck CheckWebAddress(std::wstring_view text) {
    if (!IsWebAddress(text)) return WebAddressCheck::NotWebAddress;
    if (text.size() > kMaxWebAddressLength) return WebAddressCheck::TooLong;
    if (std::any_of(text.begin(), text.end(), IsUnsafeInWebAddress)) return WebAddressCheck::UnsafeCharacter;
    return WebAddressCheck::Openable;
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
