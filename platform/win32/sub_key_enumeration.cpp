#include "platform/win32/sub_key_enumeration.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vorlen {

namespace {

// Windows allows key names of 255 characters.
constexpr DWORD kMaxKeyNameChars = 255;
// A key name that another registry holds (Wine's takes 256 characters) or a
// program planted through the native API can be longer, up to what a counted
// string carries: 32767 characters.
constexpr std::size_t kKeyNameBufferLimit = 32768;
// Sub-keys that cannot be read, one after the other, before the enumeration
// gives up (the key deleted meanwhile fails every index).
constexpr int kMaxConsecutiveFailures = 16;
// Indexes one thread reads in a row, and the least count worth the threads.
constexpr DWORD kChunkSize = 1024;
constexpr DWORD kParallelFrom = 4 * kChunkSize;
// Threads beside the caller: beyond this the server is the bottleneck.
constexpr unsigned kHelpers = 3;

struct SubKey {
    std::wstring name;
    RegistryWriteTime lastWrite = 0;
};

// A buffer for a sub-key name that did not fit `current` characters: the
// key's longest sub-key name, at least twice the size, within the limit.
std::size_t GrownKeyNameBuffer(HKEY key, std::size_t current) {
    DWORD longest = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) != ERROR_SUCCESS)
        longest = 0;
    return std::min(std::max<std::size_t>(std::size_t{longest} + 1, current * 2), kKeyNameBufferLimit);
}

// Reads the sub-key at `index`, growing `name` for a longer name.
LSTATUS ReadSubKey(HKEY key, DWORD index, std::vector<wchar_t>& name, SubKey& subKey) {
    for (;;) {
        DWORD length = static_cast<DWORD>(name.size());
        FILETIME lastWrite{};
        const LSTATUS status = RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, &lastWrite);
        if (status == ERROR_MORE_DATA && name.size() < kKeyNameBufferLimit) {
            name.resize(GrownKeyNameBuffer(key, name.size()));
            continue;
        }
        if (status == ERROR_SUCCESS) {
            subKey.name.assign(name.data(), length);
            subKey.lastWrite =
                (static_cast<RegistryWriteTime>(lastWrite.dwHighDateTime) << 32) | lastWrite.dwLowDateTime;
        }
        return status;
    }
}

// Reads the indexes from `first` up to `end` (or on until the registry has
// no more), handing each sub-key read to `take`; false when the enumeration
// ends on the way: no more sub-keys, or a run of failures.
template <typename Take>
bool ReadRange(HKEY key, DWORD first, DWORD end, const std::atomic<bool>& stop, Take&& take) {
    std::vector<wchar_t> name(kMaxKeyNameChars + 1);
    SubKey subKey;
    int failures = 0;
    for (DWORD index = first; index < end; ++index) {
        if (stop) return false;
        const LSTATUS status = ReadSubKey(key, index, name, subKey);
        if (status == ERROR_NO_MORE_ITEMS) return false;
        if (status == ERROR_SUCCESS) {
            take(subKey);
            failures = 0;
        } else if (++failures >= kMaxConsecutiveFailures) {
            return false;  // this one and the ones before it are left out
        }
    }
    return true;
}

// The indexes 0 to count-1 in chunks, read by whichever thread claims each
// chunk first; the caller takes the chunks back in order.
class ChunkedEnumeration {
public:
    struct Chunk {
        std::vector<SubKey> subKeys;
        bool ended = false;  // the enumeration ends within this chunk
        bool done = false;
    };

    ChunkedEnumeration(HKEY key, DWORD count)
        : key_(key), count_(count), chunks_((count + kChunkSize - 1) / kChunkSize) {}

    ~ChunkedEnumeration() {
        stop_ = true;
        for (auto& helper : helpers_) helper.join();
    }

    ChunkedEnumeration(const ChunkedEnumeration&) = delete;
    ChunkedEnumeration& operator=(const ChunkedEnumeration&) = delete;

    std::size_t ChunkCount() const { return chunks_.size(); }

    // Without helpers the caller reads every chunk itself.
    void StartHelpers() {
        try {
            for (unsigned i = 0; i < kHelpers && i + 1 < chunks_.size(); ++i)
                helpers_.emplace_back([this] {
                    while (ReadNextChunk()) {}
                });
        } catch (const std::exception&) {}
    }

    // Chunk `index` once read; unclaimed chunks are read meanwhile.
    Chunk& Await(std::size_t index) {
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (chunks_[index].done) return chunks_[index];
            }
            if (!ReadNextChunk()) break;
        }
        std::unique_lock lock(mutex_);
        read_.wait(lock, [&] { return chunks_[index].done; });
        return chunks_[index];
    }

private:
    bool ReadNextChunk() {
        const std::size_t index = next_++;
        if (index >= chunks_.size() || stop_) return false;
        Chunk chunk;
        const DWORD first = static_cast<DWORD>(index) * kChunkSize;
        const DWORD end = std::min(first + kChunkSize, count_);
        try {
            chunk.subKeys.reserve(end - first);
            chunk.ended = !ReadRange(key_, first, end, stop_,
                                     [&](SubKey& subKey) { chunk.subKeys.push_back(std::move(subKey)); });
        } catch (const std::exception&) {
            chunk.ended = true;  // what was read is kept; the enumeration ends there
        }
        {
            std::lock_guard lock(mutex_);
            chunk.done = true;
            chunks_[index] = std::move(chunk);
        }
        read_.notify_all();
        return true;
    }

    HKEY key_;
    DWORD count_;
    std::vector<Chunk> chunks_;
    std::atomic<std::size_t> next_{0};
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable read_;
    std::vector<std::thread> helpers_;
};

}  // namespace

void EnumerateSubKeys(HKEY key, const SubKeyVisitor& visit) {
    const auto visitSubKey = [&](const SubKey& subKey) { visit(subKey.name, subKey.lastWrite); };
    DWORD count = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS &&
        count >= kParallelFrom) {
        ChunkedEnumeration enumeration(key, count);
        enumeration.StartHelpers();
        for (std::size_t chunkIndex = 0; chunkIndex < enumeration.ChunkCount(); ++chunkIndex) {
            ChunkedEnumeration::Chunk& chunk = enumeration.Await(chunkIndex);
            for (const SubKey& subKey : chunk.subKeys) visitSubKey(subKey);
            if (chunk.ended) return;
            chunk.subKeys = {};
        }
    } else {
        count = 0;
    }
    // A small key, or what was added beyond the count meanwhile, one by one.
    const std::atomic<bool> never{false};
    ReadRange(key, count, MAXDWORD, never, visitSubKey);
}

}  // namespace vorlen
