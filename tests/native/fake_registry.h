#pragma once
// An in-memory registry for tests: keys under a root and a path, values in
// the order they were added, sub-keys in the order they were created. Key
// paths compare without regard to ASCII letter case and ignore trailing
// backslashes, as the registry's own paths do.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
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

    // Creates root\path and every missing key above it.
    FakeRegistry& AddKey(RegistryRoot root, std::wstring_view path) {
        Create(root, Trimmed(path));
        return *this;
    }

    // Appends a value to root\path, creating the key where it is missing.
    FakeRegistry& AddValue(RegistryRoot root, std::wstring_view path, std::wstring name, std::uint32_t type,
                           std::vector<std::uint8_t> data) {
        Create(root, Trimmed(path)).values.push_back(Value{std::move(name), type, std::move(data)});
        return *this;
    }

    FakeRegistry& AddString(RegistryRoot root, std::wstring_view path, std::wstring name, std::wstring_view text,
                            std::uint32_t type = kRegSz) {
        return AddValue(root, path, std::move(name), type, Utf16Bytes(text));
    }

    FakeRegistry& AddDword(RegistryRoot root, std::wstring_view path, std::wstring name, std::uint32_t value) {
        return AddValue(root, path, std::move(name), kRegDword, DwordBytes(value));
    }

    // The key stays listed under its parent but cannot be opened, as with a
    // key whose access is denied.
    FakeRegistry& MakeUnopenable(RegistryRoot root, std::wstring_view path) {
        Create(root, Trimmed(path)).openable = false;
        return *this;
    }

    // The sub-key enumeration of root\path fails after `count` names.
    FakeRegistry& FailSubKeyEnumerationAfter(RegistryRoot root, std::wstring_view path, std::size_t count) {
        Create(root, Trimmed(path)).subKeyLimit = count;
        return *this;
    }

    // How often root\path was opened successfully, by either enumeration.
    int OpenCount(RegistryRoot root, std::wstring_view path) const {
        const Key* key = Find(root, path);
        return key ? key->opens.load() : 0;
    }

    bool ForEachSubKey(RegistryRoot root, const std::wstring& path,
                       const std::function<void(std::wstring_view)>& visit) const override {
        const Key* key = Open(root, path);
        if (!key) return false;
        std::size_t visited = 0;
        for (const std::wstring& name : key->subKeys) {
            if (visited++ == key->subKeyLimit) break;
            visit(name);
        }
        return true;
    }

    bool ForEachValue(RegistryRoot root, const std::wstring& path, const RegistryValueVisitor& visit) const override {
        const Key* key = Open(root, path);
        if (!key) return false;
        for (const Value& value : key->values) visit(value.name, value.type, value.data);
        return true;
    }

private:
    struct Key {
        std::vector<Value> values;
        std::vector<std::wstring> subKeys;  // names as created, in creation order
        bool openable = true;
        std::size_t subKeyLimit = static_cast<std::size_t>(-1);
        mutable std::atomic<int> opens{0};
    };
    using KeyId = std::pair<RegistryRoot, std::wstring>;

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

    Key& Create(RegistryRoot root, std::wstring_view path) {
        auto [it, created] = keys_.try_emplace(KeyId{root, Folded(path)});
        if (created && !path.empty()) {
            const auto slash = path.rfind(L'\\');
            const std::wstring_view parent =
                slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(0, slash);
            const std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
            Create(root, parent).subKeys.emplace_back(name);
        }
        return it->second;
    }

    const Key* Find(RegistryRoot root, std::wstring_view path) const {
        const auto it = keys_.find(KeyId{root, Folded(path)});
        return it == keys_.end() ? nullptr : &it->second;
    }

    const Key* Open(RegistryRoot root, std::wstring_view path) const {
        const Key* key = Find(root, path);
        if (!key || !key->openable) return nullptr;
        ++key->opens;
        return key;
    }

    std::map<KeyId, Key> keys_;
};

}  // namespace vorlen::fakes
