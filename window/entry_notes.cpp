#include "window/entry_notes.h"

#include <algorithm>

#include "core/network_path.h"
#include "core/nuls_as_blanks.h"
#include "inventory/column_filter.h"
#include "inventory/windows_list.h"
#include "resources/resource.h"
#include "window/list_grid.h"

namespace vorlen {

namespace {

// A text of the string table with its %s replaced by `value`.
std::wstring TextWith(const MainWindowParts& parts, UINT id, const std::wstring& value) {
    std::wstring text = parts.Text(id);
    if (const auto at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

std::wstring WindowsListNoteText(const MainWindowParts& parts, const WindowsListFacts& facts, bool displayNameEmpty,
                                 const std::wstring& parentKeyName) {
    switch (ChooseWindowsListNote(facts, displayNameEmpty)) {
    case WindowsListNote::SystemComponent: return parts.Text(IDS_NOTE_SYSTEM_COMPONENT);
    case WindowsListNote::NoDisplayName: return parts.Text(IDS_NOTE_NO_DISPLAY_NAME);
    case WindowsListNote::Update: return TextWith(parts, IDS_NOTE_UPDATE, NulsAsBlanks(parentKeyName));
    case WindowsListNote::NoRemove: return parts.Text(IDS_NOTE_NO_REMOVE);
    case WindowsListNote::None: break;
    }
    return {};
}

// Where and how the uninstall launch would look for a program: the system's
// folders, files on local disks only.
UninstallerLookup LookupOf(const MainWindowParts& parts) {
    Desktop* desktop = parts.services.desktop;
    UninstallerLookup lookup;
    const SystemFolders system = desktop->ProgramFolders();
    lookup.searchFolders = ProgramSearchFolders(system.system, system.windows, desktop->EnvironmentVariable(L"PATH"));
    lookup.isExistingFile = [desktop](const std::wstring& path) { return desktop->ProgramFileExists(path); };
    lookup.isNetworkPath = [desktop](std::wstring_view path) {
        if (IsNetworkOrDevicePath(path)) return true;
        const auto drive = DriveLetterOf(path);
        return drive && desktop->IsNetworkDrive(*drive);
    };
    return lookup;
}

// Shows the Windows list's note at once and asks for the uninstaller's; a
// new generation drops whatever answer is still on its way.
void ShowNotes(MainWindowParts& parts, std::wstring windowsListText, const std::wstring& command, bool expands) {
    auto& notes = parts.entryNotes;
    ++notes.generation;
    notes.windowsListText = std::move(windowsListText);
    parts.status.SetEntryText(notes.windowsListText);
    const std::wstring shown = NulsAsBlanks(command);
    if (shown.find_first_not_of(L" \t") == std::wstring::npos) return;
    // Expanded as the uninstall launch expands it.
    std::wstring commandLine = expands ? parts.services.desktop->ExpandEnvironment(shown) : shown;
    parts.uninstallerChecker.Request(notes.generation, std::move(commandLine), LookupOf(parts));
}

void ClearNotes(MainWindowParts& parts) {
    ++parts.entryNotes.generation;
    parts.entryNotes.windowsListText.clear();
    parts.status.SetEntryText(L"");
}

}  // namespace

std::wstring WindowsListNoteOfRow(const MainWindowParts& parts, int row) {
    const ListRow facts = ListRowOf(parts.list, row);
    const bool displayNameEmpty = parts.list.Text(row, kListColumnDisplayName).empty();
    std::wstring parentKeyName;
    if (ChooseWindowsListNote(facts.windowsList, displayNameEmpty) == WindowsListNote::Update) {
        // The one text the row does not keep: read when the row is selected.
        std::wstring read;
        const EntrySummary entry = ReadEntry(*parts.services.registry, facts.place,
                                             parts.list.Text(row, kListColumnKeyName), nullptr, &read);
        if (entry.opened) parentKeyName = std::move(read);
        if (parentKeyName.empty()) {
            // Gone since the scan: the row's other facts still count.
            WindowsListFacts withoutParent = facts.windowsList;
            withoutParent.hasParentKeyName = false;
            return WindowsListNoteText(parts, withoutParent, displayNameEmpty, {});
        }
    }
    return WindowsListNoteText(parts, facts.windowsList, displayNameEmpty, parentKeyName);
}

void ShowSelectedEntryNotes(MainWindowParts& parts) {
    if (!parts.selected) return ClearNotes(parts);
    ShowNotes(parts, parts.selected->windowsListNote, parts.selected->uninstallString,
              parts.selected->row.uninstallStringExpands);
}

void ShowDetailEntryNotes(MainWindowParts& parts, const EntrySummary& entry, const std::wstring& parentKeyName) {
    if (!entry.opened) return ClearNotes(parts);
    ShowNotes(parts, WindowsListNoteText(parts, entry.windowsList, entry.displayName.empty(), parentKeyName),
              entry.uninstallString.Str(), entry.uninstallStringExpands);
}

void OnUninstallerChecked(MainWindowParts& parts, std::uint32_t generation) {
    auto& notes = parts.entryNotes;
    if (generation != notes.generation) return;
    const auto check = parts.uninstallerChecker.TakeResult(generation);
    if (!check) return;
    std::wstring uninstallerText;
    if (check->state == UninstallerState::Missing)
        uninstallerText = TextWith(parts, IDS_NOTE_UNINSTALLER_MISSING, check->programFile);
    else if (check->state == UninstallerState::OnNetwork)
        uninstallerText = parts.Text(IDS_NOTE_UNINSTALLER_ON_NETWORK);
    parts.status.SetEntryText(JoinEntryNotes(notes.windowsListText, uninstallerText));
}

void FitCountPanel(MainWindowParts& parts) {
    // Digits may differ in width: the widest digit in every place.
    const std::wstring count = std::to_wstring(std::max(0, parts.list.Rows() - parts.list.FixedRows()));
    int width = 0;
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        const std::wstring text = std::wstring(count.size(), digit) + FilterCountText(0).substr(1);
        width = std::max(width, parts.status.WidthFor(text));
    }
    parts.status.SetCountWidth(width);
}

}  // namespace vorlen
