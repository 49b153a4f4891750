#!/usr/bin/env bash
# The context menu from the keyboard, as a keyboard or screen-reader user
# opens it: Shift+F10 and the Menu key in the list and in the detail grid
# open the grids' context menu below the current cell (not at the mouse
# pointer, which is left over the toolbar), and its "コピー(&C)" chosen with
# C copies the cell, read back from the clipboard. In an info box the keys
# leave the edit control's own menu to it.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

start_vorlen

# Opens the context menu with the keys $1, checks that its top left corner
# is in the grid, below the current cell's row whose bottom is at client y
# $2 (or anywhere in the grid for "-"), chooses コピー with C and checks
# that the clipboard holds $3 and CR LF; $4 names the case.
menu_copies() {
    local keys_=$1 below=$2 expected=$3 label=$4 answer x y
    xdotool mousemove --window "$main_window" 20 5
    clipboard_empty
    keys $keys_
    answer=$(helper_command "menu 10" 20)
    [ "${answer%% *}" = ok ] || fail "$label: $keys_ opens no menu"
    read -r _ x y <<<"$answer"
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$((x - X)) y=$((y - Y - menu_height))
    screenshot_main "contextmenu-${label// /-}"
    [ "$x" -ge "$grid_left" ] && [ "$x" -le "$grid_right" ] || fail "$label: the menu opens at x $x, beside the grid"
    if [ "$below" = - ]; then
        [ "$y" -gt "$heading_top" ] && [ "$y" -le $((client_height - 20)) ] ||
            fail "$label: the menu opens at y $y, outside the grid's rows"
    else
        [ "$y" -ge $((below - 2)) ] && [ "$y" -le $((below + 4)) ] ||
            fail "$label: the menu opens at y $y, not below the current cell (bottom at $below)"
    fi
    keys c
    clipboard_to_file "$scratch/menu-copy" 10 "after コピー from the menu of $keys_, the clipboard"
    expect_file_text "$scratch/menu-copy" "$expected"$'\r\n' "$label: $keys_ opens the menu at the cell and コピー copies it"
}

focus_grid
keys ctrl+Home
first_key=$(copy_cell)
menu_copies shift+F10 $((heading_top + 2 * row_height)) "$first_key" "list Shift+F10"
expect_focus VorlenGrid "choosing コピー from the menu"
keys Right
first_name=$(copy_cell)
menu_copies Menu $((heading_top + 2 * row_height)) "$first_name" "list Menu key"

# The last row is scrolled into view first.
keys ctrl+End
last_row=$(copy_cell)
keys Up Up ctrl+End
menu_copies Menu - "$last_row" "list last row"

# The detail grid of the first entry.
keys ctrl+Home
click_detail_button
focus_grid
keys ctrl+Home
detail_cell=$(copy_cell)
menu_copies shift+F10 $((heading_top + 2 * row_height)) "$detail_cell" "detail Shift+F10"
keys Down
detail_next=$(copy_cell)
menu_copies Menu $((heading_top + 3 * row_height)) "$detail_next" "detail Menu key"
click_detail_button

# In an info box Shift+F10 opens the edit control's own menu, whose items
# are not the grids': its コピー(&C) copies the box's selection.
click_box 0
keys End shift+Home
clipboard_empty
keys shift+F10
answer=$(helper_command "menu 10" 20)
[ "${answer%% *}" = ok ] || fail "Shift+F10 in the key-name box opens no menu"
keys Escape
expect_focus Edit "Escape from the box's own menu"
echo "ok: the key-name box opens its own menu"

end_wine
finish "contextmenu: Shift+F10 and the Menu key open the grids' context menu at the current cell and コピー copies it; screenshots in $out/contextmenu-*.png"
