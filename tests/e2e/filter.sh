#!/usr/bin/env bash
# The three column filters as a user works them: a text typed into an info
# box, the toggle beside it reached with Tab and pressed with the space bar,
# the list narrowed to the rows whose column contains the text (exactly,
# letter case included), the headings turned blue, the next toggle taking
# over from the pressed one, and the list whole again when the toggle is
# released. The rows left are read back by walking the list with the Down
# key (which passes over hidden rows) and copying each key and program name.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

start_vorlen
focus_grid
copy_whole_grid "$scratch/list"
# A row is its key name and program name: one key name can be in several
# places, each with its own program name.
mapfile -t all_rows < <(tr -d '\r' <"$scratch/list" | cut -f 1,2)
mapfile -t all_keys < <(printf '%s\n' "${all_rows[@]}" | cut -f 1)
[ "${#all_keys[@]}" -ge 20 ] || fail "the list holds only ${#all_keys[@]} rows"
echo "the list holds ${#all_keys[@]} entries"

# Presses the filter toggle beside info box $1: from any box three steps of
# the tab order reach it (the boxes come first, then the three toggles).
press_toggle() {
    click_box "$1"
    keys Tab Tab Tab
    expect_focus Button "three Tabs from info box $1"
    keys space
}

# Prints the rows the list shows, top to bottom, as key name TAB program name.
shown_rows() {
    local row previous=
    focus_grid
    keys ctrl+Home
    for _ in $(seq 1 "${#all_rows[@]}"); do
        row=$(copy_cell)
        keys Right
        row+=$'\t'$(copy_cell)
        keys Left
        if [ "$row" = "$previous" ]; then return 0; fi
        echo "$row"
        previous=$row
        keys Down
    done
}

# The rows of the whole list whose key name is one of the arguments, in the
# list's order: a filter hides rows and never reorders them.
in_list_order() {
    local row wanted
    for row in "${all_rows[@]}"; do
        for wanted in "$@"; do
            if [ "${row%%$'\t'*}" = "$wanted" ]; then echo "$row"; fi
        done
    done
}

# Checks that the list shows exactly the rows of the key names given (every
# row of each, in the list's order); $1 names the state.
expect_shown() {
    local label=$1
    shift
    local expected got wanted
    for wanted in "$@"; do
        [ -n "$(in_list_order "$wanted")" ] || fail "$label: the key $wanted is not in the list"
    done
    expected=$(in_list_order "$@")
    got=$(shown_rows)
    [ "$got" = "$expected" ] || fail "$label: the list shows
$got
instead of
$expected"
    echo "ok: $label ($(printf '%s\n' "$expected" | wc -l) rows)"
}

heading=("$grid_left" "$heading_top" $((grid_right - grid_left)) "$row_height")
headings_blue() { [ "$(client_blue_pixels "${heading[@]}")" -ge 20 ]; }
headings_plain() { [ "$(client_blue_pixels "${heading[@]}")" -eq 0 ]; }
expect_blue_headings() {
    within 5 headings_blue || problem "$1: the headings are not drawn in blue (see $out/$2.png)"
    screenshot_main "$2"
}
expect_plain_headings() {
    within 5 headings_plain || problem "$1: the headings are still drawn in blue (see $out/$2.png)"
    screenshot_main "$2"
}
expect_plain_headings "before any filter" filter-start

# Checks that every row is shown again and the headings are plain; $1 names
# the state, $2 the screenshot.
expect_all_shown() {
    expect_plain_headings "$1" "$2"
    focus_grid
    keys ctrl+Home
    expect_equal "$(copy_cell)" "${all_keys[0]}" "$1: the first row is shown"
    # Down passes over hidden rows only: reaching the second-last row after
    # that many steps shows that no row is hidden.
    local count=${#all_keys[@]}
    xdotool key --delay 10 $(printf 'Down %.0s' $(seq 1 $((count - 2))))
    expect_equal "$(copy_cell)" "${all_keys[count - 2]}" "$1: all $count rows are shown"
}

# Key name contains "Numeric"; pressing the toggle again releases the filter.
set_box_text 0 Numeric
press_toggle 0
expect_blue_headings "key-name filter" filter-key-name
expect_shown 'key-name filter "Numeric"' NumericNameMinus NumericName20 NumericName100
press_toggle 0
expect_all_shown "key-name filter released" filter-key-name-released

# Program name contains "Vorlen", in all three places: VorlenThreePlaces is
# a row in each. ("Vorlen Runtime 3" has no uninstall command and is not
# listed under the default settings.)
set_box_text 1 Vorlen
press_toggle 1
expect_blue_headings "program-name filter" filter-program-name
expect_shown 'program-name filter "Vorlen"' \
    '{6D2F5A10-0001-4B7E-9C31-5E0000000001}' '{6D2F5A10-0003-4B7E-9C31-5E0000000003}' \
    '{6D2F5A10-0006-4B7E-9C31-5E0000000006}' '{6D2F5A10-0007-4B7E-9C31-5E0000000007}' \
    '{6D2F5A10-0008-4B7E-9C31-5E0000000008}' VorlenExpand LongDisplayName VorlenThreePlaces VorlenPersonal \
    'Vorlen Orphan'

# Uninstall command contains "MsiExec.exe /I": its toggle releases the
# program-name toggle and filters by the uninstall command alone.
set_box_text 2 'MsiExec.exe /I'
press_toggle 2
expect_blue_headings "uninstall-command filter" filter-uninstall-command
expect_shown 'uninstall-command filter "MsiExec.exe /I"' \
    '{6D2F5A10-0001-4B7E-9C31-5E0000000001}' '{6D2F5A10-0002-4B7E-9C31-5E0000000002}' \
    '{6D2F5A10-0003-4B7E-9C31-5E0000000003}' '{6D2F5A10-0005-4B7E-9C31-5E0000000005}' \
    '{6D2F5A10-0007-4B7E-9C31-5E0000000007}' '{6D2F5A10-0008-4B7E-9C31-5E0000000008}'
press_toggle 2
expect_all_shown "uninstall-command filter released" filter-uninstall-command-released

# Letter case counts: "msiexec" is in no command, every row is hidden and the
# grid shows its headings over an empty background.
set_box_text 2 msiexec
press_toggle 2
expect_blue_headings "filter without a match" filter-no-match
rows_blank() { [ "$(client_colours "$grid_left" $((heading_top + row_height)) $((grid_right - grid_left)) $((row_height * 10)))" -eq 1 ]; }
if within 3 rows_blank; then
    echo "ok: the lower-case filter \"msiexec\" leaves no row"
else
    problem "filter \"msiexec\": the grid still shows rows (see $out/filter-no-match.png)"
fi
press_toggle 2
expect_all_shown "filter without a match released" filter-released

end_wine
finish "filter: key-name, program-name and uninstall-command filters applied, switched and released; screenshots in $out/filter-*.png"
