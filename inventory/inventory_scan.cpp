#include "inventory/inventory_scan.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "inventory/entry_reader.h"
#include "inventory/hotfix.h"
#include "inventory/uninstall_key.h"
#include "platform/registry.h"

namespace vorlen {

namespace {

// Sub-key names as the enumeration finds them, and one result slot per name.
// Deques keep element addresses stable while they grow, so a reader takes
// the addresses of its name and slot under the lock and works without it.
class ScanQueue {
public:
    void Publish(std::wstring_view name) {
        {
            std::lock_guard lock(mutex_);
            names_.emplace_back(name);
            results_.emplace_back();
        }
        ready_.notify_one();
    }

    void Finish() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        ready_.notify_all();
    }

    // The next name to read and the slot for its result; false once every
    // published name has been handed out and the enumeration is over.
    bool Take(const std::wstring*& name, EntrySummary*& slot) {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [&] { return next_ < names_.size() || finished_; });
        if (next_ >= names_.size()) return false;
        name = &names_[next_];
        slot = &results_[next_];
        ++next_;
        return true;
    }

    // Only after every reader has stopped.
    const std::deque<std::wstring>& Names() const { return names_; }
    const std::deque<EntrySummary>& Results() const { return results_; }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::wstring> names_;
    std::deque<EntrySummary> results_;
    std::size_t next_ = 0;
    bool finished_ = false;
};

void ReadEntries(const RegistryReader& registry, ScanQueue& queue) {
    const std::wstring* name = nullptr;
    EntrySummary* slot = nullptr;
    while (queue.Take(name, slot)) {
        // A key that fails to read is left out like one that cannot be opened.
        try {
            *slot = ReadEntry(registry, *name);
        } catch (const std::exception&) {
            *slot = EntrySummary{};
        }
    }
}

}  // namespace

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

std::vector<ListedEntry> ScanUninstallEntries(const RegistryReader& registry, const ScanRules& rules,
                                              unsigned readers) {
    if (readers == 0) readers = DefaultReaderCount();

    ScanQueue queue;
    std::vector<std::thread> threads;
    try {
        for (unsigned i = 0; i < readers; ++i) threads.emplace_back(ReadEntries, std::cref(registry), std::ref(queue));
    } catch (const std::exception&) {
        // Fewer readers (even none: the walk below then reads alone) still
        // give the same list.
    }
    try {
        registry.ForEachSubKey(RegistryRoot::LocalMachine, kUninstallKeyPath,
                               [&](std::wstring_view name) { queue.Publish(name); });
    } catch (const std::exception&) {
        // The names found so far are listed.
    }
    queue.Finish();
    if (threads.empty()) ReadEntries(registry, queue);
    for (auto& thread : threads) thread.join();

    const auto& names = queue.Names();
    const auto& results = queue.Results();
    std::vector<ListedEntry> listed;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!ShouldListEntry(rules, names[i], results[i])) continue;
        listed.push_back({names[i], results[i].displayName, results[i].uninstallString});
    }
    return listed;
}

}  // namespace vorlen
