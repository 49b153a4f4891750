#include "window/main_window_parts.h"

#include <new>

#include "core/error_report.h"
#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/resource_text.h"
#include "resources/resource.h"
#include "window/entry_actions.h"

namespace vorlen {

namespace {

// The detail's columns: the running number, the value's name, type and data.
constexpr int kDetailColumns = 4;

// A C++ failure as the error report shows it.
PlatformError ErrorOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure)) return {ERROR_NOT_ENOUGH_MEMORY, L"メモリが不足しています。"};
    // The runtimes write what() in the ANSI code page (a Japanese message in
    // code page 932), never one character per byte.
    return {-1, Win32AnsiCodec().Decode(failure.what())};
}

}  // namespace

MainWindowParts::MainWindowParts(HINSTANCE instance, MainWindowServices services)
    : instance(instance),
      services(std::move(services)),
      list(2, kListColumnCount),
      detail(2, kDetailColumns),
      listView(list),
      detailView(detail) {}

std::wstring MainWindowParts::Text(UINT id) const { return LoadResourceText(instance, id); }

int MainWindowParts::ShowMessage(const std::wstring& text, const std::wstring& caption, UINT style) const {
    return services.desktop->ShowMessage(window, text, caption, style);
}

void MainWindowParts::ShowError(UINT captionId, const PlatformError& error) const {
    ShowMessage(FormatErrorReport(error.number, error.description), Text(captionId), MB_OK | MB_ICONERROR);
}

void MainWindowParts::ShowError(UINT captionId, const std::exception& failure) const {
    ShowError(captionId, ErrorOf(failure));
}

std::wstring MainWindowParts::AskSavePath(UINT filterTextId, const std::wstring& defaultExtension) const {
    std::wstring filter = Text(filterTextId);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    Desktop& desktop = *services.desktop;
    return desktop.ShowSaveDialog(window, filter, defaultExtension, desktop.SpecialFolder(L"Desktop"));
}

FocusKind MainWindowParts::FocusedKind() const {
    const HWND focused = GetFocus();
    if (!focused) return FocusKind::Other;
    if (focused == listView.Hwnd()) return FocusKind::ListGrid;
    if (focused == detailView.Hwnd()) return FocusKind::DetailGrid;
    if (info.BoxIndex(focused) >= 0) return FocusKind::InfoBox;
    return FocusKind::Other;
}

std::optional<std::wstring> MainWindowParts::FocusedText() const {
    const auto cellText = [](const GridModel& grid) -> std::optional<std::wstring> {
        if (grid.Row() < grid.FixedRows() || grid.Col() < grid.FixedCols()) return std::nullopt;
        return std::wstring(grid.Text(grid.Row(), grid.Col()));
    };
    switch (FocusedKind()) {
    case FocusKind::ListGrid: return cellText(list);
    case FocusKind::DetailGrid: return cellText(detail);
    case FocusKind::InfoBox: return info.BoxText(info.BoxIndex(GetFocus()));
    case FocusKind::Other: break;
    }
    return std::nullopt;
}

CommandSnapshot MainWindowParts::Snapshot(bool probeFocusedText) const {
    CommandSnapshot snapshot;
    snapshot.view = view;
    snapshot.focus = FocusedKind();
    snapshot.currentRow = list.Row();
    snapshot.rowCount = list.Rows();
    snapshot.hotfixOnly = hotfixOnly;
    snapshot.activeFilter = activeFilter;
    snapshot.selectedCommandEmpty = !selected || selected->uninstallString.empty();
    if (probeFocusedText) {
        snapshot.focusedTextNamesFolder = CanOpenFolder(*this);
        snapshot.focusedTextIsWebAddress = CanOpenWebAddress(*this);
    }
    return snapshot;
}

void MainWindowParts::ShowCommandStates() {
    // After the window is destroyed its controls and menus are gone.
    if (!window) return;
    const CommandStates states = ComputeCommandStates(Snapshot(false));
    toolbar.Show(states);
    info.Show(states, view);
    list.SetEnabled(states.listGridEnabled);
    menu.Show(states, {IDM_VIEW_UP, IDM_VIEW_DOWN, IDM_VIEW_TYPE_DETAIL, IDM_VIEW_TYPE_LIST, IDM_VIEW_WUAU,
                       IDM_TOOL_REG_QUERY, IDM_TOOL_REG_EXPORT});
    menu.ShowSortMenu(states.Enabled(IDM_SORT_KEY_UP), window);
}

}  // namespace vorlen
