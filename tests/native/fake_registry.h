#pragma once
// An in-memory registry for tests: keys under a root, a view and a path,
// values in the order they were added, sub-keys in the order they were
// created. Key paths compare without regard to ASCII letter case and ignore
// trailing backslashes, as the registry's own paths do. Its clock runs: every
// change of a key, and every look at the clock, moves the time on by ten
// seconds, so keys written before a scan are well settled when it starts.
// Stopped, it stands still, as within one tick of the system clock: changes
// then leave a key's time as it was.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inventory/value_text.h"
#include "platform/registry.h"

namespace vorlen::fakes {

// A text as the wide registry functions store it: UTF-16LE units, with the
// terminating NUL unless `terminated` is false.
inline std::vector<std::uint8_t> Utf16Bytes(std::wstring_view text, bool terminated = true) {
    std::vector<std::uint8_t> bytes;
    auto pushUnit = [&](std::uint32_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    };
    for (const wchar_t c : text) {
        const auto codePoint = static_cast<std::uint32_t>(c);
        if (codePoint > 0xFFFF) {
            pushUnit(0xD800 + ((codePoint - 0x10000) >> 10));
            pushUnit(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            pushUnit(codePoint);
        }
    }
    if (terminated) pushUnit(0);
    return bytes;
}

// A multi-string: each text with its NUL, then the closing NUL.
inline std::vector<std::uint8_t> MultiStringBytes(std::initializer_list<std::wstring_view> texts) {
    std::vector<std::uint8_t> bytes;
    for (const std::wstring_view text : texts) {
        const auto part = Utf16Bytes(text);
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

inline std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

class FakeRegistry final : public RegistryReader {
public:
    struct Value {
        std::wstring name;
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
    };

    // Creates place\path and every missing key above it.
    FakeRegistry& AddKey(RegistryPlace place, std::wstring_view path) {
        Create(place, Trimmed(path));
        return *this;
    }

    // Appends a value to place\path, creating the key where it is missing.
    FakeRegistry& AddValue(RegistryPlace place, std::wstring_view path, std::wstring name, std::uint32_t type,
                           std::vector<std::uint8_t> data) {
        Key& key = Create(place, Trimmed(path));
        key.values.push_back(Value{std::move(name), type, std::move(data)});
        Touch(key);
        return *this;
    }

    FakeRegistry& AddString(RegistryPlace place, std::wstring_view path, std::wstring name, std::wstring_view text,
                            std::uint32_t type = kRegSz) {
        return AddValue(place, path, std::move(name), type, Utf16Bytes(text));
    }

    FakeRegistry& AddDword(RegistryPlace place, std::wstring_view path, std::wstring name, std::uint32_t value) {
        return AddValue(place, path, std::move(name), kRegDword, DwordBytes(value));
    }

    // Gives the first value of that name new string data, as a program
    // setting it would: the key's last-write time moves on.
    FakeRegistry& SetString(RegistryPlace place, std::wstring_view path, std::wstring_view name,
                            std::wstring_view text) {
        Key& key = Create(place, Trimmed(path));
        for (Value& value : key.values) {
            if (value.name != name) continue;
            value.data = Utf16Bytes(text);
            break;
        }
        Touch(key);
        return *this;
    }

    // Deletes place\path with everything below it.
    FakeRegistry& DeleteKey(RegistryPlace place, std::wstring_view path) {
        path = Trimmed(path);
        const std::wstring prefix = Folded(path) + L"\\";
        for (auto it = keys_.begin(); it != keys_.end();) {
            const bool below = it->first.first == Normal(place) &&
                               (it->first.second == Folded(path) || it->first.second.starts_with(prefix));
            it = below ? keys_.erase(it) : std::next(it);
        }
        const auto slash = path.rfind(L'\\');
        if (Key* parent = Find(place, slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, slash))) {
            const std::wstring name(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
            std::erase(parent->subKeys, name);
            Touch(*parent);
        }
        return *this;
    }

    // The key's last-write time as the sub-key enumeration reports it; none
    // makes the enumeration report no time for it.
    std::optional<RegistryWriteTime> WriteTime(RegistryPlace place, std::wstring_view path) const {
        const Key* key = Find(place, path);
        return key ? key->lastWrite : std::nullopt;
    }
    FakeRegistry& SetWriteTime(RegistryPlace place, std::wstring_view path, std::optional<RegistryWriteTime> time) {
        Create(place, Trimmed(path)).lastWrite = time;
        return *this;
    }

    // The key stays listed under its parent but cannot be opened, as with a
    // key whose access is denied.
    FakeRegistry& MakeUnopenable(RegistryPlace place, std::wstring_view path) {
        Create(place, Trimmed(path)).openable = false;
        return *this;
    }

    // The value enumeration of place\path fails after `count` values.
    FakeRegistry& FailValueEnumerationAfter(RegistryPlace place, std::wstring_view path, std::size_t count) {
        Create(place, Trimmed(path)).valueLimit = count;
        return *this;
    }

    // The clock stands still from now on; AdvanceClock moves it by hand.
    FakeRegistry& StopClock() {
        clockRuns_ = false;
        return *this;
    }
    FakeRegistry& AdvanceClock(RegistryWriteTime by) {
        clock_ += by;
        return *this;
    }

    // The sub-key enumeration of place\path fails after `count` names.
    FakeRegistry& FailSubKeyEnumerationAfter(RegistryPlace place, std::wstring_view path, std::size_t count) {
        Create(place, Trimmed(path)).subKeyLimit = count;
        return *this;
    }

    // How often place\path was opened successfully, by either enumeration.
    int OpenCount(RegistryPlace place, std::wstring_view path) const {
        const Key* key = Find(place, path);
        return key ? key->opens.load() : 0;
    }

    // How often values were asked for, whether or not the key opened.
    int ValueReads() const { return valueReads_.load(); }

    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override {
        const Key* key = Open(place, path);
        if (!key) return false;
        std::size_t visited = 0;
        for (const std::wstring& name : key->subKeys) {
            if (visited++ == key->subKeyLimit) break;
            const Key* child = Find(place, std::wstring(Trimmed(path)) + L"\\" + name);
            visit(name, child ? child->lastWrite : std::nullopt);
        }
        return true;
    }

    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override {
        ++valueReads_;
        const Key* key = Open(place, path);
        if (!key) return ValueVisitEnd::NotOpened;
        std::size_t visited = 0;
        for (const Value& value : key->values) {
            if (visited++ == key->valueLimit) return ValueVisitEnd::Interrupted;
            visit(value.name, value.type, value.data);
        }
        return ValueVisitEnd::AllValues;
    }

    RegistryWriteTime CurrentTime() const override { return clockRuns_ ? clock_ += kClockStep : clock_.load(); }

private:
    struct Key {
        std::vector<Value> values;
        std::vector<std::wstring> subKeys;  // names as created, in creation order
        bool openable = true;
        std::size_t subKeyLimit = static_cast<std::size_t>(-1);
        std::size_t valueLimit = static_cast<std::size_t>(-1);
        std::optional<RegistryWriteTime> lastWrite;
        mutable std::atomic<int> opens{0};
    };
    // The current user's key is the same in both views.
    using PlaceId = std::pair<RegistryRoot, RegistryView>;
    using KeyId = std::pair<PlaceId, std::wstring>;

    static PlaceId Normal(RegistryPlace place) {
        return {place.root, place.root == RegistryRoot::CurrentUser ? RegistryView::Native : place.view};
    }

    static std::wstring_view Trimmed(std::wstring_view path) {
        while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
        return path;
    }

    static std::wstring Folded(std::wstring_view path) {
        std::wstring folded(Trimmed(path));
        for (wchar_t& c : folded) {
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        }
        return folded;
    }

    void Touch(Key& key) { key.lastWrite = clockRuns_ ? clock_ += kClockStep : clock_.load(); }

    Key& Create(RegistryPlace place, std::wstring_view path) {
        auto [it, created] = keys_.try_emplace(KeyId{Normal(place), Folded(path)});
        if (created) {
            Touch(it->second);
            if (!path.empty()) {
                const auto slash = path.rfind(L'\\');
                const std::wstring_view parent =
                    slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, slash);
                const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
                Key& parentKey = Create(place, parent);
                parentKey.subKeys.emplace_back(name);
                Touch(parentKey);
            }
        }
        return it->second;
    }

    const Key* Find(RegistryPlace place, std::wstring_view path) const {
        const auto it = keys_.find(KeyId{Normal(place), Folded(path)});
        return it == keys_.end() ? nullptr : &it->second;
    }
    Key* Find(RegistryPlace place, std::wstring_view path) {
        const auto it = keys_.find(KeyId{Normal(place), Folded(path)});
        return it == keys_.end() ? nullptr : &it->second;
    }

    // Like the real registry, a path holding a NUL opens nothing.
    const Key* Open(RegistryPlace place, std::wstring_view path) const {
        if (path.find(L'\0') != std::wstring_view::npos) return nullptr;
        const Key* key = Find(place, path);
        if (!key || !key->openable) return nullptr;
        ++key->opens;
        return key;
    }

    std::map<KeyId, Key> keys_;
    static constexpr RegistryWriteTime kClockStep = 10 * 10'000'000;  // ten seconds
    mutable std::atomic<RegistryWriteTime> clock_{130'000'000'000'000'000};  // in 2012
    std::atomic<bool> clockRuns_{true};
    mutable std::atomic<int> valueReads_{0};
};

}  // namespace vorlen::fakes
