#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vorlen {

// What Windows' own list of installed programs makes of an uninstall entry,
// from the values it reads: whether it shows the entry at all, whether it
// shows it as an update of another program, and whether it offers to
// uninstall it.

// The values behind it that the scan keeps for every entry, a bit each.
struct WindowsListFacts {
    bool systemComponent = false;   // SystemComponent is a REG_DWORD other than 0
    bool hasParentKeyName = false;  // ParentKeyName is a non-empty text
    bool noRemove = false;          // NoRemove is a REG_DWORD other than 0

    friend bool operator==(const WindowsListFacts&, const WindowsListFacts&) = default;
};

// Whether a value, by its exact name, is one of those Windows' list reads;
// only these need to be looked at.
bool IsWindowsListValue(std::wstring_view name);

// Notes what one value of an entry tells (a value of another name changes
// nothing). `parentKeyName`, when given, receives ParentKeyName's text.
void NoteWindowsListValue(WindowsListFacts& facts, std::wstring_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data, std::wstring* parentKeyName = nullptr);

// The first of these that applies to an entry, in this order; each has its
// own text in the status bar.
enum class WindowsListNote {
    None,
    SystemComponent,  // hidden: SystemComponent
    NoDisplayName,    // hidden: DisplayName missing or empty
    Update,           // shown among the installed updates of ParentKeyName
    NoRemove,         // shown without an uninstall command
};

WindowsListNote ChooseWindowsListNote(const WindowsListFacts& facts, bool displayNameEmpty);

// The status bar's text of an entry: the Windows list's note, then the
// uninstaller's, separated by one full-width space; either may be empty.
std::wstring JoinEntryNotes(const std::wstring& windowsListText, const std::wstring& uninstallerText);

}  // namespace vorlen
