#!/usr/bin/env bash
# Moving through the list as a user: a row selected with the mouse, Ctrl+D and
# Ctrl+U stepping down and up (nothing above the first row), the info boxes
# following the selection, the detail view opened with the "詳細..." button
# and the View menu (Alt+V, D / L), stepping in the detail view, and back to
# the list with the selection kept. Each state is read back through Ctrl+C
# and the clipboard; the list and the detail are photographed.
#
# The list opens sorted by program name, numbers first by value: the rows
# "-3.5" (NumericNameMinus), "20" (NumericName20), "100" (NumericName100)
# come first.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

start_vorlen
screenshot_main navigation-start
expect_equal "$(copy_cell)" NumericNameMinus "the list starts on its first row"

# A click on the key name of the second row selects it.
click_client $((grid_left + 30 + 40)) $((heading_top + row_height * 2 + row_height / 2))
expect_equal "$(copy_cell)" NumericName20 "a click on row 2 selects it"

keys ctrl+d
expect_equal "$(copy_cell)" NumericName100 "Ctrl+D steps to the next row"
keys ctrl+u ctrl+u
expect_equal "$(copy_cell)" NumericNameMinus "Ctrl+U twice steps back to the first row"
keys ctrl+u
expect_equal "$(copy_cell)" NumericNameMinus "Ctrl+U on the first row stays there"
keys ctrl+d

# The info boxes show the selected entry.
click_box 1
keys End shift+Home
copy_to_file "$scratch/box"
expect_file_text "$scratch/box" "20" "the program-name box shows the selected entry's name"
click_box 2
keys End shift+Home
copy_to_file "$scratch/box"
expect_file_text "$scratch/box" 'C:\Numeric\20\uninst.exe' "the uninstall-command box shows its command"

# Below the rows of a short detail the grid shows only its empty background
# (one colour); the list fills the same place with text.
blank_area=(40 $((heading_top + row_height * 4)) 550 $((row_height * 6)))
area_blank() { [ "$(client_colours "${blank_area[@]}")" -eq 1 ]; }
area_filled() { [ "$(client_colours "${blank_area[@]}")" -gt 1 ]; }
expect_detail_shown() {
    within 3 area_blank ||
        problem "$1: the grid area below the entry's values shows the list, not the empty detail grid (see $out/$2.png)"
    screenshot_main "$2"
}
expect_list_shown() {
    within 3 area_filled || problem "$1: the grid area below row 3 is empty, the list is not shown (see $out/$2.png)"
    screenshot_main "$2"
}
expect_list_shown "the list view" navigation-list

detail_20=$'DisplayName\tREG_SZ\t20\r\nUninstallString\tREG_SZ\tC:\\Numeric\\20\\uninst.exe\r\n'
detail_100=$'DisplayName\tREG_SZ\t100\r\nUninstallString\tREG_SZ\tC:\\Numeric\\100\\uninst.exe\r\n'

# The "詳細..." button shows the selected entry's values.
click_detail_button
focus_grid
copy_whole_grid "$scratch/detail"
expect_file_text "$scratch/detail" "$detail_20" "the detail view lists the values of NumericName20"
expect_detail_shown "after the 詳細... button" navigation-detail

# Ctrl+D in the detail view steps the list and shows the next entry's values.
keys ctrl+d
focus_grid
copy_whole_grid "$scratch/detail"
expect_file_text "$scratch/detail" "$detail_100" "Ctrl+D in the detail view shows the values of NumericName100"
expect_detail_shown "after Ctrl+D in the detail view" navigation-detail-next

# View menu, 一覧(&L): back to the list, on the row reached in the detail view.
focus_main
keys alt+v
wait_for_menu "Alt+V"
keys l
expect_list_shown "after 表示 > 一覧" navigation-list-again
focus_grid
expect_equal "$(copy_cell)" NumericName100 "back in the list, the row stepped to in the detail view is selected"

# View menu, 詳細(&D), and back with the button (now "一覧").
focus_main
keys alt+v
wait_for_menu "Alt+V"
keys d
focus_grid
copy_whole_grid "$scratch/detail"
expect_file_text "$scratch/detail" "$detail_100" "表示 > 詳細 shows the values of the selected entry"
keys ctrl+u
focus_grid
copy_whole_grid "$scratch/detail"
expect_file_text "$scratch/detail" "$detail_20" "Ctrl+U in the detail view shows the values of NumericName20"
click_detail_button
expect_list_shown "after the 一覧 button" navigation-list-end
focus_grid
expect_equal "$(copy_cell)" NumericName20 "the 一覧 button returns to the list on the selected row"
keys ctrl+d
expect_equal "$(copy_cell)" NumericName100 "the list takes Ctrl+D again"

end_wine
finish "navigation: row selection, Ctrl+U/Ctrl+D, detail view by button and menu checked; screenshots in $out/navigation-*.png"
