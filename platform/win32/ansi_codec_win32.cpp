#include "platform/win32/ansi_codec_win32.h"

#include <windows.h>

#include <climits>

namespace vorlen {

std::optional<std::string> Win32AnsiCodec::Encode(std::wstring_view text) const {
    if (text.empty()) return std::string();
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const int length = static_cast<int>(text.size());

    // Without WC_NO_BEST_FIT_CHARS an "Ā" would quietly become "A"; with it,
    // every character the code page lacks becomes the default character and
    // is reported. A UTF-8 ANSI code page takes neither the flag nor the
    // report, and refuses only what UTF-8 cannot hold.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultOut = utf8 ? nullptr : &usedDefault;

    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.data(), length, bytes.data(), size, nullptr, usedDefaultOut) != size ||
        usedDefault)
        return std::nullopt;
    return bytes;
}

std::wstring Win32AnsiCodec::Decode(std::string_view text) const {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (size <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size) != size) return {};
    return wide;
}

}  // namespace vorlen
