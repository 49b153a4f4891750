#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/display_settings.h"
#include "inventory/entry_reader.h"
#include "inventory/uninstall_key.h"

namespace vorlen {

class RegistryReader;

// What decides which entries the list shows.
struct ScanRules {
    DisplaySettings settings;
    bool hotfixOnly = false;  // list Windows hotfixes alone
    std::wstring osName;      // picks the hotfix rules
};

// True when an entry that was read belongs in the list under the rules.
bool ShouldListEntry(const ScanRules& rules, std::wstring_view keyName, const EntrySummary& entry);

// One entry the list shows. Its texts are the inventory's own (SharedText):
// the list's cells written from them refer to the same storage.
struct ListedEntry {
    UninstallPlace place = UninstallPlace::Machine;
    SharedText keyName;  // VisibleKeyName of the sub-key's name
    SharedText displayName;
    SharedText uninstallString;
    bool uninstallStringExpands = false;  // see EntrySummary
    // False when the sub-key's name holds a NUL: the entry is listed with
    // empty texts, and no command may address it (IsAddressableKeyName).
    bool addressable = true;

    friend bool operator==(const ListedEntry&, const ListedEntry&) = default;
};

// The uninstall entries of every place as the last scan read them, kept for
// the life of a window so that a rebuild of the list reads again only what
// changed.
//
// Each scan enumerates the sub-keys of the three places in order, with the
// last-write time the enumeration gives for each. A key read before whose
// time is the same keeps what was read of it; a key that is new, whose time
// differs, that gave no time, or that could not be opened last time is read
// again; a key no longer enumerated is forgotten. The rules are then applied
// to every key, so the entries are exactly those a first scan would give.
//
// Windows updates a key's last-write time whenever a value of it is set or
// deleted, so an installer or uninstaller always changes it. Only a program
// that writes the time back on purpose (NtSetInformationKey) can hide a
// change from this comparison; F5 then shows the key as it was.
//
// Independent keys are read by `readers` threads at once (0 picks a count
// from the processor count) because each registry call is a round trip to the
// registry's server; the caller still waits for the whole scan, and entries
// come out exactly as a one-by-one walk would find them.
class UninstallInventory {
public:
    std::vector<ListedEntry> Scan(const RegistryReader& registry, const ScanRules& rules, unsigned readers = 0);

private:
    struct Key {
        UninstallPlace place;
        SharedText name;  // the sub-key's name as enumerated, NULs included
        std::optional<RegistryWriteTime> lastWrite;
        EntrySummary entry;
    };
    class Queue;
    static void ReadQueuedKeys(const RegistryReader& registry, Queue& queue);

    std::vector<Key> keys_;  // in enumeration order
};

// One scan that keeps nothing: every key is read.
std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers = 0);

// The reader count a scan picks for this machine.
unsigned DefaultReaderCount();

}  // namespace vorlen
