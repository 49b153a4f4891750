#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh folder under the temporary folder, removed with its files at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        path_ = std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId());
        Remove();
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

    static std::string ReadBytes(const std::wstring& file) {
        std::ifstream in(std::filesystem::path(file), std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    }
    static void WriteBytes(const std::wstring& file, const std::string& bytes) {
        std::ofstream(std::filesystem::path(file), std::ios::binary) << bytes;
    }
    static bool Exists(const std::wstring& file) { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    void Remove() {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") DeleteFileW((path_ + L"\\" + name).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }

    std::wstring path_;
};
