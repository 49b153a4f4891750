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
// keeps element addresses stable while it grows, so a reader takes its keys
// under the lock and reads without it.
//
// Keys come and go in batches: under Wine a lock or a wake-up that has to
// wait is a round trip to the same server that answers the registry calls,
// so one per key would cost the scan a tenth of its time.
class UninstallInventory::Queue {
public:
    struct Item {
        Key key;
        bool needsRead;
    };
    static constexpr std::size_t kPublishBatch = 64;
    static constexpr std::size_t kTakeBatch = 8;
    using Taken = std::array<Key*, kTakeBatch>;

    // Adds the batch's keys and takes them out of it; when an allocation
    // fails, the keys not added stay in the batch.
    void Publish(std::vector<Item>& batch) {
        if (batch.empty()) return;
        std::size_t added = 0;
        bool wake = false;
        try {
            std::lock_guard lock(mutex_);
            for (; added < batch.size(); ++added) items_.push_back(std::move(batch[added]));
            wake = waiting_ > 0;
        } catch (...) {
            batch.erase(batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(added));
            if (added > 0) ready_.notify_all();
            throw;
        }
        batch.clear();
        if (wake) ready_.notify_all();
    }

    void Finish() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        ready_.notify_all();
    }

    // The next keys to read, up to kTakeBatch; 0 once every key published
    // has been handed out and the enumeration is over.
    std::size_t Take(Taken& keys) {
        std::unique_lock lock(mutex_);
        for (;;) {
            std::size_t count = 0;
            for (; next_ < items_.size() && count < keys.size(); ++next_)
                if (items_[next_].needsRead) keys[count++] = &items_[next_].key;
            if (count > 0 || finished_) return count;
            ++waiting_;
            ready_.wait(lock);
            --waiting_;
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
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Item> items_;
    std::size_t next_ = 0;
    unsigned waiting_ = 0;
    bool finished_ = false;
};

void UninstallInventory::ReadQueuedKeys(const RegistryReader& registry, RegistryWriteTime scanStart, Queue& queue) {
    Queue::Taken keys{};
    while (const std::size_t count = queue.Take(keys)) {
        for (std::size_t i = 0; i < count; ++i) {
            Key& key = *keys[i];
            // A key that fails to read is left out like one that cannot be opened.
            try {
                key.entry = ReadEntry(registry, key.place, key.name.View());
            } catch (const std::exception&) {
                key.entry = EntrySummary{};
            }
            // Written within the margin before the scan began, the key may have
            // been caught between two writes that leave the same time.
            key.reusable = key.entry.opened && key.entry.readWhole && key.lastWrite && *key.lastWrite <= scanStart &&
                           scanStart - *key.lastWrite >= kSettledWriteAge;
        }
    }
}

unsigned DefaultReaderCount() {
    // The readers mostly wait on the registry's server, not on a processor,
    // so several per processor keep it busy.
    const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    return std::clamp(processors * 4, 4u, 16u);
}

bool ShouldListEntry(const ScanRules& rules, std::wstring_view keyName, const EntrySummary& entry) {
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
    std::vector<Queue::Item> batch;
    batch.reserve(Queue::kPublishBatch);
    for (const UninstallPlace place : kUninstallPlaces) {
        auto& knownHere = known[static_cast<std::size_t>(place)];
        const auto publish = [&](Key key, bool needsRead) {
            batch.push_back({std::move(key), needsRead});
            if (batch.size() >= Queue::kPublishBatch) queue.Publish(batch);
        };
        try {
            registry.ForEachSubKey(RegistryPlaceOf(place), kUninstallKeyPath,
                                   [&](std::wstring_view name, std::optional<RegistryWriteTime> lastWrite) {
                                       if (!IsAddressableKeyName(name)) {
                                           // Listed with empty texts, never opened.
                                           Key key{place, SharedText(name), lastWrite, {}, false};
                                           key.entry.opened = true;
                                           publish(std::move(key), false);
                                           return;
                                       }
                                       const auto found = knownHere.find(name);
                                       if (found == knownHere.end()) {
                                           publish(Key{place, SharedText(name), lastWrite, {}, false}, true);
                                           return;
                                       }
                                       // The name kept from before is the one the list shows.
                                       Key& old = *found->second;
                                       knownHere.erase(found);
                                       Key key{place, std::move(old.name), lastWrite, {}, false};
                                       if (old.reusable && lastWrite && old.lastWrite == lastWrite) {
                                           key.entry = std::move(old.entry);
                                           key.reusable = true;
                                           publish(std::move(key), false);
                                           return;
                                       }
                                       publish(std::move(key), true);
                                   });
        } catch (const std::exception&) {
            // The names found so far in this place are listed.
        }
        try {
            queue.Publish(batch);
        } catch (const std::exception&) {
            batch.clear();  // left out, as keys the enumeration did not reach
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
        SharedText shownName = addressable ? key.name : SharedText(VisibleKeyName(key.name));
        if (!ShouldListEntry(rules, shownName, key.entry)) continue;
        listed.push_back({key.place, shownName, key.entry.displayName, key.entry.uninstallString,
                          key.entry.uninstallStringExpands, addressable, key.entry.windowsList});
    }
    return listed;
}

std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers) {
    return UninstallInventory().Scan(registry, rules, readers);
}

}  // namespace vorlen
