#pragma once
#include "platform/desktop.h"

namespace vorlen {

class Win32Desktop final : public Desktop {
public:
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override;
    std::wstring ExpandEnvironment(const std::wstring& text) override;
    bool StartProcess(const std::wstring& commandLine, int showCommand, PlatformError& error) override;
    void ShellOpen(HWND owner, const std::wstring& target, const std::wstring& directory, int showCommand) override;
    bool PathExists(const std::wstring& path) override;
    bool NormalFileExists(const std::wstring& pattern) override;
    bool RunAndWait(const std::wstring& commandLine, int showCommand, const std::function<void()>& pump,
                    PlatformError& error) override;
    std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                const std::wstring& initialFolder) override;
    std::wstring SpecialFolder(const std::wstring& name) override;
    void SendKey(UINT virtualKey) override;
    bool SetClipboardText(HWND owner, const std::wstring& text) override;
    std::wstring ClipboardText(HWND owner) override;
};

// The Windows error number with the system's description of it.
PlatformError LastPlatformError();
PlatformError PlatformErrorOf(std::uint32_t error);

}  // namespace vorlen
