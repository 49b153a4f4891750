#!/usr/bin/env bash
# Copying as a user: a block of the list extended with Shift and the arrow
# keys (from either corner), a row with Japanese text, a block of the detail
# view and a text box's selection, copied with Ctrl+C; and Ctrl+C on a
# filter toggle, which empties the clipboard. Rows are copied as their
# cells joined by tabs, each row ending in CR LF; the text is compared byte
# for byte as a Windows program reads it, and as an X program (xclip) gets
# it through Wine's clipboard bridge, which turns CR LF into LF.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

start_vorlen
focus_grid

# Checks the clipboard against the expected text, in Windows and in X
# (Wine hands the text to the X clipboard a moment after Windows has it).
x_clipboard_is() {
    xclip -o -selection clipboard >"$scratch/x-copied" 2>/dev/null && printf '%s' "$1" | cmp -s - "$scratch/x-copied"
}
expect_clipboard() {
    clipboard_to_file "$scratch/copied"
    expect_file_text "$scratch/copied" "$1" "$2"
    within 3 x_clipboard_is "${1//$'\r'/}" || true
    expect_file_text "$scratch/x-copied" "${1//$'\r'/}" "$2, as X programs get it"
}

# The list opens sorted by program name, numbers first by value.
first_rows=$'NumericNameMinus\t-3.5\tC:\\Numeric\\minus\\uninst.exe\r\n'
first_rows+=$'NumericName20\t20\tC:\\Numeric\\20\\uninst.exe\r\n'
first_rows+=$'NumericName100\t100\tC:\\Numeric\\100\\uninst.exe\r\n'

keys ctrl+Home shift+Down shift+Down shift+Right shift+Right
copy_to_file "$scratch/block"
screenshot_main clipboard-block
expect_clipboard "$first_rows" "a 3 x 3 block extended down and right"

# The same block from its bottom-right corner to the top-left one (the
# uninstall command, left of the last column, the place).
keys ctrl+Home Down Down End Left shift+Up shift+Up shift+Left shift+Left
copy_to_file "$scratch/block"
expect_clipboard "$first_rows" "the same block extended up and left"

# One row with Japanese text and quotation marks, all three columns.
select_entry 'Vorlen Sample'
keys shift+Right shift+Right
copy_to_file "$scratch/block"
expect_clipboard $'Vorlen Sample\tヴォルレン サンプル 1.0\t"C:\\Program Files\\Vorlen Sample\\uninst.exe" /lang=ja\r\n' \
    "the row of Vorlen Sample"

# The detail view of the entry with every value type.
select_entry ValueTypes
click_detail_button
focus_grid
copy_whole_grid "$scratch/detail"
for line in $'(標準)\tREG_SZ\t既定の値' $'TypeMultiString\tREG_MULTI_SZ\ta b ' \
    $'TypeQword\tOther Type\t01 02 03 04 05 06 07 08 ' $'UninstallString\tREG_EXPAND_SZ\t%ProgramFiles%\\Value Types\\uninst.exe'; do
    grep -aqxF -- "$line" <(tr -d '\r' <"$scratch/detail") || fail "the copied detail of ValueTypes has no line '$line'"
done
echo "ok: the whole detail of ValueTypes is copied"
index=$(awk -F'\t' '{ sub(/\r$/, "") } $1 == "TypeBinary" { print NR; exit }' "$scratch/detail")
[ -n "$index" ] || fail "the detail of ValueTypes has no value TypeBinary"
keys ctrl+Home
[ "$index" -gt 1 ] && xdotool key --delay 10 $(printf 'Down %.0s' $(seq 2 "$index"))
keys shift+Down shift+Down shift+Down shift+End
copy_to_file "$scratch/block"
screenshot_main clipboard-detail-block
detail_rows=$'TypeBinary\tREG_BINARY\t01 00 FF \r\n'
detail_rows+=$'TypeBinaryEmpty\tREG_BINARY\t\r\n'
detail_rows+=$'TypeDword\tREG_DWORD\t0000000A\r\n'
detail_rows+=$'TypeDwordBigEndian\tOther Type\t00 00 00 0A \r\n'
expect_clipboard "$detail_rows" "a 4 x 3 block of the detail view"

# Back in the list, the program-name box's selection is copied as it is.
click_detail_button
click_box 1
keys End shift+Home
copy_to_file "$scratch/box"
expect_clipboard 'Value Types サンプル' "the selection of the program-name box"

# Ctrl+C on a filter toggle (the tab stop after the last box) empties the clipboard.
click_box 2
keys Tab
keys ctrl+c
clipboard_becomes_empty 5 || fail "Ctrl+C on a filter toggle leaves text on the clipboard"
echo "ok: Ctrl+C on a filter toggle empties the clipboard"

end_wine
finish "clipboard: list and detail blocks, a text box selection and a toggle checked in Windows and X; screenshots in $out/clipboard-*.png"
