#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A scratch key the tests fill with values through the real registry and
// delete again; the program under test only ever reads it.
class TestRegistryKey {
public:
    TestRegistryKey(HKEY root, std::wstring path) : root_(root), path_(std::move(path)) {
        RegDeleteTreeW(root_, path_.c_str());
        RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    ~TestRegistryKey() {
        if (key_) RegCloseKey(key_);
        RegDeleteTreeW(root_, path_.c_str());
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    const std::wstring& Path() const { return path_; }
    bool IsOpen() const { return key_ != nullptr; }

    void SetBytes(const std::wstring& name, DWORD type, const std::vector<std::uint8_t>& data) {
        RegSetValueExW(key_, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                       static_cast<DWORD>(data.size()));
    }
    // A string stored with its terminating NUL, as programs normally store it.
    void SetString(const std::wstring& name, const std::wstring& text, DWORD type = REG_SZ) {
        SetBytes(name, type, Utf16Bytes(text, true));
    }
    void SetDword(const std::wstring& name, DWORD value) {
        SetBytes(name, REG_DWORD,
                 {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                  static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
    }
    void AddSubKey(const std::wstring& name) {
        HKEY sub = nullptr;
        if (RegCreateKeyExW(key_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr) == ERROR_SUCCESS)
            RegCloseKey(sub);
    }
    void DeleteSubKey(const std::wstring& name) { RegDeleteTreeW(key_, name.c_str()); }

    static std::vector<std::uint8_t> Utf16Bytes(const std::wstring& text, bool withTerminator) {
        std::vector<std::uint8_t> bytes;
        for (wchar_t c : text) {
            bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));
        }
        if (withTerminator) bytes.insert(bytes.end(), {0, 0});
        return bytes;
    }

private:
    HKEY root_;
    std::wstring path_;
    HKEY key_ = nullptr;
};
