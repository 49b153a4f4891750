#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorlen {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Which view of the registry a key path is looked up in. A 64-bit program
// sees the native keys; the 32-bit view is what 32-bit programs see, where
// 64-bit Windows redirects parts of HKEY_LOCAL_MACHINE\SOFTWARE (to
// WOW6432Node). Keys that are not redirected, such as the current user's
// software key, are the same in both views.
enum class RegistryView { Native, Bits32 };

// A root key as one view shows it. A bare root means its native view.
struct RegistryPlace {
    constexpr RegistryPlace(RegistryRoot root, RegistryView view = RegistryView::Native) : root(root), view(view) {}
    friend constexpr bool operator==(const RegistryPlace&, const RegistryPlace&) = default;

    RegistryRoot root;
    RegistryView view;
};

// A key's last-write time as the registry keeps it: 100-nanosecond intervals
// since 1 January 1601 (UTC).
using RegistryWriteTime = std::uint64_t;

// How a visit of a key's values ended.
enum class ValueVisitEnd {
    NotOpened,   // the key could not be opened; nothing was visited
    AllValues,   // the enumeration reached the end of the values
    Interrupted  // it failed before the end (the key deleted meanwhile, a
                 // value that kept growing): only the values before were visited
};

// Called once per sub-key, in enumeration order, with its name and its
// last-write time; no time when the platform gave none. The name is valid
// only during the call.
using SubKeyVisitor = std::function<void(std::wstring_view name, std::optional<RegistryWriteTime> lastWrite)>;

// Called once per value, in enumeration order. The views are valid only
// during the call.
using RegistryValueVisitor =
    std::function<void(std::wstring_view name, std::uint32_t type, std::span<const std::uint8_t> data)>;

// Read-only access to the registry. Implementations are safe to call from
// several threads at once. A path that holds a NUL names no key the Win32
// functions can open: it is refused like a key that cannot be opened, never
// cut short at the NUL (which would name another key).
class RegistryReader {
public:
    virtual ~RegistryReader() = default;

    // Calls `visit` with each sub-key of place\path in enumeration order,
    // its name whole whatever its length; a sub-key whose name cannot be
    // read is left out and the ones after it still visited. Returns false,
    // visiting nothing, when the key cannot be opened.
    virtual bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const = 0;

    // Opens place\path for reading values and visits every value whole, each
    // with all of its data, and says how the enumeration ended.
    virtual ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                                       const RegistryValueVisitor& visit) const = 0;

    // The present time on the clock that stamps the keys' last-write times
    // (Windows: the system time), in the same units.
    virtual RegistryWriteTime CurrentTime() const = 0;
};

}  // namespace vorlen
