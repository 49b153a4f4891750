#!/usr/bin/env bash
# File > エクスポート as a user: Ctrl+E opens the Save-As dialog, the path
# typed into its file-name box receives the list, the question "ファイルを表示
# しますか？" is answered No. The file must equal what "vorlen.exe /export"
# writes for the same prefix (both right after start-up), begin with the
# UTF-8 byte-order mark (NonAnsiName does not fit code page 932) and the
# heading line. Then the detail view of Vorlen Sample is exported: its
# heading line and one line per registry value, as `reg query` lists them,
# in code page 932 (every character fits).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine

public=$WINEPREFIX/drive_c/users/Public
list=$public/list.csv
detail=$public/detail.csv
more_cleanup() { rm -f "$list" "$detail"; }
rm -f "$list" "$detail"

# Exports the grid in view through Ctrl+E into the Windows path $1, answers
# No to the question and waits for the file $2.
export_from_menu() {
    focus_main
    keys ctrl+e
    save_as "$1" "$3-save-as"
    local box
    box=$(wait_for_main_titled_box 20) || fail "no message box titled '$main_title' after the export to $1"
    sleep 0.3
    screenshot "$3-question"
    keys_to_window_until_closed "$box" n || fail "the question after the export did not close on N (いいえ)"
    echo "ok: the export to $1 asked whether to show the file; answered No"
    wait_for_file "$2" 10 || fail "the export wrote no file $2"
}

start_vorlen
screenshot_main export-start
export_from_menu 'C:\users\Public\list.csv' "$list" export-list
cp "$list" "$out/export-list.csv"

expect_equal "$(head -c 3 "$list" | od -An -tx1 | tr -d ' ')" efbbbf "the list export begins with the UTF-8 byte-order mark"
expect_equal "$(csv_first_line "$list")" "$list_heading" "the list export's first line is the heading line"
expect_crlf_lines "$list" "the list export"
cli_export "$exe" "$scratch/cli.csv"
cmp -s "$list" "$scratch/cli.csv" ||
    fail "the menu export differs from vorlen.exe /export: $(cmp "$list" "$scratch/cli.csv" 2>&1 | head -n 1)"
echo "ok: the menu export equals vorlen.exe /export byte for byte ($(line_count "$list") lines)"

# The detail view of Vorlen Sample.
focus_main
focus_grid
select_entry 'Vorlen Sample'
click_detail_button
sleep 0.5
screenshot_main export-detail-view
export_from_menu 'C:\users\Public\detail.csv' "$detail" export-detail
cp "$detail" "$out/export-detail.csv"
screenshot_main export-after

[ "$(head -c 3 "$detail" | od -An -tx1 | tr -d ' ')" != efbbbf ] || fail "the detail export has a byte-order mark although every character fits code page 932"
iconv -f CP932 -t UTF-8 "$detail" >"$scratch/detail.utf8" || fail "the detail export is not in code page 932"
echo "ok: the detail export is in code page 932 without a byte-order mark"
expect_crlf_lines "$detail" "the detail export"
expect_equal "$(csv_first_line "$scratch/detail.utf8")" "$detail_heading" "the detail export's first line is the heading line"

# What the registry holds: name, type and (for strings) data of each value.
reg64 query "$uninstall_key\\Vorlen Sample" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
    sed -n 's/^    \(.*\)    \(REG_[A-Z_]*\)    \(.*\)$/\1\t\2\t\3/p; s/^    \(.*\)    \(REG_[A-Z_]*\)$/\1\t\2\t/p' >"$scratch/values"
values=$(line_count "$scratch/values")
[ "$values" -ge 8 ] || fail "reg query shows only $values values of Vorlen Sample"
expect_equal "$(($(line_count "$scratch/detail.utf8") - 1))" "$values" "the detail export holds one line per value of the key"
tail -n +2 "$scratch/detail.utf8" | tr -d '\r' | sed 's/^\([^,]*\),"\([^"]*\)",.*/\1\t\2/' | sort >"$scratch/exported-names"
cut -f 1,2 "$scratch/values" | sort >"$scratch/registry-names"
diff "$scratch/registry-names" "$scratch/exported-names" >"$scratch/names.diff" ||
    fail "the detail export's value names and types differ from the registry: $(head -n 6 "$scratch/names.diff")"
echo "ok: the detail export names every value with its type"
# String data as CSV fields, inner quotes doubled.
awk -F'\t' '$2 == "REG_SZ" { d = $3; gsub(/"/, "\"\"", d); printf "%s,\"%s\",\"%s\"\n", $1, $2, d }' "$scratch/values" | sort >"$scratch/expected-strings"
tr -d '\r' <"$scratch/detail.utf8" | grep -aF ',"REG_SZ",' | sort >"$scratch/exported-strings"
[ "$(line_count "$scratch/expected-strings")" -ge 6 ] || fail "fewer than 6 string values of Vorlen Sample in the registry"
diff "$scratch/expected-strings" "$scratch/exported-strings" >"$scratch/strings.diff" ||
    fail "the detail export's string lines differ from the registry: $(head -n 6 "$scratch/strings.diff")"
echo "ok: every string value is exported as name,\"REG_SZ\",\"data\" with inner quotes doubled"

finish "PASS: export"
