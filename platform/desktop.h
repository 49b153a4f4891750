#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace vorlen {

// A failure of the platform as the error report shows it: the Windows error
// number and the system's description of it.
struct PlatformError {
    std::int32_t number = 0;
    std::wstring description;
};

// The operations the main window asks of the desktop: message boxes,
// starting programs, opening documents, the file system's lookups and the
// clipboard. The real one reaches Windows; the tests answer the boxes and
// record the command lines instead.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box; returns the button pressed (IDYES, IDNO, IDOK …).
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) = 0;

    // The text with every %variable% of the environment replaced by its value.
    virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;

    // Starts a command line as a new process whose first window gets
    // `showCommand`, and returns once the process exists. False with
    // `error` filled when it cannot be started.
    virtual bool StartProcess(const std::wstring& commandLine, int showCommand, PlatformError& error) = 0;

    // Opens a document or address with its associated program.
    virtual void ShellOpen(HWND owner, const std::wstring& target, const std::wstring& directory, int showCommand) = 0;

    // Whether a file or folder of that name exists (a malformed name: no).
    virtual bool PathExists(const std::wstring& path) = 0;
    // Whether the name or pattern matches a file that is not a folder and is
    // neither hidden nor a system file.
    virtual bool NormalFileExists(const std::wstring& pattern) = 0;

    // Empties the clipboard and puts the text on it.
    virtual bool SetClipboardText(HWND owner, const std::wstring& text) = 0;
    // The clipboard's plain text, "" when it holds none.
    virtual std::wstring ClipboardText(HWND owner) = 0;
};

}  // namespace vorlen
