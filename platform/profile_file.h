#pragma once
#include <string>

namespace vorlen {

// One INI file in the Windows profile format.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // The text under key in section, or `fallback` when the file, the section
    // or the key is missing. A key present with an empty value yields "".
    virtual std::wstring Read(const std::wstring& key, const std::wstring& section,
                              const std::wstring& fallback) const = 0;
    // Writes value under key in section, creating what is missing; true on
    // success. A read-only file is never written.
    virtual bool Write(const std::wstring& value, const std::wstring& key, const std::wstring& section) = 0;
};

}  // namespace vorlen
