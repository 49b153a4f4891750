#include "dialogs/settings_dialog.h"

#include <array>
#include <cstdint>

#include "dialogs/modal_dialog.h"
#include "dialogs/twips_placement.h"
#include "resources/dialog_ids.h"
#include "resources/dialog_layout.h"

namespace vorlen {

namespace {

constexpr ControlTwips kControls[] = {
    {IDC_SETTINGS_DISPLAY_NAME, SETTINGS_DISPLAY_NAME_RECT},
    {IDC_SETTINGS_UNINSTALL_STRING, SETTINGS_UNINSTALL_STRING_RECT},
    {IDC_SETTINGS_NO_HOTFIX, SETTINGS_NO_HOTFIX_RECT},
    {IDC_SETTINGS_NOTE, SETTINGS_NOTE_RECT},
    {IDOK, SETTINGS_OK_RECT},
    {IDCANCEL, SETTINGS_CANCEL_RECT},
};

constexpr COLORREF kNoteColour = RGB(255, 0, 0);

// The value a box can show for a stored value: a check box has clear (0),
// ticked (1) and grey (2); anything else shows as clear.
std::int16_t ShownValue(std::int16_t stored) { return stored == 1 || stored == 2 ? stored : 0; }

WPARAM CheckState(std::int16_t shown) {
    if (shown == 1) return BST_CHECKED;
    if (shown == 2) return BST_INDETERMINATE;
    return BST_UNCHECKED;
}

// A click ticks a clear box and clears a ticked one. A grey box goes to clear,
// the state a standard three-state box takes after grey; the user can never
// make a box grey.
std::int16_t ClickedValue(std::int16_t shown) { return shown == 0 ? 1 : 0; }

class SettingsDialog final : public ModalDialog {
public:
    explicit SettingsDialog(const DisplaySettings& current)
        : values_{ShownValue(current.displayName), ShownValue(current.uninstallString), ShownValue(current.noHotfix)} {}

    std::optional<DisplaySettings> Run(HWND owner) {
        if (RunModal(IDD_SETTINGS, owner) != IDOK) return std::nullopt;
        return values_;
    }

private:
    struct Box {
        int id;
        std::int16_t DisplaySettings::*value;
    };
    static constexpr std::array<Box, 3> kBoxes{{
        {IDC_SETTINGS_DISPLAY_NAME, &DisplaySettings::displayName},
        {IDC_SETTINGS_UNINSTALL_STRING, &DisplaySettings::uninstallString},
        {IDC_SETTINGS_NO_HOTFIX, &DisplaySettings::noHotfix},
    }};

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITDIALOG: OnInitDialog(); return TRUE;  // focus to the first tab stop, OK
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
        case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        default: return FALSE;
        }
    }

    // Copies the settings into the boxes and lays the dialog out.
    void OnInitDialog() {
        PlaceDialog(Hwnd(), SETTINGS_CLIENT_WIDTH, SETTINGS_CLIENT_HEIGHT, kControls);
        for (const Box& box : kBoxes) ShowBox(box);
    }

    void OnCommand(int id, int code) {
        // OK and Enter; Cancel, Esc and the close box.
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(Hwnd(), id);
            return;
        }
        if (code != BN_CLICKED) return;
        for (const Box& box : kBoxes) {
            if (box.id == id) {
                values_.*box.value = ClickedValue(values_.*box.value);
                ShowBox(box);
            }
        }
    }

    INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
        if (GetDlgCtrlID(control) != IDC_SETTINGS_NOTE) return FALSE;
        SetTextColor(dc, kNoteColour);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }

    void ShowBox(const Box& box) {
        SendDlgItemMessageW(Hwnd(), box.id, BM_SETCHECK, CheckState(values_.*box.value), 0);
    }

    DisplaySettings values_;
};

}  // namespace

std::optional<DisplaySettings> ShowSettingsDialog(HWND owner, const DisplaySettings& current) {
    return SettingsDialog(current).Run(owner);
}

}  // namespace vorlen
