#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/display_settings.h"
#include "inventory/entry_reader.h"
#include "inventory/uninstall_key.h"
#include "platform/registry.h"

namespace vorlen {

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
    WindowsListFacts windowsList;  // see EntrySummary

    friend bool operator==(const ListedEntry&, const ListedEntry&) = default;
};

// The uninstall entries of every place as the last scan read them, kept for
// the life of a window so that a rebuild of the list reads again only what
// changed.
//
// Each scan enumerates the sub-keys of the three places in order, with the
// last-write time the enumeration gives for each. A key whose time is the
// same as when it was read keeps what was read of it, but only when that
// read was sound: it reached the end of the key's values, and the key's time
// was older than the start of the scan that read it by at least
// kSettledWriteAge. Every other key (new, with another time, without a time,
// not opened, read in part, or read while it was still being written) is
// read again; a key no longer enumerated is forgotten. The rules are then
// applied to every key, so the entries are exactly those a first scan would
// give.
//
// What Windows guarantees: setting or deleting a value stamps its key with
// the system time. That time advances in clock ticks (typically 15.6 ms), so
// several writes within one tick leave it unchanged: a key read between two
// writes of an installer in the same tick shows the time of the finished
// key. Only a key whose time was already well past when the scan began can
// have had no write the read missed; later writes move the time on. A
// program that writes an old time back on purpose (NtSetInformationKey)
// still hides its change; F5 then shows the key as it was.
//
// Independent keys are read by `readers` threads at once (0 picks a count
// from the processor count) because each registry call is a round trip to the
// registry's server; the caller still waits for the whole scan, and entries
// come out exactly as a one-by-one walk would find them.
class UninstallInventory {
public:
    // How far a key's last-write time must lie before the start of the scan
    // that reads it for the read to be kept: a margin that covers the
    // clock's tick many times over (2 s, in the registry's 100 ns units).
    static constexpr RegistryWriteTime kSettledWriteAge = 2 * 10'000'000;

    std::vector<ListedEntry> Scan(const RegistryReader& registry, const ScanRules& rules, unsigned readers = 0);

private:
    struct Key {
        UninstallPlace place;
        SharedText name;  // the sub-key's name as enumerated, NULs included
        std::optional<RegistryWriteTime> lastWrite;
        EntrySummary entry;
        bool reusable = false;  // the read may stand for the key while its time stays
    };
    class Queue;
    static void ReadQueuedKeys(const RegistryReader& registry, RegistryWriteTime scanStart, Queue& queue);

    std::vector<Key> keys_;  // in enumeration order
};

// One scan that keeps nothing: every key is read.
std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers = 0);

// The reader count a scan picks for this machine.
unsigned DefaultReaderCount();

}  // namespace vorlen
