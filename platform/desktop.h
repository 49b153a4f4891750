#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/network_path.h"
#include "platform/platform_error.h"

namespace vorlen {

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
    // A name is never taken as a pattern: one holding * or ? names nothing.
    virtual bool PathExists(const std::wstring& path) = 0;
    // Whether the name names a file that is not a folder and is neither
    // hidden nor a system file.
    virtual bool NormalFileExists(const std::wstring& path) = 0;
    // Whether the drive of that letter is a network drive (a mapped letter).
    virtual bool IsNetworkDrive(wchar_t driveLetter) = 0;
    // Whether a path may be looked up at all (MayLookUpPath with this
    // desktop's drives): asked before every lookup that only colours a cell
    // or enables a command.
    bool MayLookUp(std::wstring_view path) {
        return MayLookUpPath(path, [this](wchar_t drive) { return IsNetworkDrive(drive); });
    }

    // What became of a command line that RunAndWait was given.
    enum class WaitOutcome {
        NotStarted,      // it could not be started; `error` says why
        Ended,           // its process has ended
        StoppedWaiting,  // the pump asked to stop waiting; the process runs on
    };

    // Starts a command line and waits until its process has ended. Each
    // window message that arrives meanwhile wakes the wait to call `pump`,
    // which handles the messages so that the window stays responsive and
    // returns false when the program is quitting: the wait then ends at once
    // and the caller starts nothing more. No processor time is spent while
    // nothing happens.
    virtual WaitOutcome RunAndWait(const std::wstring& commandLine, int showCommand, const std::function<bool()>& pump,
                                   PlatformError& error) = 0;

    // The common Save-As dialog titled "名前を付けて保存", opening in
    // `initialFolder` when it is not empty. `filter` is description NUL
    // pattern pairs. The chosen path, or "" on cancel or failure.
    virtual std::wstring ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                        const std::wstring& initialFolder) = 0;

    // The path of a special folder ("Desktop") as the shell automation
    // object "WScript.Shell" reports it; "" when it cannot be had.
    virtual std::wstring SpecialFolder(const std::wstring& name) = 0;

    // Queues a key press to the active window as if typed.
    virtual void SendKey(UINT virtualKey) = 0;

    // Empties the clipboard and puts the text on it.
    virtual bool SetClipboardText(HWND owner, const std::wstring& text) = 0;
    // The clipboard's plain text, "" when it holds none.
    virtual std::wstring ClipboardText(HWND owner) = 0;
};

}  // namespace vorlen
