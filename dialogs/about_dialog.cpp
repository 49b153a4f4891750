#include "dialogs/about_dialog.h"

#include <string>

#include "core/program_state.h"
#include "dialogs/modal_dialog.h"
#include "dialogs/program_version.h"
#include "dialogs/system_info.h"
#include "dialogs/twips_placement.h"
#include "platform/win32/display_api.h"
#include "platform/win32/unique_handle.h"
#include "resources/dialog_ids.h"
#include "resources/dialog_layout.h"
#include "resources/resource.h"

namespace vorlen {

namespace {

constexpr ControlTwips kControls[] = {
    {IDC_ABOUT_ICON, ABOUT_ICON_RECT},
    {IDC_ABOUT_TITLE, ABOUT_TITLE_RECT},
    {IDC_ABOUT_VERSION, ABOUT_VERSION_RECT},
    {IDC_ABOUT_DESCRIPTION, ABOUT_DESCRIPTION_RECT},
    {IDC_ABOUT_LINE_GREY, ABOUT_LINE_GREY_RECT},
    {IDC_ABOUT_LINE_WHITE, ABOUT_LINE_WHITE_RECT},
    {IDC_ABOUT_DISCLAIMER, ABOUT_DISCLAIMER_RECT},
    {IDOK, ABOUT_OK_RECT},
    {IDC_ABOUT_SYSINFO, ABOUT_SYSINFO_RECT},
};

constexpr COLORREF kLabelColour = RGB(0, 0, 0);
constexpr COLORREF kGreyLineColour = RGB(128, 128, 128);
constexpr COLORREF kWhiteLineColour = RGB(255, 255, 255);

// "ﾊﾞｰｼﾞｮﾝ " and major.minor.revision of the executable's version record.
std::wstring VersionText() {
    const FileVersion version = ReadModuleVersion(GetModuleHandleW(nullptr)).value_or(FileVersion{});
    return L"ﾊﾞｰｼﾞｮﾝ " + std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.revision);
}

class AboutDialog final : public ModalDialog {
public:
    AboutDialog(Desktop& desktop, const RegistryReader& registry) : desktop_(desktop), registry_(registry) {}

    void Run(HWND owner) { RunModal(IDD_ABOUT, owner); }

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_INITDIALOG: OnInitDialog(); return TRUE;  // focus to the first tab stop, OK
        case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
        case WM_CTLCOLORSTATIC: return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        default: return FALSE;
        }
    }

    void OnInitDialog() {
        SetWindowTextW(Hwnd(), (std::wstring(kAppTitle) + L"のﾊﾞｰｼﾞｮﾝ情報").c_str());
        SetDlgItemTextW(Hwnd(), IDC_ABOUT_VERSION, VersionText().c_str());
        SetDlgItemTextW(Hwnd(), IDC_ABOUT_TITLE, kAppTitle);
        PlaceDialog(Hwnd(), ABOUT_CLIENT_WIDTH, ABOUT_CLIENT_HEIGHT, kControls);
        ShowIcon();
    }

    // The program's icon at the icon size of the dialog's DPI. Setting it
    // shrinks the picture box to the icon, keeping its top left corner.
    void ShowIcon() {
        const DisplayApi& display = DisplayApi::OfThisSystem();
        const int size = display.SystemMetric(SM_CXICON, display.WindowDpi(Hwnd()));
        icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VORLEN), IMAGE_ICON,
                                                  size, size, LR_DEFAULTCOLOR)));
        SendDlgItemMessageW(Hwnd(), IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    }

    void OnCommand(int id) {
        switch (id) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box
            EndDialog(Hwnd(), IDOK);
            break;
        case IDC_ABOUT_SYSINFO: StartSysInfo(Hwnd(), desktop_, registry_); break;
        default: break;
        }
    }

    INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
        switch (GetDlgCtrlID(control)) {
        case IDC_ABOUT_TITLE:
        case IDC_ABOUT_DESCRIPTION:
        case IDC_ABOUT_DISCLAIMER:
            SetTextColor(dc, kLabelColour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        case IDC_ABOUT_LINE_GREY: return Fill(dc, kGreyLineColour);
        case IDC_ABOUT_LINE_WHITE: return Fill(dc, kWhiteLineColour);
        default: return FALSE;
        }
    }

    // The line is an empty static: its background, painted with the DC
    // brush in this colour, is all that shows.
    static INT_PTR Fill(HDC dc, COLORREF colour) {
        SetDCBrushColor(dc, colour);
        return reinterpret_cast<INT_PTR>(GetStockObject(DC_BRUSH));
    }

    Desktop& desktop_;
    const RegistryReader& registry_;
    UniqueIcon icon_;  // loaded at the icon size of the dialog's DPI
};

}  // namespace

void ShowAboutDialog(HWND owner, Desktop& desktop, const RegistryReader& registry) {
    AboutDialog(desktop, registry).Run(owner);
}

}  // namespace vorlen
