#pragma once
// An in-memory settings file for tests. Sections and keys compare without
// regard to ASCII letter case, as the profile functions compare them.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/profile_file.h"

namespace vorlen::fakes {

class FakeProfileFile final : public ProfileFile {
public:
    struct Entry {
        std::wstring section, key, value;
    };

    std::wstring Read(const std::wstring& key, const std::wstring& section,
                      const std::wstring& fallback) const override {
        const auto it = Find(section, key);
        return it == entries.end() ? fallback : it->value;
    }

    bool Write(const std::wstring& value, const std::wstring& key, const std::wstring& section) override {
        if (readOnly) return false;
        writes.push_back(Entry{section, key, value});
        for (Entry& entry : entries) {
            if (SameName(entry.section, section) && SameName(entry.key, key)) {
                entry.value = value;
                return true;
            }
        }
        Set(section, key, value);
        return true;
    }

    void Set(std::wstring section, std::wstring key, std::wstring value) {
        entries.push_back(Entry{std::move(section), std::move(key), std::move(value)});
    }

    std::vector<Entry> entries;  // the file's content
    std::vector<Entry> writes;   // every successful write, in call order
    bool readOnly = false;       // refuse every write, as in a read-only folder

private:
    static bool SameName(const std::wstring& a, const std::wstring& b) {
        auto fold = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; };
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [&](wchar_t x, wchar_t y) { return fold(x) == fold(y); });
    }

    std::vector<Entry>::const_iterator Find(const std::wstring& section, const std::wstring& key) const {
        return std::find_if(entries.begin(), entries.end(), [&](const Entry& entry) {
            return SameName(entry.section, section) && SameName(entry.key, key);
        });
    }
};

}  // namespace vorlen::fakes
