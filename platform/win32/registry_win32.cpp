#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace vorlen {

namespace {

// Opens place\path with `access`; a path holding a NUL is refused, since
// the function would read it only up to the NUL and open another key.
bool OpenKey(RegistryPlace place, const std::wstring& path, REGSAM access, UniqueHkey& key) {
    if (path.find(L'\0') != std::wstring::npos) return false;
    const HKEY root = place.root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (place.view == RegistryView::Bits32) access |= KEY_WOW64_32KEY;
    return RegOpenKeyExW(root, path.c_str(), 0, access, key.put()) == ERROR_SUCCESS;
}

RegistryWriteTime WriteTimeOf(const FILETIME& time) {
    return (static_cast<RegistryWriteTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Windows allows key names of 255 characters and value names of 16383.
constexpr DWORD kMaxKeyNameChars = 255;
constexpr DWORD kMaxValueNameChars = 16383;
// A key name that another registry holds (Wine's takes 256 characters) or a
// program planted through the native API can be longer, up to what a counted
// string carries: 32767 characters.
constexpr std::size_t kKeyNameBufferLimit = 32768;
// Sub-keys that cannot be read, one after the other, before the enumeration
// gives up (the key deleted meanwhile fails every index).
constexpr int kMaxConsecutiveSubKeyFailures = 16;
// Most values fit this; longer ones grow the buffer to the reported length.
constexpr DWORD kInitialDataBytes = 4096;

// Reused by every key a thread reads, so a scan allocates per thread, not per value.
struct ValueBuffers {
    std::vector<wchar_t> name = std::vector<wchar_t>(kMaxValueNameChars + 1);
    std::vector<BYTE> data = std::vector<BYTE>(kInitialDataBytes);
};

ValueBuffers& ThreadBuffers() {
    thread_local ValueBuffers buffers;
    return buffers;
}

// A buffer for a sub-key name that did not fit `current` characters: the
// key's longest sub-key name, at least twice the size, within the limit.
std::size_t GrownKeyNameBuffer(HKEY key, std::size_t current) {
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        longest = 0;
    return std::min(std::max<std::size_t>(std::size_t{longest} + 1, current * 2), kKeyNameBufferLimit);
}

}  // namespace

bool Win32Registry::ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const {
    UniqueHkey key;
    if (!OpenKey(place, path, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key)) return false;
    std::vector<wchar_t> name(kMaxKeyNameChars + 1);
    int failures = 0;
    for (DWORD index = 0; failures < kMaxConsecutiveSubKeyFailures;) {
        DWORD length = static_cast<DWORD>(name.size());
        FILETIME lastWrite{};
        const LSTATUS status =
            RegEnumKeyExW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, &lastWrite);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA && name.size() < kKeyNameBufferLimit) {
            // Read the same sub-key again, whole.
            name.resize(GrownKeyNameBuffer(key.get(), name.size()));
            continue;
        }
        if (status == ERROR_SUCCESS) {
            visit(std::wstring_view(name.data(), length), WriteTimeOf(lastWrite));
            failures = 0;
        } else {
            ++failures;  // this one is left out; the ones after it may still be read
        }
        ++index;
    }
    return true;
}

bool Win32Registry::ForEachValue(RegistryPlace place, const std::wstring& path,
                                 const RegistryValueVisitor& visit) const {
    UniqueHkey key;
    if (!OpenKey(place, path, KEY_QUERY_VALUE, key)) return false;
    ValueBuffers& buffers = ThreadBuffers();
    int regrowths = 0;  // bounds the re-reads of a value that keeps growing meanwhile
    for (DWORD index = 0;;) {
        DWORD nameLength = static_cast<DWORD>(buffers.name.size());
        DWORD type = REG_NONE;
        DWORD dataLength = static_cast<DWORD>(buffers.data.size());
        const LSTATUS status = RegEnumValueW(key.get(), index, buffers.name.data(), &nameLength, nullptr, &type,
                                             buffers.data.data(), &dataLength);
        if (status == ERROR_MORE_DATA && dataLength > buffers.data.size() && regrowths < 8) {
            // Read the same value again, whole.
            buffers.data.resize(dataLength);
            ++regrowths;
            continue;
        }
        // ERROR_NO_MORE_ITEMS ends the values; any other failure (the key
        // deleted meanwhile, say) would repeat for every index, so it ends
        // them too.
        if (status != ERROR_SUCCESS) break;
        visit(std::wstring_view(buffers.name.data(), nameLength), type,
              std::span<const std::uint8_t>(buffers.data.data(), dataLength));
        ++index;
        regrowths = 0;
    }
    return true;
}

}  // namespace vorlen
