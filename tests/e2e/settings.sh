#!/usr/bin/env bash
# The display-settings dialog as a user: View > 表示設定 on a copy of
# vorlen.exe in a folder of its own (Kestrin.ini is written beside the
# program). OK without changes writes the three checked boxes as 1; the
# three boxes unchecked and OK write 0 for each, and the list grows by the
# entries without a name, without a command and the hotfixes, in the window
# and in "/export" of the copy; the close box leaves the file alone; after a
# restart the boxes still show the saved state.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine

scratch=$(mktemp -d /tmp/vorlen-settings.XXXXXX)
mkdir "$scratch/app"
cp "$exe" "$scratch/app/vorlen.exe"
exe=$scratch/app/vorlen.exe
ini=$scratch/app/Kestrin.ini

# Prints the [Settings] keys of Kestrin.ini as "DisplayName=… UninstallString=… NoHotfix=…".
ini_settings() {
    [ -f "$ini" ] || { echo "(no Kestrin.ini)"; return; }
    tr -d '\r' <"$ini" | awk '/^\[/ { s = ($0 == "[Settings]") } s && /^(DisplayName|UninstallString|NoHotfix)=/' |
        sort | tr '\n' ' ' | sed 's/ $//'
}

# Waits up to 10 s for the settings in Kestrin.ini to read $1; $2 names the check.
expect_ini() {
    for _ in $(seq 1 40); do
        [ "$(ini_settings)" = "$1" ] && break
        sleep 0.25
    done
    expect_equal "$(ini_settings)" "$1" "$2"
}

# Opens View > 表示設定 with the keyboard and prints the dialog's X window.
open_settings() {
    focus_main
    keys alt+v s
    local dialog
    dialog=$(wait_for_window '^表示設定$' 20) || fail "View > 表示設定 opened no dialog titled '表示設定' within 20 s"
    sleep 0.3
    activate_window '表示設定' "$dialog"
    echo "$dialog"
}

# Counts the data rows of the list as the window shows them (copied with Ctrl+C).
window_rows() {
    focus_main
    focus_grid
    copy_whole_grid "$scratch/grid"
    tr -d '\r' <"$scratch/grid" | grep -c .
}

# Before: the defaults (no settings file).
cli_export "$exe" "$scratch/before.csv"
rows_before=$(($(line_count "$scratch/before.csv") - 1))
[ ! -e "$ini" ] || fail "/export wrote a Kestrin.ini"

start_vorlen
expect_equal "$(window_rows)" "$rows_before" "the window lists as many rows as /export writes under the defaults"

# With no settings file all three boxes start checked: OK unchanged writes 1s.
dialog=$(open_settings)
screenshot settings-defaults
keys Return
wait_for_no_window_named '^表示設定$' 10 || fail "the dialog did not close on Enter (OK)"
expect_ini "DisplayName=1 NoHotfix=1 UninstallString=1" "OK without changes writes the three checked boxes as 1"

# Unchecking the three boxes (focus starts on OK; Tab order OK, キャンセル, the boxes).
dialog=$(open_settings)
keys Tab Tab space Tab space Tab space
screenshot settings-unchecked
keys Return
wait_for_no_window_named '^表示設定$' 10 || fail "the dialog did not close on Enter (OK)"
expect_ini "DisplayName=0 NoHotfix=0 UninstallString=0" "OK with the three boxes unchecked writes 0 for each"
rows_window=$(window_rows)
screenshot_main settings-list-all
[ "$rows_window" -gt "$rows_before" ] || fail "the list did not grow after OK: $rows_window rows, $rows_before before"
for key in NoDisplayName EmptyUninstallString KB873339; do
    grep -qxF "$key" <(tr -d '\r' <"$scratch/grid" | cut -f 1) || fail "the window does not list $key with the filters off"
done
echo "ok: the window's list grew from $rows_before to $rows_window rows, with NoDisplayName, EmptyUninstallString and KB873339"

# The close box drops changed boxes.
dialog=$(open_settings)
keys Tab Tab space
close_window '表示設定' "$dialog"
sleep 1
expect_equal "$(ini_settings)" "DisplayName=0 NoHotfix=0 UninstallString=0" "closing the dialog by its close box leaves Kestrin.ini alone"
expect_equal "$(window_rows)" "$rows_window" "closing the dialog by its close box leaves the list alone"
end_wine

# /export of the copy reads the same settings file.
cli_export "$exe" "$scratch/after.csv"
expect_equal "$(($(line_count "$scratch/after.csv") - 1))" "$rows_window" "/export of the copy writes the rows the window showed"
[ "$(($(line_count "$scratch/after.csv") - 1))" -gt "$rows_before" ] || fail "/export did not grow with the filters off"

# After a restart the boxes open unchecked: OK unchanged keeps the 0s.
start_vorlen
expect_equal "$(window_rows)" "$rows_window" "after a restart the list still shows every entry"
# The file is set back to 1s behind the program's back: OK must write what
# the boxes show, the 0s read at start-up.
printf '[Settings]\r\nDisplayName=1\r\nUninstallString=1\r\nNoHotfix=1\r\n' >"$ini"
dialog=$(open_settings)
screenshot settings-restarted
keys Return
wait_for_no_window_named '^表示設定$' 10 || fail "the dialog did not close on Enter (OK)"
expect_ini "DisplayName=0 NoHotfix=0 UninstallString=0" "after a restart the boxes open unchecked (OK writes the 0s read at start-up)"

finish "PASS: settings"
