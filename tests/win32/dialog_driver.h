#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

// An owner window for a modal dialog, and a script that works the dialog
// while its modal loop runs: a timer on the owner finds the dialog the owner
// has opened and runs the script on it once. A dialog the script leaves
// open is closed after a while, failing the test, so that no test hangs.
class DialogDriver {
public:
    DialogDriver() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{sizeof(windowClass)};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        RegisterClassExW(&windowClass);  // fails harmlessly when already registered
        owner_ = CreateWindowExW(0, kClassName, L"owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                                 instance, nullptr);
        SetWindowLongPtrW(owner_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(owner_, SW_SHOWNOACTIVATE);
    }
    ~DialogDriver() { DestroyWindow(owner_); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    HWND Owner() const { return owner_; }

    // Calls `open`, which shows a modal dialog owned by Owner() and returns
    // when it has closed; meanwhile `script` runs once with the dialog.
    void WhileOpen(const std::function<void(HWND dialog)>& script, const std::function<void()>& open) {
        script_ = script;
        scriptRan_ = false;
        ticksAfterScript_ = 0;
        SetTimer(owner_, kTimerId, kTickMs, OnTimer);
        open();
        KillTimer(owner_, kTimerId);
        EXPECT_TRUE(scriptRan_) << "the dialog never opened";
    }

    // The text of a window or control, as shown.
    static std::wstring Text(HWND window) {
        std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
        text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
        return text;
    }
    static std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

    // A control's rectangle in its dialog's client coordinates.
    static RECT ItemRect(HWND dialog, int id) {
        RECT rect{};
        GetWindowRect(GetDlgItem(dialog, id), &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // Clicks a button as the mouse does; the dialog handles the click before this returns.
    static void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

    // Presses a key in the control that has the focus; the modal loop takes it
    // after the script has returned.
    static void PressKey(HWND dialog, UINT key) {
        HWND target = GetFocus();
        if (!target || (target != dialog && !IsChild(dialog, target))) target = dialog;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    }

private:
    static constexpr wchar_t kClassName[] = L"VorlenDialogTestOwner";
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kTickMs = 30;
    static constexpr int kMaxTicksAfterScript = 100;  // 3 seconds

    struct Search {
        HWND owner;
        HWND found;
    };

    static BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM lParam) {
        auto* search = reinterpret_cast<Search*>(lParam);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (std::wstring(className) == L"#32770" && IsWindowVisible(window) &&
            GetWindow(window, GW_OWNER) == search->owner) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND owner, UINT, UINT_PTR, DWORD) {
        auto* self = reinterpret_cast<DialogDriver*>(GetWindowLongPtrW(owner, GWLP_USERDATA));
        Search search{owner, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return;
        if (!self->scriptRan_) {
            self->scriptRan_ = true;
            self->script_(search.found);
            return;
        }
        if (++self->ticksAfterScript_ > kMaxTicksAfterScript) {
            ADD_FAILURE() << "the dialog stayed open after the script";
            EndDialog(search.found, IDABORT);
        }
    }

    HWND owner_ = nullptr;
    std::function<void(HWND)> script_;
    bool scriptRan_ = false;
    int ticksAfterScript_ = 0;
};
