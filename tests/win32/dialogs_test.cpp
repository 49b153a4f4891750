// The display-settings and version-information dialogs, opened modally from
// their templates in the program's resources and worked from a timer while
// they are open, as a user would with mouse and keys; and the lookup of the
// system-information tool against values the tests write to the registry.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/system_info.h"
#include "fake_desktop.h"
#include "platform/win32/registry_win32.h"
#include "resources/dialog_ids.h"
#include "temp_folder.h"
#include "test_registry_key.h"

using vorlen::DisplaySettings;
using vorlen::RegistryRoot;

namespace {

constexpr wchar_t kScratch[] = L"Software\\VorlenTests\\Dialogs";
constexpr wchar_t kUnavailable[] = L"現時点ではｼｽﾃﾑ情報を使用できません";

// The design's geometry in twips.
struct Twips {
    int id;
    int left;
    int top;
    int width;
    int height;
};

int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

UINT DpiOf(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

void ExpectClientSize(HWND dialog, int widthTwips, int heightTwips) {
    const UINT dpi = DpiOf(dialog);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, Px(widthTwips, dpi));
    EXPECT_EQ(client.bottom, Px(heightTwips, dpi));
}

void ExpectPlaced(HWND dialog, const Twips& control) {
    const UINT dpi = DpiOf(dialog);
    const RECT rect = DialogDriver::ItemRect(dialog, control.id);
    EXPECT_EQ(rect.left, Px(control.left, dpi)) << "control " << control.id;
    EXPECT_EQ(rect.top, Px(control.top, dpi)) << "control " << control.id;
    EXPECT_EQ(rect.right - rect.left, Px(control.width, dpi)) << "control " << control.id;
    EXPECT_EQ(rect.bottom - rect.top, Px(control.height, dpi)) << "control " << control.id;
}

// A fixed dialog frame with a close box, owned by the opener (so not in the
// task bar), centred on the screen.
void ExpectFixedOwnedAndCentred(HWND dialog, HWND owner) {
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);

    RECT window{};
    GetWindowRect(dialog, &window);
    MONITORINFO monitor{sizeof(monitor)};
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    EXPECT_LE(std::abs((window.left - screen.left) - (screen.right - window.right)), 1);
    EXPECT_LE(std::abs((window.top - screen.top) - (screen.bottom - window.bottom)), 1);
}

// The tab stops from `first` on, until the walk comes back to it.
std::vector<int> TabOrder(HWND dialog, int first) {
    std::vector<int> ids;
    HWND control = GetDlgItem(dialog, first);
    do {
        ids.push_back(GetDlgCtrlID(control));
        control = GetNextDlgTabItem(dialog, control, FALSE);
    } while (control && control != GetDlgItem(dialog, first) && ids.size() < 20);
    return ids;
}

// The colours a static control is painted with: what the dialog answers to
// WM_CTLCOLORSTATIC for it, on a DC whose text colour starts out blue.
struct StaticColours {
    COLORREF text;
    COLORREF fill;
};

StaticColours ColoursOf(HWND dialog, int id) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SetTextColor(dc, RGB(0, 0, 255));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
    StaticColours colours{GetTextColor(dc), CLR_INVALID};
    if (brush) {
        RECT all{0, 0, 4, 4};
        FillRect(dc, &all, brush);
        colours.fill = GetPixel(dc, 1, 1);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colours;
}

// How many pixels of a control's area, as drawn on the screen, have the colour.
int PixelsOf(HWND dialog, int id, COLORREF colour) {
    UpdateWindow(dialog);
    const RECT rect = DialogDriver::ItemRect(dialog, id);
    const HDC dc = GetDC(dialog);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (GetPixel(dc, x, y) == colour) ++count;
    ReleaseDC(dialog, dc);
    return count;
}

COLORREF PixelAt(HWND dialog, int x, int y) {
    UpdateWindow(dialog);
    const HDC dc = GetDC(dialog);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(dialog, dc);
    return colour;
}

UINT CheckOf(HWND dialog, int id) { return static_cast<UINT>(SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0)); }

// ---------------------------------------------------------------------------
// The display-settings dialog.

class DialogSettings : public ::testing::Test {
protected:
    // One owner for the suite: under Wine without a window manager, every
    // top-level window taken off the screen costs two seconds.
    static void SetUpTestSuite() { driver_ = std::make_unique<DialogDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    // Opens the dialog with `current`, runs `script` on it, and gives back what it returned.
    std::optional<DisplaySettings> Run(const DisplaySettings& current, const std::function<void(HWND)>& script) {
        std::optional<DisplaySettings> result;
        driver_->WhileOpen(script, [&] { result = vorlen::ShowSettingsDialog(driver_->Owner(), current); });
        return result;
    }

    static void ExpectBoxes(HWND dialog, UINT displayName, UINT uninstallString, UINT noHotfix) {
        EXPECT_EQ(CheckOf(dialog, IDC_SETTINGS_DISPLAY_NAME), displayName);
        EXPECT_EQ(CheckOf(dialog, IDC_SETTINGS_UNINSTALL_STRING), uninstallString);
        EXPECT_EQ(CheckOf(dialog, IDC_SETTINGS_NO_HOTFIX), noHotfix);
    }

    static std::unique_ptr<DialogDriver> driver_;
};

std::unique_ptr<DialogDriver> DialogSettings::driver_;

void ExpectSettings(const std::optional<DisplaySettings>& result, int displayName, int uninstallString, int noHotfix) {
    ASSERT_TRUE(result.has_value()) << "the dialog gave nothing back";
    EXPECT_EQ(result->displayName, displayName);
    EXPECT_EQ(result->uninstallString, uninstallString);
    EXPECT_EQ(result->noHotfix, noHotfix);
}

TEST_F(DialogSettings, ShowsItsCaptionAndTextsExactly) {
    Run({1, 1, 1}, [](HWND dialog) {
        EXPECT_EQ(DialogDriver::Text(dialog), L"表示設定");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_SETTINGS_DISPLAY_NAME), L"プログラム名が空白の項目を表示しない");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_SETTINGS_UNINSTALL_STRING),
                  L"アンインストールコマンドが空白の項目を表示しない");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_SETTINGS_NO_HOTFIX), L"Windows の Hotfix を表示しない");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_SETTINGS_NOTE), L"※Windows の表示と一致しないものもあります");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDOK), L"OK");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDCANCEL), L"キャンセル");
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

TEST_F(DialogSettings, BoxesShowTheStoredValuesAndOkGivesThemBack) {
    const auto result = Run({1, 0, 1}, [](HWND dialog) {
        ExpectBoxes(dialog, BST_CHECKED, BST_UNCHECKED, BST_CHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 1, 0, 1);
}

TEST_F(DialogSettings, ClickedBoxesChangeAndOkGivesTheNewValues) {
    const auto result = Run({1, 1, 0}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        DialogDriver::Click(dialog, IDC_SETTINGS_NO_HOTFIX);
        ExpectBoxes(dialog, BST_UNCHECKED, BST_CHECKED, BST_CHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 0, 1, 1);
}

TEST_F(DialogSettings, AllBoxesClearedGiveZeros) {
    const auto result = Run({1, 1, 1}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        DialogDriver::Click(dialog, IDC_SETTINGS_UNINSTALL_STRING);
        DialogDriver::Click(dialog, IDC_SETTINGS_NO_HOTFIX);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 0, 0, 0);
}

TEST_F(DialogSettings, SpaceOnTheFocusedBoxTogglesIt) {
    const auto result = Run({0, 0, 0}, [](HWND dialog) {
        SetFocus(GetDlgItem(dialog, IDC_SETTINGS_UNINSTALL_STRING));
        SendDlgItemMessageW(dialog, IDC_SETTINGS_UNINSTALL_STRING, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendDlgItemMessageW(dialog, IDC_SETTINGS_UNINSTALL_STRING, WM_KEYUP, VK_SPACE, 0xC0390001);
        EXPECT_EQ(CheckOf(dialog, IDC_SETTINGS_UNINSTALL_STRING), static_cast<UINT>(BST_CHECKED));
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 0, 1, 0);
}

TEST_F(DialogSettings, EnterPressesOk) {
    const auto result = Run({0, 1, 0}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        SetFocus(GetDlgItem(dialog, IDC_SETTINGS_DISPLAY_NAME));
        DialogDriver::PressKey(dialog, VK_RETURN);
    });
    ExpectSettings(result, 1, 1, 0);
}

TEST_F(DialogSettings, CancelAfterChangesGivesNothing) {
    const auto result = Run({1, 1, 1}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        DialogDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(result.has_value());
}

TEST_F(DialogSettings, CloseBoxGivesNothing) {
    const auto result = Run({1, 1, 1}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_NO_HOTFIX);
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_FALSE(result.has_value());
}

TEST_F(DialogSettings, EscGivesNothing) {
    const auto result = Run({0, 0, 0}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_NO_HOTFIX);
        DialogDriver::PressKey(dialog, VK_ESCAPE);
    });
    EXPECT_FALSE(result.has_value());
}

TEST_F(DialogSettings, ReopeningAfterCancelShowsTheStoredValuesAgain) {
    Run({1, 0, 1}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        DialogDriver::Click(dialog, IDC_SETTINGS_UNINSTALL_STRING);
        DialogDriver::Click(dialog, IDCANCEL);
    });
    const auto result = Run({1, 0, 1}, [](HWND dialog) {
        ExpectBoxes(dialog, BST_CHECKED, BST_UNCHECKED, BST_CHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 1, 0, 1);
}

TEST_F(DialogSettings, StoredTwoShowsGreyAndComesBackUntouched) {
    const auto result = Run({2, 2, 2}, [](HWND dialog) {
        ExpectBoxes(dialog, BST_INDETERMINATE, BST_INDETERMINATE, BST_INDETERMINATE);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 2, 2, 2);
}

TEST_F(DialogSettings, ClickingAGreyBoxClearsItAndTheNextClickTicksIt) {
    const auto result = Run({2, 2, 1}, [](HWND dialog) {
        DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        DialogDriver::Click(dialog, IDC_SETTINGS_UNINSTALL_STRING);
        DialogDriver::Click(dialog, IDC_SETTINGS_UNINSTALL_STRING);
        ExpectBoxes(dialog, BST_UNCHECKED, BST_CHECKED, BST_CHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 0, 1, 1);
}

TEST_F(DialogSettings, ClicksNeverMakeABoxGrey) {
    const auto result = Run({0, 1, 0}, [](HWND dialog) {
        for (int i = 0; i < 3; ++i) DialogDriver::Click(dialog, IDC_SETTINGS_DISPLAY_NAME);
        for (int i = 0; i < 4; ++i) DialogDriver::Click(dialog, IDC_SETTINGS_UNINSTALL_STRING);
        ExpectBoxes(dialog, BST_CHECKED, BST_CHECKED, BST_UNCHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 1, 1, 0);
}

TEST_F(DialogSettings, ValuesNoBoxCanShowAppearClearAndComeBackAsZero) {
    const auto result = Run({7, -1, 32767}, [](HWND dialog) {
        ExpectBoxes(dialog, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED);
        DialogDriver::Click(dialog, IDOK);
    });
    ExpectSettings(result, 0, 0, 0);
}

TEST_F(DialogSettings, FocusStartsOnOkWhichIsTheDefaultAndTabFollowsTheDesign) {
    Run({1, 1, 1}, [](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        EXPECT_EQ(TabOrder(dialog, IDOK), (std::vector<int>{IDOK, IDCANCEL, IDC_SETTINGS_DISPLAY_NAME,
                                                            IDC_SETTINGS_UNINSTALL_STRING, IDC_SETTINGS_NO_HOTFIX}));
        DialogDriver::Click(dialog, IDCANCEL);
    });
}

TEST_F(DialogSettings, IsAFixedOwnedWindowInTheCentreOfTheScreen) {
    Run({1, 1, 1}, [this](HWND dialog) {
        ExpectFixedOwnedAndCentred(dialog, driver_->Owner());
        EXPECT_FALSE(IsWindowEnabled(driver_->Owner())) << "the opener takes no input while the dialog is open";
        DialogDriver::Click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(IsWindowEnabled(driver_->Owner()));
}

TEST_F(DialogSettings, LayoutFollowsTheDesignInTwips) {
    Run({1, 1, 1}, [](HWND dialog) {
        ExpectClientSize(dialog, 4710, 2085);
        for (const Twips& control :
             {Twips{IDC_SETTINGS_DISPLAY_NAME, 180, 120, 4275, 315},
              Twips{IDC_SETTINGS_UNINSTALL_STRING, 180, 480, 4275, 315},
              Twips{IDC_SETTINGS_NO_HOTFIX, 180, 840, 4275, 315}, Twips{IDC_SETTINGS_NOTE, 480, 1200, 3525, 180},
              Twips{IDOK, 1680, 1620, 1380, 345}, Twips{IDCANCEL, 3180, 1620, 1380, 345}})
            ExpectPlaced(dialog, control);
        DialogDriver::Click(dialog, IDCANCEL);
    });
}

TEST_F(DialogSettings, TheNoteIsRedAndTheBoxesAreNot) {
    Run({1, 1, 1}, [](HWND dialog) {
        EXPECT_EQ(ColoursOf(dialog, IDC_SETTINGS_NOTE).text, RGB(255, 0, 0));
        EXPECT_GT(PixelsOf(dialog, IDC_SETTINGS_NOTE, RGB(255, 0, 0)), 50) << "red text on the screen";
        EXPECT_EQ(PixelsOf(dialog, IDC_SETTINGS_NO_HOTFIX, RGB(255, 0, 0)), 0);
        DialogDriver::Click(dialog, IDCANCEL);
    });
}

// ---------------------------------------------------------------------------
// Finding the system-information tool. The registry the tests hand over
// shows values written under HKEY_CURRENT_USER at the two HKEY_LOCAL_MACHINE
// places Windows records the tool, and nothing anywhere else.

class RedirectedRegistry final : public vorlen::RegistryReader {
public:
    bool ForEachSubKey(vorlen::RegistryPlace place, const std::wstring& path,
                       const vorlen::SubKeyVisitor& visit) const override {
        const std::wstring* target = Target(place, path);
        return target && real_.ForEachSubKey(RegistryRoot::CurrentUser, *target, visit);
    }
    vorlen::ValueVisitEnd ForEachValue(vorlen::RegistryPlace place, const std::wstring& path,
                                       const vorlen::RegistryValueVisitor& visit) const override {
        const std::wstring* target = Target(place, path);
        return target ? real_.ForEachValue(RegistryRoot::CurrentUser, *target, visit)
                      : vorlen::ValueVisitEnd::NotOpened;
    }
    vorlen::RegistryWriteTime CurrentTime() const override { return real_.CurrentTime(); }

    static std::wstring MsinfoKey() { return std::wstring(kScratch) + L"\\MSINFO"; }
    static std::wstring LocationKey() { return std::wstring(kScratch) + L"\\Shared Tools Location"; }

private:
    const std::wstring* Target(vorlen::RegistryPlace place, const std::wstring& path) const {
        if (place != vorlen::RegistryPlace(RegistryRoot::LocalMachine)) return nullptr;
        if (path == L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO") return &msinfo_;
        if (path == L"SOFTWARE\\Microsoft\\Shared Tools Location") return &location_;
        return nullptr;
    }

    vorlen::Win32Registry real_;
    std::wstring msinfo_ = MsinfoKey();
    std::wstring location_ = LocationKey();
};

// The test's scratch keys: created only where a test writes values.
class DialogStartSysInfo : public ::testing::Test {
protected:
    DialogStartSysInfo() : folder_(L"vorlen-sysinfo") { RegDeleteTreeW(HKEY_CURRENT_USER, kScratch); }
    ~DialogStartSysInfo() override { RegDeleteTreeW(HKEY_CURRENT_USER, kScratch); }

    TestRegistryKey& Msinfo() {
        if (!msinfo_) msinfo_ = std::make_unique<TestRegistryKey>(HKEY_CURRENT_USER, RedirectedRegistry::MsinfoKey());
        return *msinfo_;
    }
    TestRegistryKey& Location() {
        if (!location_)
            location_ = std::make_unique<TestRegistryKey>(HKEY_CURRENT_USER, RedirectedRegistry::LocationKey());
        return *location_;
    }

    void Start() { vorlen::StartSysInfo(nullptr, desktop_, registry_); }

    void ExpectUnavailableMessageOnly() {
        EXPECT_TRUE(desktop_.started.empty());
        ASSERT_EQ(desktop_.messages.size(), 1u);
        EXPECT_EQ(desktop_.messages[0].text, kUnavailable);
        EXPECT_EQ(desktop_.messages[0].caption, L"Kestrin");
        EXPECT_EQ(desktop_.messages[0].style, static_cast<UINT>(MB_OK));
    }

    TempFolder folder_;
    FakeDesktop desktop_;
    RedirectedRegistry registry_;
    std::unique_ptr<TestRegistryKey> msinfo_;
    std::unique_ptr<TestRegistryKey> location_;
};

TEST_F(DialogStartSysInfo, StartsTheFileThatThePathValueNames) {
    Msinfo().SetString(L"PATH", L"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe");
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"MSINFO32.EXE"), "MZ");
    Start();
    ASSERT_EQ(desktop_.started.size(), 1u);
    EXPECT_EQ(desktop_.started[0].commandLine,
              L"\"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe\"")
        << "quoted, so that Windows never tries C:\\Program.exe";
    EXPECT_EQ(desktop_.started[0].showCommand, SW_SHOWNORMAL);
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(DialogStartSysInfo, WithoutThePathValueStartsTheToolInTheSharedToolsFolder) {
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"MSINFO32.EXE"), "MZ");
    Start();
    ASSERT_EQ(desktop_.started.size(), 1u);
    EXPECT_EQ(desktop_.started[0].commandLine, L'"' + folder_.Path() + L"\\MSINFO32.EXE\"");
    EXPECT_EQ(desktop_.started[0].showCommand, SW_SHOWNORMAL);
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(DialogStartSysInfo, TheFolderValueIsUsedWhenTheKeyHoldsOnlyOtherValues) {
    Msinfo().SetString(L"Version", L"5.1");
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"MSINFO32.EXE"), "MZ");
    Start();
    ASSERT_EQ(desktop_.started.size(), 1u);
    EXPECT_EQ(desktop_.started[0].commandLine, L'"' + folder_.Path() + L"\\MSINFO32.EXE\"");
}

TEST_F(DialogStartSysInfo, APathAlreadyInQuotesIsQuotedOnceAndOneWithQuotesInsideStartsNothing) {
    Msinfo().SetString(L"PATH", L"\"C:\\Program Files\\MSInfo\\msinfo32.exe\"");
    Start();
    ASSERT_EQ(desktop_.started.size(), 1u);
    EXPECT_EQ(desktop_.started[0].commandLine, L"\"C:\\Program Files\\MSInfo\\msinfo32.exe\"");

    desktop_.started.clear();
    Msinfo().SetString(L"PATH", L"C:\\Windows\\notepad.exe\" C:\\secret.txt \"");
    Start();
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, AFolderWithoutTheToolSaysItIsUnavailable) {
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"OTHER.EXE"), "MZ");
    Start();
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, AFolderNamedLikeTheToolIsNotTheTool) {
    Location().SetString(L"MSINFO", folder_.Path());
    CreateDirectoryW(folder_.File(L"MSINFO32.EXE").c_str(), nullptr);
    Start();
    RemoveDirectoryW(folder_.File(L"MSINFO32.EXE").c_str());
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, NeitherValueSaysItIsUnavailable) {
    Start();
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, AnEmptyPathValueSaysItIsUnavailableWithoutTryingTheFolder) {
    Msinfo().SetString(L"PATH", L"");
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"MSINFO32.EXE"), "MZ");
    Start();
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, APathValueOfAnotherTypeCountsAsFoundButEmpty) {
    Msinfo().SetString(L"PATH", L"%SystemRoot%\\system32\\msinfo32.exe", REG_EXPAND_SZ);
    Location().SetString(L"MSINFO", folder_.Path());
    TempFolder::WriteBytes(folder_.File(L"MSINFO32.EXE"), "MZ");
    Start();
    ExpectUnavailableMessageOnly();
}

TEST_F(DialogStartSysInfo, AToolThatFailsToStartSaysItIsUnavailable) {
    Msinfo().SetString(L"PATH", L"C:\\nowhere\\msinfo32.exe");
    desktop_.failStarts = true;
    Start();
    ExpectUnavailableMessageOnly();
}

// ---------------------------------------------------------------------------
// Reading one registry value as text.

class DialogGetKeyValue : public ::testing::Test {
protected:
    DialogGetKeyValue() : key_(HKEY_CURRENT_USER, kScratch) {}

    bool Read(const std::wstring& name, std::wstring& value, const std::wstring& keyName = kScratch) {
        return vorlen::GetKeyValue(registry_, RegistryRoot::CurrentUser, keyName, name, value);
    }

    TestRegistryKey key_;
    vorlen::Win32Registry registry_;
};

TEST_F(DialogGetKeyValue, AStringIsReadWithoutItsTerminator) {
    key_.SetString(L"PATH", L"C:\\Windows\\system32\\ｼｽﾃﾑ情報.exe");
    std::wstring value = L"before";
    EXPECT_TRUE(Read(L"PATH", value));
    EXPECT_EQ(value, L"C:\\Windows\\system32\\ｼｽﾃﾑ情報.exe");
}

TEST_F(DialogGetKeyValue, AStringWithoutTerminatorKeepsEveryCharacter) {
    key_.SetBytes(L"PATH", REG_SZ, TestRegistryKey::Utf16Bytes(L"abc", false));
    std::wstring value;
    EXPECT_TRUE(Read(L"PATH", value));
    EXPECT_EQ(value, L"abc");
}

TEST_F(DialogGetKeyValue, OnlyOneTerminatorIsDropped) {
    key_.SetBytes(L"PATH", REG_SZ, TestRegistryKey::Utf16Bytes(std::wstring(L"ab\0", 3), true));
    std::wstring value;
    EXPECT_TRUE(Read(L"PATH", value));
    EXPECT_EQ(value, std::wstring(L"ab\0", 3));
}

TEST_F(DialogGetKeyValue, AnEmptyStringIsReadAsEmpty) {
    key_.SetString(L"PATH", L"");
    std::wstring value = L"before";
    EXPECT_TRUE(Read(L"PATH", value));
    EXPECT_EQ(value, L"");
}

TEST_F(DialogGetKeyValue, TheValueNameIgnoresCase) {
    key_.SetString(L"Path", L"found");
    std::wstring value;
    EXPECT_TRUE(Read(L"PATH", value));
    EXPECT_EQ(value, L"found");
}

TEST_F(DialogGetKeyValue, ADwordReadsAsHexadecimalFromTheLastByteToTheFirst) {
    key_.SetDword(L"Number", 0x0102A0FF);
    std::wstring value;
    EXPECT_TRUE(Read(L"Number", value));
    EXPECT_EQ(value, L"&h0102A0FF");
    key_.SetDword(L"Small", 42);
    EXPECT_TRUE(Read(L"Small", value));
    EXPECT_EQ(value, L"&h0000002A");
}

TEST_F(DialogGetKeyValue, OtherTypesAreFoundButLeaveTheTextAsItWas) {
    key_.SetBytes(L"Binary", REG_BINARY, {1, 2, 3});
    key_.SetString(L"Expand", L"%windir%", REG_EXPAND_SZ);
    key_.SetBytes(L"Multi", REG_MULTI_SZ, TestRegistryKey::Utf16Bytes(std::wstring(L"a\0b\0", 4), true));
    for (const wchar_t* name : {L"Binary", L"Expand", L"Multi"}) {
        std::wstring value = L"as passed";
        EXPECT_TRUE(Read(name, value)) << name;
        EXPECT_EQ(value, L"as passed") << name;
    }
}

TEST_F(DialogGetKeyValue, AMissingValueEmptiesTheTextAndFails) {
    key_.SetString(L"Other", L"x");
    std::wstring value = L"before";
    EXPECT_FALSE(Read(L"PATH", value));
    EXPECT_EQ(value, L"");
}

TEST_F(DialogGetKeyValue, AMissingKeyEmptiesTheTextAndFails) {
    std::wstring value = L"before";
    EXPECT_FALSE(Read(L"PATH", value, std::wstring(kScratch) + L"\\Missing"));
    EXPECT_EQ(value, L"");
}

// ---------------------------------------------------------------------------
// The version-information dialog.

class DialogAbout : public ::testing::Test {
protected:
    static void SetUpTestSuite() { driver_ = std::make_unique<DialogDriver>(); }
    static void TearDownTestSuite() { driver_.reset(); }

    void Run(const std::function<void(HWND)>& script) {
        driver_->WhileOpen(script, [&] { vorlen::ShowAboutDialog(driver_->Owner(), desktop_, registry_); });
    }

    static std::unique_ptr<DialogDriver> driver_;
    FakeDesktop desktop_;
    RedirectedRegistry registry_;
};

std::unique_ptr<DialogDriver> DialogAbout::driver_;

TEST_F(DialogAbout, ShowsTitleVersionAndTextsExactly) {
    Run([](HWND dialog) {
        EXPECT_EQ(DialogDriver::Text(dialog), L"Kestrinのﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_ABOUT_TITLE), L"Kestrin");
        // The executable's version record holds 1.0.0.1: major, minor and revision.
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_ABOUT_VERSION), L"ﾊﾞｰｼﾞｮﾝ 1.0.1");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_ABOUT_DESCRIPTION), L"ｱﾌﾟﾘｹｰｼｮﾝの説明");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_ABOUT_DISCLAIMER), L"警告: ...");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDOK), L"OK");
        EXPECT_EQ(DialogDriver::ItemText(dialog, IDC_ABOUT_SYSINFO), L"ｼｽﾃﾑ情報(&S)...");
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, OkClosesIt) {
    Run([](HWND dialog) { DialogDriver::Click(dialog, IDOK); });
}

TEST_F(DialogAbout, EnterClosesIt) {
    Run([](HWND dialog) { DialogDriver::PressKey(dialog, VK_RETURN); });
}

TEST_F(DialogAbout, EscClosesIt) {
    Run([](HWND dialog) { DialogDriver::PressKey(dialog, VK_ESCAPE); });
}

TEST_F(DialogAbout, CloseBoxClosesIt) {
    Run([](HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
}

TEST_F(DialogAbout, FocusStartsOnOkWhichIsTheDefaultAndTabReachesTheSysInfoButton) {
    Run([](HWND dialog) {
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        EXPECT_EQ(TabOrder(dialog, IDOK), (std::vector<int>{IDOK, IDC_ABOUT_SYSINFO}));
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, SysInfoButtonStartsTheToolAndTheDialogStaysOpen) {
    TestRegistryKey msinfo(HKEY_CURRENT_USER, RedirectedRegistry::MsinfoKey());
    msinfo.SetString(L"PATH", L"C:\\tools\\msinfo32.exe");
    Run([this](HWND dialog) {
        DialogDriver::Click(dialog, IDC_ABOUT_SYSINFO);
        EXPECT_TRUE(IsWindowVisible(dialog));
        ASSERT_EQ(desktop_.started.size(), 1u);
        EXPECT_EQ(desktop_.started[0].commandLine, L"\"C:\\tools\\msinfo32.exe\"");
        EXPECT_TRUE(desktop_.messages.empty());
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, SysInfoButtonWithoutTheToolSaysSoAndTheDialogStaysOpen) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kScratch);
    Run([this](HWND dialog) {
        DialogDriver::Click(dialog, IDC_ABOUT_SYSINFO);
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_TRUE(desktop_.started.empty());
        ASSERT_EQ(desktop_.messages.size(), 1u);
        EXPECT_EQ(desktop_.messages[0].text, kUnavailable);
        EXPECT_EQ(desktop_.messages[0].caption, L"Kestrin");
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, IsAFixedOwnedWindowInTheCentreOfTheScreen) {
    Run([this](HWND dialog) {
        ExpectFixedOwnedAndCentred(dialog, driver_->Owner());
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, LayoutFollowsTheDesignInTwips) {
    Run([](HWND dialog) {
        ExpectClientSize(dialog, 5730, 3555);
        for (const Twips& control :
             {Twips{IDC_ABOUT_TITLE, 1050, 240, 3885, 480}, Twips{IDC_ABOUT_VERSION, 1050, 780, 3885, 225},
              Twips{IDC_ABOUT_DESCRIPTION, 1050, 1125, 3885, 1170}, Twips{IDC_ABOUT_DISCLAIMER, 255, 2625, 3870, 825},
              Twips{IDOK, 4245, 2625, 1380, 345}, Twips{IDC_ABOUT_SYSINFO, 4260, 3075, 1380, 345}})
            ExpectPlaced(dialog, control);
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, ShowsTheProgramIconAtTheTopLeftOfItsPictureBox) {
    Run([](HWND dialog) {
        const UINT dpi = DpiOf(dialog);
        const auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0));
        ASSERT_NE(icon, nullptr);
        const RECT rect = DialogDriver::ItemRect(dialog, IDC_ABOUT_ICON);
        EXPECT_EQ(rect.left, Px(240, dpi));
        EXPECT_EQ(rect.top, Px(240, dpi));
        EXPECT_EQ(rect.right - rect.left, GetSystemMetricsForDpi(SM_CXICON, dpi));
        EXPECT_LE(rect.right - rect.left, Px(540, dpi));
        // Something of the icon is drawn: not all of the box is the dialog's face.
        const int face = PixelsOf(dialog, IDC_ABOUT_ICON, GetSysColor(COLOR_BTNFACE));
        EXPECT_LT(face, (rect.right - rect.left) * (rect.bottom - rect.top));
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, SeparatorIsAGreyLineOverAWhiteLineTwoPixelsWide) {
    Run([](HWND dialog) {
        const UINT dpi = DpiOf(dialog);
        const int x = Px(2000, dpi);
        const int greyY = Px(2445, dpi);
        const int whiteY = Px(2460, dpi);
        EXPECT_NE(PixelAt(dialog, x, greyY - 1), RGB(128, 128, 128));
        EXPECT_EQ(PixelAt(dialog, x, greyY), RGB(128, 128, 128));
        EXPECT_EQ(PixelAt(dialog, x, whiteY), RGB(255, 255, 255));
        EXPECT_EQ(PixelAt(dialog, x, whiteY + MulDiv(2, static_cast<int>(dpi), 96) - 1), RGB(255, 255, 255));
        EXPECT_NE(PixelAt(dialog, x, whiteY + MulDiv(2, static_cast<int>(dpi), 96)), RGB(255, 255, 255));
        // From x 90 and 105 twips to 5654.
        EXPECT_EQ(PixelAt(dialog, Px(90, dpi), greyY), RGB(128, 128, 128));
        EXPECT_NE(PixelAt(dialog, Px(90, dpi) - 1, greyY), RGB(128, 128, 128));
        EXPECT_EQ(PixelAt(dialog, Px(105, dpi), whiteY), RGB(255, 255, 255));
        EXPECT_EQ(PixelAt(dialog, Px(5654, dpi) - 1, whiteY), RGB(255, 255, 255));
        EXPECT_NE(PixelAt(dialog, Px(5654, dpi) + 1, whiteY), RGB(255, 255, 255));
        DialogDriver::Click(dialog, IDOK);
    });
}

TEST_F(DialogAbout, TitleDescriptionAndDisclaimerAreBlack) {
    Run([](HWND dialog) {
        for (int id : {IDC_ABOUT_TITLE, IDC_ABOUT_DESCRIPTION, IDC_ABOUT_DISCLAIMER})
            EXPECT_EQ(ColoursOf(dialog, id).text, RGB(0, 0, 0)) << "label " << id;
        DialogDriver::Click(dialog, IDOK);
    });
}

}  // namespace
