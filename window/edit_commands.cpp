#include "window/edit_commands.h"

#include "grid/grid_block_text.h"

namespace vorlen {

namespace {

// The focused box when it may be edited: not locked by the detail view.
HWND EditableFocusedBox(const MainWindowParts& parts) {
    const HWND focused = GetFocus();
    if (parts.info.BoxIndex(focused) < 0 || parts.view == ViewMode::Detail) return nullptr;
    return focused;
}

// The selected text of a box; "" when nothing is selected.
std::wstring SelectedText(const MainWindowParts& parts, HWND box) {
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = parts.info.BoxText(parts.info.BoxIndex(box));
    return end > start && end <= text.size() ? text.substr(start, end - start) : std::wstring();
}

void CopyGrid(MainWindowParts& parts, GridModel& grid, GridView& view) {
    // A failure ends the copy quietly, the clipboard as it was.
    try {
        grid.SetVisible(false);
        const std::wstring text = GridBlockText(grid, L'\t');
        grid.SetVisible(true);
        SetFocus(view.Hwnd());
        parts.services.desktop->SetClipboardText(parts.window, text);
    } catch (const std::exception&) {
        grid.SetVisible(true);
    }
}

}  // namespace

void CopySelection(MainWindowParts& parts) {
    switch (parts.FocusedKind()) {
    case FocusKind::ListGrid: return CopyGrid(parts, parts.list, parts.listView);
    case FocusKind::DetailGrid: return CopyGrid(parts, parts.detail, parts.detailView);
    case FocusKind::InfoBox:
        parts.services.desktop->SetClipboardText(parts.window, SelectedText(parts, GetFocus()));
        return;
    case FocusKind::Other:
        // A control without text to select empties the clipboard.
        parts.services.desktop->SetClipboardText(parts.window, L"");
        return;
    }
}

void CutSelection(MainWindowParts& parts) {
    const HWND box = EditableFocusedBox(parts);
    if (!box) return;
    parts.services.desktop->SetClipboardText(parts.window, SelectedText(parts, box));
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

void PasteClipboard(MainWindowParts& parts) {
    const HWND box = EditableFocusedBox(parts);
    if (!box) return;
    const std::wstring text = parts.services.desktop->ClipboardText(parts.window);
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace vorlen
