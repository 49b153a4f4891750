#pragma once
#include <map>
#include <optional>

namespace vorlen {

// Which grid the main window shows: the list of entries, or every value of
// one entry over it.
enum class ViewMode { List, Detail };

// The kind of control that has the keyboard focus.
enum class FocusKind { ListGrid, DetailGrid, InfoBox, Other };

// What the enabled and checked states of the commands depend on.
struct CommandSnapshot {
    ViewMode view = ViewMode::List;
    FocusKind focus = FocusKind::Other;
    int currentRow = 0;  // the list grid's current row; 0 is the heading row
    int rowCount = 1;    // the list grid's rows, the heading row included
    bool hotfixOnly = false;
    std::optional<int> activeFilter;  // the pressed filter toggle: 0 key, 1 name, 2 command
    // The uninstall command the last selected entry brought into its box.
    bool selectedCommandEmpty = true;
    // What the focused control's text names, as far as anyone asked: only
    // the File menu and the context menu probe for them.
    bool focusedTextNamesFolder = false;
    bool focusedTextIsWebAddress = false;
};

// The enabled and checked state of every command, by command id, and the
// states of the controls that belong to no command.
class CommandStates {
public:
    struct State {
        bool enabled = true;
        bool checked = false;
    };

    // A command the rule does not mention is enabled and unchecked.
    State Of(unsigned command) const;
    bool Enabled(unsigned command) const { return Of(command).enabled; }
    bool Checked(unsigned command) const { return Of(command).checked; }
    void Set(unsigned command, bool enabled, bool checked = false) { states_[command] = {enabled, checked}; }

    bool listGridEnabled = true;
    bool infoBoxesLocked = false;
    // The toolbar's hotfix-only button; its menu item is never disabled.
    bool hotfixButtonEnabled = true;

private:
    std::map<unsigned, State> states_;
};

// The one rule for every command's state. Callers apply the parts they own
// at their moments: a menu its items when it opens (so a shortcut acts on
// the state of its menu's last opening), the toolbar and the frame's buttons
// whenever the program's state changes.
CommandStates ComputeCommandStates(const CommandSnapshot& snapshot);

}  // namespace vorlen
