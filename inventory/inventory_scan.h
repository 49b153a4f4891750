#pragma once
#include <string>

#include "core/display_settings.h"

namespace vorlen {

class GridModel;
class RegistryReader;

// Columns of the list grid.
inline constexpr int kListColumnNumber = 0;
inline constexpr int kListColumnKeyName = 1;
inline constexpr int kListColumnDisplayName = 2;
inline constexpr int kListColumnUninstallString = 3;

// What decides which entries the list shows.
struct ScanRules {
    DisplaySettings settings;
    bool hotfixOnly = false;  // list Windows hotfixes alone
    std::wstring osName;      // picks the hotfix rules
};

struct EntrySummary;

// True when an entry that was read belongs in the list under the rules.
bool ShouldListEntry(const ScanRules& rules, const std::wstring& keyName, const EntrySummary& entry);

// Rebuilds the rows of the list grid from every sub-key of the uninstall key:
// one row per listed entry in enumeration order, numbered 1, 2, 3 …, all four
// cells written, surplus rows dropped. Row heights stay with their positions.
// The grid is hidden while it is filled and shown at the end.
//
// Independent keys are read by `readers` threads at once (0 picks a count
// from the processor count) because each registry call is a round trip to the
// registry's server; the caller still waits for the whole scan, and rows come
// out exactly as a one-by-one walk would write them.
void LoadList(const RegistryReader& registry, GridModel& grid, const ScanRules& rules, unsigned readers = 0);

// The reader count LoadList picks for this machine.
unsigned DefaultReaderCount();

}  // namespace vorlen
