#include "inventory/inventory_scan.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "inventory/hotfix.h"
#include "platform/registry.h"

namespace vorlen {

// The keys as the enumeration finds them, each with the slot for what is
// read of it; readers take the keys still to be read. A key and its slot are
// one element, so a failing allocation adds both or neither, and a deque
// keeps element addresses stable while it grows, so a reader takes its key
// under the lock and reads without it.
class UninstallInventory::Queue {
public:
    void Publish(Key key, bool needsRead) {
        {
            std::lock_guard lock(mutex_);
            items_.push_back({std::move(key), needsRead});
        }
        if (needsRead) ready_.notify_one();
    }

    void Finish() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        ready_.notify_all();
    }

    // The next key to read; false once every key published has been handed
    // out and the enumeration is over.
    bool Take(Key*& key) {
        std::unique_lock lock(mutex_);
        for (;;) {
            while (next_ < items_.size() && !items_[next_].needsRead) ++next_;
            if (next_ < items_.size()) {
                key = &items_[next_++].key;
                return true;
            }
            if (finished_) return false;
            ready_.wait(lock);
        }
    }

    // Only after every reader has stopped.
    std::vector<Key> TakeKeys() {
        std::vector<Key> keys;
        keys.reserve(items_.size());
        for (Item& item : items_) keys.push_back(std::move(item.key));
        items_.clear();
        return keys;
    }

private:
    struct Item {
        Key key;
        bool needsRead;
    };
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Item> items_;
    std::size_t next_ = 0;
    bool finished_ = false;
};

void UninstallInventory::ReadQueuedKeys(const RegistryReader& registry, RegistryWriteTime scanStart, Queue& queue) {
    Key* key = nullptr;
    while (queue.Take(key)) {
        // A key that fails to read is left out like one that cannot be opened.
        try {
            key->entry = ReadEntry(registry, key->place, key->name);
        } catch (const std::exception&) {
            key->entry = EntrySummary{};
        }
        // Written within the margin before the scan began, the key may have
        // been caught between two writes that leave the same time.
        key->reusable = key->entry.opened && key->entry.readWhole && key->lastWrite &&
                        *key->lastWrite <= scanStart && scanStart - *key->lastWrite >= kSettledWriteAge;
    }
}

unsigned DefaultReaderCount() {
    // The readers mostly wait on the registry's server, not on a processor,
    // so several per processor keep it busy.
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp(processors * 4, 4u, 16u);
}

bool ShouldListEntry(const ScanRules& rules, const std::wstring& keyName, const EntrySummary& entry) {
    if (!entry.opened) return false;
    const bool hotfix = IsHotfix(rules.osName, entry.displayName, keyName);
    if (rules.hotfixOnly) return hotfix;
    if (entry.displayName.empty() && rules.settings.displayName == 1) return false;
    if (entry.uninstallString.empty() && rules.settings.uninstallString == 1) return false;
    if (hotfix && rules.settings.noHotfix == 1) return false;
    return true;
}

std::vector<ListedEntry> UninstallInventory::Scan(const RegistryReader& registry, const ScanRules& rules,
                                                  unsigned readers) {
    if (readers == 0) readers = DefaultReaderCount();
    // Taken before any name is enumerated: every key read below was read
    // after this moment.
    const RegistryWriteTime scanStart = registry.CurrentTime();

    // What the last scan read, by place and name. A key found is moved out and
    // its name dropped from here, so a name the enumeration gives twice (keys
    // added meanwhile shift the indexes) is read again, not taken twice.
    std::vector<Key> previous = std::move(keys_);
    keys_.clear();
    std::array<std::unordered_map<std::wstring_view, Key*>, std::size(kUninstallPlaces)> known;
    for (Key& key : previous) known[static_cast<std::size_t>(key.place)].emplace(key.name, &key);

    Queue queue;
    std::vector<std::thread> threads;
    try {
        for (unsigned i = 0; i < readers; ++i)
            threads.emplace_back(ReadQueuedKeys, std::cref(registry), scanStart, std::ref(queue));
    } catch (const std::exception&) {
        // Fewer readers (even none: the walk below then reads alone) still
        // give the same list.
    }
    for (const UninstallPlace place : kUninstallPlaces) {
        auto& knownHere = known[static_cast<std::size_t>(place)];
        try {
            registry.ForEachSubKey(RegistryPlaceOf(place), kUninstallKeyPath,
                                   [&](std::wstring_view name, std::optional<RegistryWriteTime> lastWrite) {
                                       Key key{place, std::wstring(name), lastWrite, {}, false};
                                       if (!IsAddressableKeyName(name)) {
                                           // Listed with empty texts, never opened.
                                           key.entry.opened = true;
                                           queue.Publish(std::move(key), false);
                                           return;
                                       }
                                       const auto found = knownHere.find(name);
                                       if (found != knownHere.end()) {
                                           Key& old = *found->second;
                                           knownHere.erase(found);
                                           if (old.reusable && lastWrite && old.lastWrite == lastWrite) {
                                               key.entry = std::move(old.entry);
                                               key.reusable = true;
                                               queue.Publish(std::move(key), false);
                                               return;
                                           }
                                       }
                                       queue.Publish(std::move(key), true);
                                   });
        } catch (const std::exception&) {
            // The names found so far in this place are listed.
        }
    }
    queue.Finish();
    if (threads.empty()) ReadQueuedKeys(registry, scanStart, queue);
    for (auto& thread : threads) thread.join();

    keys_ = queue.TakeKeys();
    std::vector<ListedEntry> listed;
    listed.reserve(keys_.size());
    for (const Key& key : keys_) {
        const bool addressable = IsAddressableKeyName(key.name);
        std::wstring visible;
        if (!addressable) visible = VisibleKeyName(key.name);
        const std::wstring& shownName = addressable ? key.name : visible;
        if (!ShouldListEntry(rules, shownName, key.entry)) continue;
        listed.push_back({key.place, shownName, key.entry.displayName, key.entry.uninstallString,
                          key.entry.uninstallStringExpands, addressable});
    }
    return listed;
}

std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers) {
    return UninstallInventory().Scan(registry, rules, readers);
}

}  // namespace vorlen
