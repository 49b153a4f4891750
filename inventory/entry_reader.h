#pragma once
#include <functional>
#include <string>

#include "core/shared_text.h"

#include "inventory/uninstall_key.h"
#include "inventory/windows_list.h"

namespace vorlen {

class RegistryReader;

// What the list needs of one uninstall entry.
struct EntrySummary {
    SharedText displayName;      // text of the value named exactly "DisplayName"
    SharedText uninstallString;  // text of the value named exactly "UninstallString"
    // The uninstall command is stored as REG_EXPAND_SZ: only then are its
    // environment variables expanded when it is started.
    bool uninstallStringExpands = false;
    bool opened = false;  // false when the sub-key could not be opened
    // True when the enumeration reached the end of the values; false when
    // it failed on the way, so that what was read may lack values.
    bool readWhole = false;
    WindowsListFacts windowsList;  // what Windows' own list makes of it
};

// One value as the detail view shows it.
struct EntryValueText {
    std::wstring name;  // "(標準)" for the unnamed default value
    std::wstring typeText;
    std::wstring dataText;
};

using EntryValueSink = std::function<void(const EntryValueText&)>;

// Reads every value of one uninstall sub-key of `place` in one pass. When
// `sink` is set, each value is handed to it in enumeration order. A name that
// is not addressable (IsAddressableKeyName) is not opened at all: it reads
// as a key that cannot be opened. `parentKeyName`, when given, receives the
// text of the entry's ParentKeyName (see WindowsListFacts).
EntrySummary ReadEntry(const RegistryReader& registry, UninstallPlace place, std::wstring_view keyName,
                       const EntryValueSink& sink = nullptr, std::wstring* parentKeyName = nullptr);

}  // namespace vorlen
