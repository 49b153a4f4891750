#pragma once
#include <string>
#include <vector>

#include "core/display_settings.h"

namespace vorlen {

class RegistryReader;

// What decides which entries the list shows.
struct ScanRules {
    DisplaySettings settings;
    bool hotfixOnly = false;  // list Windows hotfixes alone
    std::wstring osName;      // picks the hotfix rules
};

struct EntrySummary;

// True when an entry that was read belongs in the list under the rules.
bool ShouldListEntry(const ScanRules& rules, const std::wstring& keyName, const EntrySummary& entry);

// One entry the list shows.
struct ListedEntry {
    std::wstring keyName;
    std::wstring displayName;
    std::wstring uninstallString;
};

// Reads every sub-key of the uninstall key and returns the entries the rules
// list, in enumeration order.
//
// Independent keys are read by `readers` threads at once (0 picks a count
// from the processor count) because each registry call is a round trip to the
// registry's server; the caller still waits for the whole scan, and entries
// come out exactly as a one-by-one walk would find them.
std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers = 0);

// The reader count ScanUninstallEntries picks for this machine.
unsigned DefaultReaderCount();

}  // namespace vorlen
