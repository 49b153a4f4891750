#pragma once
#include <cstdint>
#include <string>

#include "inventory/entry_reader.h"
#include "window/main_window_parts.h"

namespace vorlen {

// The status bar's entry panel: how Windows' own list treats the entry the
// window shows, and whether that entry's uninstaller still exists. In the
// list view it describes the entry the boxes were filled from; in the detail
// view, what the detail view read. The uninstaller is looked for off the
// window's thread (UninstallerChecker); its note joins the panel when the
// answer arrives, unless the panel has moved on to another entry meanwhile.

// The Windows list's note of a list row (read at its selection): the row's
// facts, and for an update the ParentKeyName that the registry holds now.
std::wstring WindowsListNoteOfRow(const MainWindowParts& parts, int row);

// Shows the notes of the entry the boxes were filled from, or nothing when
// there is none.
void ShowSelectedEntryNotes(MainWindowParts& parts);

// Shows the notes of what the detail view read of its key; nothing when the
// key could not be opened.
void ShowDetailEntryNotes(MainWindowParts& parts, const EntrySummary& entry, const std::wstring& parentKeyName);

// The checker's answer to the request of `generation` has arrived.
void OnUninstallerChecked(MainWindowParts& parts, std::uint32_t generation);

// The count panel as wide as the count text of the list's every row needs.
void FitCountPanel(MainWindowParts& parts);

}  // namespace vorlen
