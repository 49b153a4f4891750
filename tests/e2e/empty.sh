#!/usr/bin/env bash
# Starting Vorlen where no program is registered (the three uninstall keys
# exist and are empty): the list shows its headings and no entry, the boxes
# stay empty, "詳細..." and "実行..." cannot be used, and neither the keys
# nor the hotfix-only toggle bring a heading into the boxes.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine
layout_tool=${VORLEN_E2E_LAYOUT:?the layout helper (window-layout.exe) is not given}

# The lines of the boxes and the two buttons beside them, as another program
# reads them: KIND ID ... STATE LENGTH.
entry_controls() {
    wine64 "$layout_tool" "$main_title" 2>/dev/null | tr -d '\r' |
        awk '$2 == 1010 || $2 == 1011 || $2 == 1012 || $2 == 40074 || $2 == 40075 { print $2, $7, $8 }'
}
expected_controls=$'1010 enabled 0\n1011 enabled 0\n1012 enabled 0\n40074 disabled 5\n40075 disabled 5'
expect_empty_entry() {
    local seen
    seen=$(entry_controls)
    [ "$seen" = "$expected_controls" ] ||
        problem "$1: the boxes are not empty or a button that needs an entry is enabled (id state length):"$'\n'"$seen"
}

scratch=$(mktemp -d /tmp/vorlen-e2e.XXXXXX)
start_wine_helper
wine64 "$exe" >/dev/null 2>&1 &
wait_for_main_window
sleep 2
expect_empty_entry "at start-up"
screenshot_main empty-list
# Only the heading row is drawn: below it the grid shows one colour.
[ "$(client_colours "$grid_left" $((heading_top + row_height + 2)) 400 100)" = 1 ] ||
    problem "the grid shows something below its headings"

focus_main
keys ctrl+d ctrl+u
expect_empty_entry "after Ctrl+D and Ctrl+U"
click_run_button
sleep 1
! xdotool search --name '^Kestrin$' >/dev/null 2>&1 || problem "実行... asked to run a command with no entry"

# The hotfix-only toggle: nothing is a hotfix here either.
click_box 0
keys alt+v w
sleep 1
expect_empty_entry "after the hotfix-only toggle"
end_wine
finish "empty: headings only, empty boxes, 詳細... and 実行... unavailable; screenshot $out/empty-list.png"
