#!/usr/bin/env bash
# Tool > REG EXPORT and REG QUERY as a user, on the entry Vorlen Sample
# (a key name with a blank). REG EXPORT asks for a .reg file in the Save-As
# dialog, waits for the hidden REG, then opens Explorer on the file's folder:
# Explorer's window "Public" appears with the file already written, and the
# file, imported into a second, empty prefix, gives that prefix the same key
# as the test prefix holds. REG QUERY opens a console running
# "cmd.exe /K REG QUERY" on the entry's key.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine

key="$uninstall_key\\Vorlen Sample"
long_key='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Vorlen Sample'
reg_file=$WINEPREFIX/drive_c/users/Public/key.reg
rm -f "$reg_file"

# The second prefix is made while the first part runs (its own wineserver).
empty=$(mktemp -d /tmp/vorlen-empty-prefix.XXXXXX)
(WINEPREFIX=$empty WINEDLLOVERRIDES='mscoree,mshtml=' DISPLAY= wineboot -i >/dev/null 2>&1; WINEPREFIX=$empty wineserver -w) &
wineboot_job=$!
more_cleanup() {
    rm -f "$reg_file"
    WINEPREFIX=$empty wineserver -k 2>/dev/null || true
    wait "$wineboot_job" 2>/dev/null || true
    rm -rf "$empty"
}

start_vorlen
focus_grid
select_entry 'Vorlen Sample'

# REG EXPORT.
focus_main
keys alt+t e
save_as 'C:\users\Public\key.reg' regexport-save-as
explorer_window=$(wait_for_window '^Public$' 30) || fail "no Explorer window titled 'Public' within 30 s of the REG EXPORT"
[ -s "$reg_file" ] || fail "Explorer opened before REG EXPORT had written $reg_file"
echo "ok: Explorer opened on C:\\users\\Public after REG EXPORT had written the file"
wait_for_prefix_process '^[0-9]+ explorer C:\\users\\Public\\$' 5 >/dev/null ||
    fail "no process 'explorer C:\\users\\Public\\': $(ps -eo args= | grep -ai explorer | grep -v grep | head -n 3)"
echo "ok: Explorer was started as 'explorer C:\\users\\Public\\'"
sleep 0.5
screenshot regexport-explorer
cp "$reg_file" "$out/regexport-key.reg"
grep -qxF "[$long_key]" <(iconv -f UTF-16 -t UTF-8 "$reg_file" | tr -d '\r') ||
    fail "the .reg file does not hold the section [$long_key]"
echo "ok: the .reg file holds the key of Vorlen Sample"
close_window Public "$explorer_window"

# REG QUERY.
focus_main
keys alt+t q
line=$(wait_for_prefix_process 'cmd\.exe /K REG QUERY' 20) || fail "no process 'cmd.exe /K REG QUERY …' within 20 s"
# The key is handed on quoted for cmd (^"…^"), so that REG gets one argument.
expect_equal "$(echo "$line" | sed 's/^ *[0-9]* //' | tr -d '^"')" "cmd.exe /K REG QUERY $long_key" "REG QUERY runs cmd.exe /K REG QUERY on the key of Vorlen Sample"
wait_for_window '^C:\\windows\\system32\\cmd.exe$' 20 >/dev/null || fail "no console window titled 'C:\\windows\\system32\\cmd.exe' within 20 s"
sleep 1
screenshot regexport-reg-query
echo "ok: the console window of REG QUERY is open"
end_wine

# The file into the empty prefix; both prefixes' exports of the key agree.
reg64 export "$key" "$(win_path "$scratch/source.reg")" /y >/dev/null 2>&1 || fail "cannot export the key from the test prefix"
wait "$wineboot_job" || fail "wineboot of the empty prefix failed"
WINEPREFIX=$empty reg64 query "$key" >/dev/null 2>&1 && fail "the empty prefix already holds the key"
cp "$reg_file" "$scratch/key.reg"
WINEPREFIX=$empty reg64 import "$(win_path "$scratch/key.reg")" >/dev/null 2>&1 || fail "reg import of the exported file failed in the empty prefix"
WINEPREFIX=$empty reg64 export "$key" "$(win_path "$scratch/imported.reg")" /y >/dev/null 2>&1 || fail "the key is not in the empty prefix after the import"
WINEPREFIX=$empty wineserver -w
cmp -s "$scratch/source.reg" "$scratch/imported.reg" ||
    fail "the imported key differs: $(diff <(iconv -f UTF-16 -t UTF-8 "$scratch/source.reg") <(iconv -f UTF-16 -t UTF-8 "$scratch/imported.reg") | head -n 6)"
echo "ok: the file imported into an empty prefix gives the same key ($(iconv -f UTF-16 -t UTF-8 "$scratch/source.reg" | grep -c '^"') values)"

finish "PASS: regexport"
