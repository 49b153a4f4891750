#pragma once
#include "platform/profile_file.h"

namespace vorlen {

// An INI file read and written through the system's profile functions.
class Win32ProfileFile final : public ProfileFile {
public:
    explicit Win32ProfileFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& Path() const { return path_; }

    std::wstring Read(const std::wstring& key, const std::wstring& section,
                      const std::wstring& fallback) const override;
    bool Write(const std::wstring& value, const std::wstring& key, const std::wstring& section) override;

private:
    std::wstring path_;
};

}  // namespace vorlen
