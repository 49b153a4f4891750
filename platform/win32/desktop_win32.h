#pragma once
#include "platform/desktop.h"

#include <commdlg.h>

#include <vector>

namespace vorlen {

class Win32Desktop final : public Desktop {
public:
    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) override;
    std::wstring ExpandEnvironment(const std::wstring& text) override;
    bool StartProcess(const std::wstring& commandLine, int showCommand, PlatformError& error) override;
    void ShellOpen(HWND owner, const std::wstring& target, const std::wstring& directory, int showCommand) override;
    bool PathExists(const std::wstring& path) override;
    bool NormalFileExists(const std::wstring& path) override;
    bool IsNetworkDrive(wchar_t driveLetter) override;
    WaitOutcome RunAndWait(const std::wstring& commandLine, int showCommand, const std::function<bool()>& pump,
                           PlatformError& error) override;
    std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                const std::wstring& initialFolder) override;
    std::wstring SpecialFolder(const std::wstring& name) override;
    void SendKey(UINT virtualKey) override;
    bool SetClipboardText(HWND owner, const std::wstring& text) override;
    std::wstring ClipboardText(HWND owner) override;
};

// The Save-As dialog's record together with the texts and buffers it points
// into: `filter`'s description NUL pattern pairs followed by "すべてのファイル(*.*)",
// the default extension without its point (none without a filter), the
// initial folder when there is one, and the flags of a Save-As dialog that
// accepts a new file name and asks before overwriting an existing one.
class SaveDialogRecord {
public:
    SaveDialogRecord(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                     const std::wstring& initialFolder);
    SaveDialogRecord(const SaveDialogRecord&) = delete;
    SaveDialogRecord& operator=(const SaveDialogRecord&) = delete;

    OPENFILENAMEW& Record() { return record_; }
    // The path the dialog wrote, once it returned success.
    std::wstring ChosenPath() const { return file_.data(); }

private:
    std::wstring filters_;
    std::wstring extension_;
    std::wstring initialFolder_;
    std::vector<wchar_t> file_;
    std::vector<wchar_t> title_;
    OPENFILENAMEW record_{};
};

// The Windows error number with the system's description of it.
PlatformError LastPlatformError();
PlatformError PlatformErrorOf(std::uint32_t error);

}  // namespace vorlen
