#pragma once
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/win32/desktop_win32.h"

// Answers message boxes from a script and records what would have been
// started or opened instead of starting it. File lookups and the expansion
// of environment variables are the real ones, and every path looked up is
// recorded.
class FakeDesktop final : public vorlen::Desktop {
public:
    struct Message {
        std::wstring text;
        std::wstring caption;
        UINT style;
    };
    struct Started {
        std::wstring commandLine;
        int showCommand;
    };

    std::deque<int> answers;  // IDOK when empty
    std::vector<Message> messages;
    std::vector<Started> started;
    std::vector<std::wstring> opened;
    std::wstring clipboard;
    bool clipboardSet = false;
    bool failStarts = false;
    std::vector<Started> waitedFor;      // RunAndWait's command lines
    bool pumpWhileWaiting = false;       // RunAndWait gives the pump one turn, as an arriving message would
    std::vector<std::wstring> probed;    // every path PathExists and NormalFileExists were asked about
    std::wstring networkDrives;          // letters taken for mapped network drives, besides the real ones
    std::deque<std::wstring> savePaths;  // Save-As answers; "" (cancel) when empty
    struct SaveDialog {
        std::wstring filter;
        std::wstring defaultExtension;
        std::wstring initialFolder;
    };
    std::vector<SaveDialog> saveDialogs;
    std::wstring desktopFolder = L"C:\\users\\Public\\Desktop";
    std::vector<UINT> keysSent;

    int ShowMessage(HWND, const std::wstring& text, const std::wstring& caption, UINT style) override {
        messages.push_back({text, caption, style});
        if (answers.empty()) return IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::wstring ExpandEnvironment(const std::wstring& text) override { return real_.ExpandEnvironment(text); }
    bool StartProcess(const std::wstring& commandLine, int showCommand, vorlen::PlatformError& error) override {
        if (failStarts) {
            error = {ERROR_FILE_NOT_FOUND, L"指定されたファイルが見つかりません。"};
            return false;
        }
        started.push_back({commandLine, showCommand});
        return true;
    }
    WaitOutcome RunAndWait(const std::wstring& commandLine, int showCommand, const std::function<bool()>& pump,
                           vorlen::PlatformError& error) override {
        if (failStarts) {
            StartProcess(commandLine, showCommand, error);
            return WaitOutcome::NotStarted;
        }
        waitedFor.push_back({commandLine, showCommand});
        if (pumpWhileWaiting && !pump()) return WaitOutcome::StoppedWaiting;
        return WaitOutcome::Ended;
    }
    std::wstring ShowSaveDialog(HWND, const std::wstring& filter, const std::wstring& defaultExtension,
                                const std::wstring& initialFolder) override {
        saveDialogs.push_back({filter, defaultExtension, initialFolder});
        if (savePaths.empty()) return L"";
        std::wstring path = savePaths.front();
        savePaths.pop_front();
        return path;
    }
    std::wstring SpecialFolder(const std::wstring& name) override { return name == L"Desktop" ? desktopFolder : L""; }
    void SendKey(UINT virtualKey) override { keysSent.push_back(virtualKey); }
    void ShellOpen(HWND, const std::wstring& target, const std::wstring&, int) override { opened.push_back(target); }
    bool PathExists(const std::wstring& path) override {
        probed.push_back(path);
        return real_.PathExists(path);
    }
    bool NormalFileExists(const std::wstring& path) override {
        probed.push_back(path);
        return real_.NormalFileExists(path);
    }
    bool IsNetworkDrive(wchar_t driveLetter) override {
        return networkDrives.find(driveLetter) != std::wstring::npos || real_.IsNetworkDrive(driveLetter);
    }
    bool SetClipboardText(HWND, const std::wstring& text) override {
        clipboard = text;
        clipboardSet = true;
        return true;
    }
    std::wstring ClipboardText(HWND) override { return clipboard; }

private:
    vorlen::Win32Desktop real_;
};
