#include "dialogs/program_version.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace vorlen {

namespace {

// The root block of a version record: its header, the key
// "VS_VERSION_INFO" with its terminator, then, on the next 32-bit boundary,
// the VS_FIXEDFILEINFO record.
constexpr std::wstring_view kRootKey = L"VS_VERSION_INFO";
constexpr std::size_t kHeaderBytes = 3 * sizeof(WORD);
constexpr std::size_t kFixedInfoOffset = (kHeaderBytes + (kRootKey.size() + 1) * sizeof(wchar_t) + 3) & ~std::size_t{3};

}  // namespace

std::optional<FileVersion> ReadModuleVersion(HMODULE module) {
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!found) return std::nullopt;
    const DWORD size = SizeofResource(module, found);
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || size < kFixedInfoOffset + sizeof(VS_FIXEDFILEINFO)) return std::nullopt;

    WORD valueLength = 0;
    std::memcpy(&valueLength, bytes + sizeof(WORD), sizeof(valueLength));
    wchar_t key[kRootKey.size() + 1];
    std::memcpy(key, bytes + kHeaderBytes, sizeof(key));
    if (valueLength < sizeof(VS_FIXEDFILEINFO) || std::wstring_view(key, kRootKey.size()) != kRootKey ||
        key[kRootKey.size()] != L'\0')
        return std::nullopt;

    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, bytes + kFixedInfoOffset, sizeof(fixed));
    if (fixed.dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
    return FileVersion{HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS), HIWORD(fixed.dwFileVersionLS),
                       LOWORD(fixed.dwFileVersionLS)};
}

}  // namespace vorlen
