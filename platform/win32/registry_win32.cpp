#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/win32/sub_key_enumeration.h"
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

// Value names are at most 16383 characters.
constexpr DWORD kMaxValueNameChars = 16383;
// Most values fit this; longer ones grow the buffer to the reported length.
constexpr DWORD kInitialDataBytes = 4096;

// A buffer that holds every value name, and one for the data that most
// values fit, allocated once per key and not cleared: only what a read
// returns is looked at. (Not kept per thread: MinGW-w64 frees a thread's
// thread_local storage before it runs the destructors of the objects in it,
// so each reader thread that ended freed stale pointers.)
struct ValueBuffers {
    std::unique_ptr<wchar_t[]> name = std::make_unique_for_overwrite<wchar_t[]>(kMaxValueNameChars + 1);
    std::vector<BYTE> data = std::vector<BYTE>(kInitialDataBytes);
};

}  // namespace

bool Win32Registry::ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const {
    // The query right lets the enumeration count the sub-keys first.
    UniqueHkey key;
    if (!OpenKey(place, path, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key) &&
        !OpenKey(place, path, KEY_ENUMERATE_SUB_KEYS, key))
        return false;
    EnumerateSubKeys(key.get(), visit);
    return true;
}

ValueVisitEnd Win32Registry::ForEachValue(RegistryPlace place, const std::wstring& path,
                                          const RegistryValueVisitor& visit) const {
    UniqueHkey key;
    if (!OpenKey(place, path, KEY_QUERY_VALUE, key)) return ValueVisitEnd::NotOpened;
    ValueBuffers buffers;
    int regrowths = 0;  // bounds the re-reads of a value that keeps growing meanwhile
    for (DWORD index = 0;;) {
        DWORD nameLength = kMaxValueNameChars + 1;
        DWORD type = REG_NONE;
        DWORD dataLength = static_cast<DWORD>(buffers.data.size());
        const LSTATUS status = RegEnumValueW(key.get(), index, buffers.name.get(), &nameLength, nullptr, &type,
                                             buffers.data.data(), &dataLength);
        if (status == ERROR_MORE_DATA && dataLength > buffers.data.size() && regrowths < 8) {
            // Read the same value again, whole.
            buffers.data.resize(dataLength);
            ++regrowths;
            continue;
        }
        // ERROR_NO_MORE_ITEMS ends the values; any other failure (the key
        // deleted meanwhile, say) would repeat for every index, so it ends
        // them too, but the key was not read whole.
        if (status == ERROR_NO_MORE_ITEMS) return ValueVisitEnd::AllValues;
        if (status != ERROR_SUCCESS) return ValueVisitEnd::Interrupted;
        visit(std::wstring_view(buffers.name.get(), nameLength), type,
              std::span<const std::uint8_t>(buffers.data.data(), dataLength));
        ++index;
        regrowths = 0;
    }
}

RegistryWriteTime Win32Registry::CurrentTime() const {
    // The registry stamps a key with the system time, which this reads.
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<RegistryWriteTime>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace vorlen
