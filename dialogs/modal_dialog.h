#pragma once
#include <windows.h>

namespace vorlen {

// A modal dialog from a template of this program's resources, bound to a C++
// object from WM_INITDIALOG on. No exception leaves the dialog procedure: one
// that escapes a handler ends that message as not handled.
class ModalDialog {
public:
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() = default;

protected:
    // Shows the dialog owned by `owner`, which stays disabled until it
    // closes; returns the result given to EndDialog, or -1 when the dialog
    // could not be created.
    INT_PTR RunModal(int templateId, HWND owner);

    HWND Hwnd() const { return hwnd_; }

    // A dialog procedure's answer: TRUE when handled, or what the message
    // itself returns (a brush for WM_CTLCOLORSTATIC).
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace vorlen
