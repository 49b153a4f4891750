#include "inventory/entry_reader.h"

#include "inventory/value_text.h"
#include "platform/registry.h"

namespace vorlen {

EntrySummary ReadEntry(const RegistryReader& registry, UninstallPlace place, std::wstring_view keyName,
                       const EntryValueSink& sink, std::wstring* parentKeyName) {
    EntrySummary summary;
    if (!IsAddressableKeyName(keyName)) return summary;
    std::wstring path = kUninstallKeyPath;
    path += keyName;
    // Without a sink only the two named values need their data as text, which
    // keeps the scan from formatting every value of every entry; the values
    // Windows' list reads are noted as facts.
    const ValueVisitEnd end = registry.ForEachValue(
        RegistryPlaceOf(place), path,
        [&](std::wstring_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
            const bool isDisplayName = name == L"DisplayName";
            const bool isUninstallString = name == L"UninstallString";
            if (IsWindowsListValue(name)) NoteWindowsListValue(summary.windowsList, name, type, data, parentKeyName);
            if (!sink && !isDisplayName && !isUninstallString) return;
            std::wstring dataText = ValueDataText(type, data);
            if (isDisplayName) {
                summary.displayName = dataText;
            } else if (isUninstallString) {
                summary.uninstallString = dataText;
                summary.uninstallStringExpands = type == kRegExpandSz;
            }
            if (sink) sink(EntryValueText{ValueNameText(name), ValueTypeText(type), std::move(dataText)});
        });
    summary.opened = end != ValueVisitEnd::NotOpened;
    summary.readWhole = end == ValueVisitEnd::AllValues;
    return summary;
}

}  // namespace vorlen
