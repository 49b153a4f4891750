#include "window/detail_view.h"

#include <new>
#include <string>
#include <string_view>

#include "inventory/entry_reader.h"
#include "inventory/uninstall_key.h"
#include "resources/resource.h"

namespace vorlen {

namespace {

// The data that the detail view shows as a link: a web address as written
// (the scheme in lower case) or an existing file.
bool IsLinkText(const MainWindowParts& parts, const std::wstring& dataText) {
    const std::wstring_view text = dataText;
    if (text.starts_with(L"http://") || text.starts_with(L"https://")) return true;
    // A network path or drive is never looked up just to colour it, nor a
    // pattern taken for the files it matches.
    Desktop& desktop = *parts.services.desktop;
    return !text.empty() && desktop.MayLookUp(text) && desktop.NormalFileExists(dataText);
}

void AddDetailRow(MainWindowParts& parts, const EntryValueText& value) {
    GridModel& detail = parts.detail;
    const int row = detail.Rows();
    detail.SetRows(row + 1);
    detail.SetText(row, 0, std::to_wstring(row));
    detail.SetText(row, 1, value.name);
    detail.SetText(row, 2, value.typeText);
    detail.SetText(row, 3, value.dataText);
    detail.SetCurrentCell(row, 3);
    detail.SetCellForeColour(row, 3, IsLinkText(parts, value.dataText) ? kColourBlue : kSystemWindowText);
}

}  // namespace

void ShowDetail(MainWindowParts& parts) {
    // Hiding the grid while it fills would drop the keyboard focus it has.
    const HWND focused = GetFocus();
    const bool gridHadFocus = focused == parts.detailView.Hwnd() || focused == parts.listView.Hwnd();
    parts.detail.SetRows(1);
    parts.detail.SetVisible(false);
    {
        const GridModel::ChangeBatch batch(parts.detail);
        // A value too large for the memory ends the reading; the view shows
        // what was read and still opens.
        try {
            ReadEntry(*parts.services.registry, parts.SelectedPlace(), parts.info.BoxText(InfoPanel::kKeyBox),
                      [&](const EntryValueText& value) { AddDetailRow(parts, value); });
        } catch (const std::bad_alloc&) {}
    }
    parts.detail.SetVisible(true);
    if (gridHadFocus || !GetFocus()) SetFocus(parts.detailView.Hwnd());
}

void SelectView(MainWindowParts& parts, ViewMode view) {
    if (parts.view == view) return;
    // A key name holding a NUL names no key Windows can open: reading it
    // would show another key's values.
    if (view == ViewMode::Detail && !IsAddressableKeyName(parts.info.BoxText(InfoPanel::kKeyBox))) {
        parts.ShowMessage(parts.Text(IDS_KEY_NAME_NOT_ADDRESSABLE), kAppTitle, MB_OK | MB_ICONWARNING);
        return;
    }
    parts.view = view;
    if (view == ViewMode::Detail) {
        ShowDetail(parts);
        return;
    }
    const HWND focused = GetFocus();
    const bool detailHadFocus = focused == parts.detailView.Hwnd() || !focused;
    // The list takes input again before the detail over it goes.
    parts.list.SetEnabled(true);
    parts.detail.SetVisible(false);
    if (detailHadFocus) SetFocus(parts.listView.Hwnd());
}

void ToggleDetailView(MainWindowParts& parts) {
    SelectView(parts, parts.view == ViewMode::List ? ViewMode::Detail : ViewMode::List);
}

}  // namespace vorlen
