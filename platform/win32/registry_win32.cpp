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
// Most value names and data fit these.
constexpr DWORD kInitialNameChars = 256;
constexpr DWORD kInitialDataBytes = 4096;

// The buffers of one key's values: on the stack for the names and data most
// values have, grown on the heap for a longer one, and not cleared: only
// what a read returns is looked at. A scan reads tens of thousands of keys,
// so a key of ordinary values costs no allocation. (Not kept per thread:
// MinGW-w64 frees a thread's thread_local storage before it runs the
// destructors of the objects in it, so each reader thread that ended freed
// stale pointers.)
class ValueBuffers {
public:
    wchar_t* Name() { return longName_ ? longName_.get() : name_; }
    DWORD NameChars() const { return longName_ ? kMaxValueNameChars + 1 : kInitialNameChars; }
    BYTE* Data() { return longData_.empty() ? data_ : longData_.data(); }
    DWORD DataBytes() const { return longData_.empty() ? kInitialDataBytes : static_cast<DWORD>(longData_.size()); }

    // After ERROR_MORE_DATA: room for any name, and for `dataBytes` of data;
    // false when neither could grow.
    bool Grow(DWORD dataBytes) {
        bool grown = false;
        if (!longName_) {
            longName_ = std::make_unique_for_overwrite<wchar_t[]>(kMaxValueNameChars + 1);
            grown = true;
        }
        if (dataBytes > DataBytes()) {
            longData_.resize(dataBytes);
            grown = true;
        }
        return grown;
    }

private:
    wchar_t name_[kInitialNameChars];
    BYTE data_[kInitialDataBytes];
    std::unique_ptr<wchar_t[]> longName_;
    std::vector<BYTE> longData_;
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
        DWORD nameLength = buffers.NameChars();
        DWORD type = REG_NONE;
        DWORD dataLength = buffers.DataBytes();
        const LSTATUS status =
            RegEnumValueW(key.get(), index, buffers.Name(), &nameLength, nullptr, &type, buffers.Data(), &dataLength);
        // The name or the data did not fit: read the same value again, whole.
        if (status == ERROR_MORE_DATA && regrowths < 8 && buffers.Grow(dataLength)) {
            ++regrowths;
            continue;
        }
        // ERROR_NO_MORE_ITEMS ends the values; any other failure (the key
        // deleted meanwhile, say) would repeat for every index, so it ends
        // them too, but the key was not read whole.
        if (status == ERROR_NO_MORE_ITEMS) return ValueVisitEnd::AllValues;
        if (status != ERROR_SUCCESS) return ValueVisitEnd::Interrupted;
        visit(std::wstring_view(buffers.Name(), nameLength), type,
              std::span<const std::uint8_t>(buffers.Data(), dataLength));
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
