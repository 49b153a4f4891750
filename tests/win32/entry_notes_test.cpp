// The status bar's entry panel: what Windows' own list makes of the entry at
// hand and whether its uninstaller exists, for the fixture prefix's entries,
// in the list and the detail view, while stepping and after a rebuild.
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <map>
#include <string>

#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "platform/win32/registry_win32.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"
#include "window/list_grid.h"

using namespace vorlen;

namespace {

constexpr wchar_t kSystemComponent[] = L"Windows の一覧には表示されません（SystemComponent）";
constexpr wchar_t kNoDisplayName[] = L"Windows の一覧には表示されません（DisplayName がありません）";
constexpr wchar_t kNoRemove[] = L"Windows の一覧からはアンインストールできません（NoRemove）";
constexpr wchar_t kMissing[] = L"アンインストーラーが見つかりません: ";

std::wstring UpdateOf(const std::wstring& parent) {
    return L"Windows では「" + parent + L"」の更新プログラムとして表示されます（ParentKeyName）";
}

class EntryNotes : public ::testing::Test {
protected:
    EntryNotes() : folder_(L"vorlen-entry-notes") {
        // Entries without a program name or an uninstall command listed too.
        TempFolder::WriteBytes(folder_.File(L"Kestrin.ini"), "[Settings]\r\nDisplayName=0\r\nUninstallString=0\r\n");
    }

    void Start(const RegistryReader* registry = nullptr) {
        harness_ = std::make_unique<MainWindowHarness>(folder_.Path(), registry);
        ASSERT_TRUE(harness_->Created());
        WaitForCheck();
    }
    MainWindow& Window() { return harness_->Window(); }
    GridModel& List() { return Window().ListGrid(); }
    void Command(UINT command) {
        SendMessageW(harness_->Hwnd(), WM_COMMAND, command, 0);
        WaitForCheck();
    }
    void Select(int row) {
        List().SetCurrentCell(row, kListColumnKeyName);
        WaitForCheck();
    }
    // The panel once the uninstaller check has answered; the check runs on a
    // thread of its own and its answer arrives as a message.
    std::wstring Panel() {
        WaitForCheck();
        return Window().EntryStatusText();
    }
    void WaitForCheck() {
        const ULONGLONG deadline = GetTickCount64() + 30000;
        while (Window().IsUninstallerCheckPending()) {
            if (GetTickCount64() > deadline) {
                ADD_FAILURE() << "the uninstaller check never answered";
                return;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MainWindowHarness::PumpMessages();
        }
        MainWindowHarness::PumpMessages();
    }

    TempFolder folder_;
    std::unique_ptr<MainWindowHarness> harness_;
};

// A registry whose uninstall keys are all empty.
class EmptyRegistry final : public RegistryReader {
public:
    bool ForEachSubKey(RegistryPlace, const std::wstring&, const SubKeyVisitor&) const override { return true; }
    ValueVisitEnd ForEachValue(RegistryPlace, const std::wstring&, const RegistryValueVisitor&) const override {
        return ValueVisitEnd::NotOpened;
    }
    RegistryWriteTime CurrentTime() const override { return 0; }
};

// The real registry with only the uninstall entries whose key name begins
// with `prefix`.
class OnlyKeysBeginningWith final : public RegistryReader {
public:
    explicit OnlyKeysBeginningWith(std::wstring prefix) : prefix_(std::move(prefix)) {}
    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override {
        return real_.ForEachSubKey(place, path, [&](std::wstring_view name, std::optional<RegistryWriteTime> time) {
            if (name.starts_with(prefix_)) visit(name, time);
        });
    }
    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override {
        return real_.ForEachValue(place, path, visit);
    }
    RegistryWriteTime CurrentTime() const override { return real_.CurrentTime(); }

private:
    Win32Registry real_;
    std::wstring prefix_;
};

}  // namespace

TEST_F(EntryNotes, EachKindOfFixtureEntrySaysWhatWindowsMakesOfItInTheListAndTheDetailView) {
    Start();
    const std::map<std::wstring, std::wstring> expected{
        {L"{6D2F5A10-0008-4B7E-9C31-5E0000000008}", kSystemComponent},
        {L"{6D2F5A10-0004-4B7E-9C31-5E0000000004}", kNoRemove},
        {L"Vorlen Sample KB100001", UpdateOf(L"Vorlen Sample")},
        {L"Vorlen Orphan", kMissing + std::wstring(L"C:\\Program Files\\Vorlen Orphan\\uninst.exe")},
        {L"NoDisplayName",
         kNoDisplayName + std::wstring(L"\u3000") + kMissing + L"C:\\Program Files\\No Display Name\\uninst.exe"},
        // Present uninstallers say nothing: a quoted path, MsiExec.exe found
        // in the system folder, and an expandable command once expanded.
        {L"Vorlen Sample", L""},
        {L"{6D2F5A10-0001-4B7E-9C31-5E0000000001}", L""},
        {L"VorlenExpand", L""},
        // Expanded as the launch expands it: the note names the real path.
        {L"ValueTypes", kMissing + std::wstring(L"C:\\Program Files\\Value Types\\uninst.exe")},
        // No uninstall command: nothing about an uninstaller.
        {L"NoUninstallString", L""},
    };
    for (const auto& [key, text] : expected) {
        Select(harness_->RowOf(key));
        EXPECT_EQ(Panel(), text) << key << L" in the list";
        Command(IDM_VIEW_TYPE_DETAIL);
        EXPECT_EQ(Panel(), text) << key << L" in the detail view";
        Command(IDM_VIEW_TYPE_LIST);
        EXPECT_EQ(Panel(), text) << key << L" back in the list";
    }
    EXPECT_EQ(Window().StatusText(), L"") << "the count panel stays empty without a filter";

    // Stepping with Ctrl+D, in both views, shows the next entry's notes.
    for (const ViewMode view : {ViewMode::List, ViewMode::Detail}) {
        const int target = harness_->RowOf(L"Vorlen Orphan");
        Select(target - 1);
        if (view == ViewMode::Detail) Command(IDM_VIEW_TYPE_DETAIL);
        Command(IDM_VIEW_DOWN);
        EXPECT_EQ(List().Row(), target);
        EXPECT_EQ(Panel(), expected.at(L"Vorlen Orphan")) << (view == ViewMode::Detail ? "detail" : "list");
        Command(IDM_VIEW_UP);
        Command(IDM_VIEW_TYPE_LIST);
    }
}

TEST_F(EntryNotes, TheDetailViewSpeaksOfTheKeyItReadAndAnEditedKeyNameThatOpensNothingSaysNothing) {
    Start();
    Select(harness_->RowOf(L"Vorlen Sample"));
    Window().Info().SetBoxText(0, L"Vorlen Orphan");
    Command(IDM_VIEW_TYPE_DETAIL);
    EXPECT_EQ(Panel(), kMissing + std::wstring(L"C:\\Program Files\\Vorlen Orphan\\uninst.exe"));
    Command(IDM_VIEW_TYPE_LIST);
    EXPECT_EQ(Panel(), L"") << "back in the list: the selected entry again";
    Window().Info().SetBoxText(0, L"Vorlen No Such Key");
    Command(IDM_VIEW_TYPE_DETAIL);
    EXPECT_EQ(Panel(), L"");
}

TEST_F(EntryNotes, EachPlaceReadsItsOwnKeyAndARefreshLooksForTheUninstallerAgain) {
    const std::wstring name = L"VorlenTest.EntryNotes";
    TestRegistryKey machine(HKEY_LOCAL_MACHINE, kUninstallKeyPath + name);
    TestRegistryKey machine32(HKEY_LOCAL_MACHINE,
                              L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name);
    TestRegistryKey user(HKEY_CURRENT_USER, kUninstallKeyPath + name);
    const std::wstring uninstaller = folder_.File(L"uninst.exe");
    TempFolder::WriteBytes(uninstaller, "MZ");
    // Listed in the same order by registry and by program name, so that F5
    // keeps each entry on its row.
    machine.SetString(L"DisplayName", L"Entry notes 1 (machine)");
    machine.SetString(L"ParentKeyName", L"Parent HKLM");
    machine.SetString(L"UninstallString", L"\"" + uninstaller + L"\" /x");
    machine32.SetString(L"DisplayName", L"Entry notes 2 (32-bit)");
    machine32.SetDword(L"NoRemove", 1);
    // Q: stands for a mapped network drive here.
    machine32.SetString(L"UninstallString", L"\"Q:\\Vorlen Missing\\uninst32.exe\"");
    user.SetString(L"DisplayName", L"Entry notes 3 (user)");
    user.SetDword(L"SystemComponent", 1);
    user.SetString(L"ParentKeyName", L"Parent HKCU");
    user.SetString(L"UninstallString", L"\\\\vorlen-no-such-host\\share\\uninst.exe");
    const OnlyKeysBeginningWith registry(name);
    harness_ = std::make_unique<MainWindowHarness>(folder_.Path(), &registry);
    ASSERT_TRUE(harness_->Created());
    WaitForCheck();
    harness_->Desktop().networkDrives = L"Q";
    ASSERT_EQ(List().Rows(), 4);

    Select(harness_->RowOf(name, L"HKLM"));
    EXPECT_EQ(Panel(), UpdateOf(L"Parent HKLM"));
    Select(harness_->RowOf(name, L"HKLM 32 ビット"));
    EXPECT_EQ(Panel(), kNoRemove + std::wstring(L"\u3000アンインストーラーはネットワーク上にあり、確認していません"));
    Select(harness_->RowOf(name, L"HKCU"));
    EXPECT_EQ(Panel(), kSystemComponent + std::wstring(L"\u3000アンインストーラーはネットワーク上にあり、確認していません"));

    // The uninstaller removed behind the window's back: F5 looks again.
    Select(harness_->RowOf(name, L"HKLM"));
    DeleteFileW(uninstaller.c_str());
    Command(IDM_VIEW_REFRESH);
    ASSERT_EQ(Window().Info().BoxText(0), name);
    EXPECT_EQ(Panel(), UpdateOf(L"Parent HKLM") + L"\u3000" + kMissing + uninstaller);
}

TEST_F(EntryNotes, ALateAnswerForAnEntryLeftBehindIsDroppedAndTheWindowNeverWaitsForIt) {
    // The first look at the orphan's uninstaller hangs until released.
    const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const std::wstring orphan = L"C:\\Program Files\\Vorlen Orphan\\uninst.exe";
    harness_ = std::make_unique<MainWindowHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Created());
    WaitForCheck();
    harness_->Desktop().onFileLookup = [&](const std::wstring& path) {
        if (path == orphan) WaitForSingleObject(release, 30000);
    };
    List().SetCurrentCell(harness_->RowOf(L"Vorlen Orphan"), kListColumnKeyName);
    MainWindowHarness::PumpMessages();
    EXPECT_TRUE(Window().IsUninstallerCheckPending());
    EXPECT_EQ(Window().EntryStatusText(), L"") << "nothing yet, and the window goes on";
    // The user moves on while the look hangs.
    List().SetCurrentCell(harness_->RowOf(L"Vorlen Sample KB100001"), kListColumnKeyName);
    EXPECT_EQ(Window().EntryStatusText(), UpdateOf(L"Vorlen Sample"));
    SetEvent(release);
    EXPECT_EQ(Panel(), UpdateOf(L"Vorlen Sample")) << "the orphan's answer came too late to count";
    harness_->Desktop().onFileLookup = nullptr;
    CloseHandle(release);
}

TEST_F(EntryNotes, NothingWhenTheListIsEmpty) {
    const EmptyRegistry empty;
    Start(&empty);
    EXPECT_EQ(List().Rows(), 1);
    EXPECT_EQ(Panel(), L"");
    Command(IDM_VIEW_REFRESH);
    EXPECT_EQ(Panel(), L"");
}

TEST_F(EntryNotes, TheCountPanelHoldsTheCountOfTheWholeListAndTheEntryPanelTakesTheRest) {
    Start();
    Select(harness_->RowOf(L"Vorlen Orphan"));
    const std::wstring notes = Panel();
    // An empty filter text hides nothing: the count of every row, the
    // longest count text this list can show.
    Window().Info().SetBoxText(0, L"");
    Command(IDM_FILTER_KEY);
    const StatusBar& status = Window().Parts().status;
    const std::wstring count = Window().StatusText();
    EXPECT_EQ(count, std::to_wstring(List().Rows() - 1) + L" 件のデータが見つかりました。");
    RECT countPanel{}, entryPanel{}, bar{};
    SendMessageW(status.Hwnd(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&countPanel));
    SendMessageW(status.Hwnd(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&entryPanel));
    GetClientRect(status.Hwnd(), &bar);
    EXPECT_GE(countPanel.right - countPanel.left, status.WidthFor(count)) << "the count is cut short";
    EXPECT_LT(countPanel.right - countPanel.left, status.WidthFor(count + count)) << "the count panel is far too wide";
    EXPECT_GE(entryPanel.left, countPanel.right);
    EXPECT_GT(entryPanel.right, bar.right - GetSystemMetrics(SM_CXVSCROLL) * 2) << "the entry panel takes the rest";
    EXPECT_EQ(Panel(), notes) << "the filter leaves the entry panel as it was";
    Command(IDM_FILTER_KEY);
    EXPECT_EQ(Window().StatusText(), L"");
}
