#pragma once
#include <functional>
#include <string>

namespace vorlen {

class RegistryReader;

// What the list needs of one uninstall entry.
struct EntrySummary {
    std::wstring displayName;      // text of the value named exactly "DisplayName"
    std::wstring uninstallString;  // text of the value named exactly "UninstallString"
    bool opened = false;           // false when the sub-key could not be opened
};

// One value as the detail view shows it.
struct EntryValueText {
    std::wstring name;  // "(標準)" for the unnamed default value
    std::wstring typeText;
    std::wstring dataText;
};

using EntryValueSink = std::function<void(const EntryValueText&)>;

// Reads every value of one uninstall sub-key in one pass. When `sink` is set,
// each value is handed to it in enumeration order.
EntrySummary ReadEntry(const RegistryReader& registry, const std::wstring& keyName,
                       const EntryValueSink& sink = nullptr);

}  // namespace vorlen
