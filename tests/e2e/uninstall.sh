#!/usr/bin/env bash
# Uninstalling as a user: the NSIS-installed "Vorlen Sample" selected, " /S"
# (silent) typed after its uninstall command, "実行..." pressed and the
# question "本当にこのプログラムのアンインストールを始めてもよろしいですか？" answered Yes
# with the keyboard. The uninstaller really runs: its key, files and folder
# go; the list keeps the entry until F5 refreshes it, then lists every other
# entry as before. Runs in a copy of the test prefix, which it changes.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

use_prefix_copy

sample_key="$uninstall_key\\Vorlen Sample"
sample_folder="$WINEPREFIX/drive_c/Program Files/Vorlen Sample"
reg64 query "$sample_key" >/dev/null 2>&1 || fail "the prefix has no entry 'Vorlen Sample' to uninstall"
[ -f "$sample_folder/uninst.exe" ] || fail "the prefix has no file $sample_folder/uninst.exe"
# The key names under the uninstall key, one a line.
uninstall_subkeys() {
    reg64 query "$uninstall_key" 2>/dev/null | tr -d '\r' | LC_ALL=C sed -n 's/^HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\//p' | LC_ALL=C sort
}
uninstall_subkeys >"$prefix_copy/keys-before"

start_vorlen
focus_grid
select_entry 'Vorlen Sample'
cp "$scratch/whole-list" "$scratch/list-before"

click_box 2
keys End
type_text ' /S'
keys End shift+Home
copy_to_file "$scratch/box"
expect_file_text "$scratch/box" '"C:\Program Files\Vorlen Sample\uninst.exe" /lang=ja /S' "the uninstall command box holds the silent command"
keys End

# 実行... asks first; the message box carries the program's title.
click_run_button
question=$(wait_for_window '^Kestrin$' 20) || fail "実行... showed no question titled 'Kestrin' within 20 s"
sleep 0.5
screenshot uninstall-question
activate_window Kestrin "$question"
keys y
for _ in $(seq 1 40); do
    xdotool search --onlyvisible --name '^Kestrin$' >/dev/null 2>&1 || break
    sleep 0.25
done
xdotool search --onlyvisible --name '^Kestrin$' >/dev/null 2>&1 && fail "the question did not close on Y (はい)"
echo "ok: the question was answered Yes"

# The uninstaller goes on in a copy of itself in the temporary folder; wait
# for its work rather than for the prefix's programs, Vorlen among them.
# A failure says which programs of the prefix were still running (fail
# leaves what the screen showed), so that a slow run and a stuck one can be
# told apart.
answered=$SECONDS
for _ in $(seq 1 120); do
    if ! reg64 query "$sample_key" >/dev/null 2>&1 && [ ! -e "$sample_folder" ]; then break; fi
    sleep 0.5
done
uninstall_stuck() {
    fail "$1 $((SECONDS - answered)) s after the answer; programs running: $(ps -eo etime=,args= | grep -ai '\.exe' | grep -av grep | tr '\n' ';' || true)"
}
reg64 query "$sample_key" >/dev/null 2>&1 && uninstall_stuck "the key of Vorlen Sample is still there"
[ -e "$sample_folder" ] && uninstall_stuck "the folder $sample_folder is still there"
echo "ok: the uninstaller removed the key and the folder of Vorlen Sample in $((SECONDS - answered)) s"
uninstall_subkeys >"$prefix_copy/keys-after"
diff <(LC_ALL=C grep -avxF 'Vorlen Sample' "$prefix_copy/keys-before") "$prefix_copy/keys-after" >/dev/null ||
    fail "the uninstall key lost or gained more than Vorlen Sample: $(diff "$prefix_copy/keys-before" "$prefix_copy/keys-after" | head -n 10)"
echo "ok: every other entry is still in the registry"

# The list still shows the entry until it is refreshed.
focus_main
focus_grid
copy_whole_grid "$scratch/list-unrefreshed"
cmp -s "$scratch/list-before" "$scratch/list-unrefreshed" || fail "the list changed before it was refreshed"
echo "ok: before F5 the list still shows Vorlen Sample"
screenshot_main uninstall-before-refresh

focus_main
keys F5
focus_grid
copy_whole_grid "$scratch/list-refreshed"
screenshot_main uninstall-after-refresh
grep -aqxF 'Vorlen Sample' <(tr -d '\r' <"$scratch/list-refreshed" | cut -f 1) && fail "after F5 the list still shows Vorlen Sample"
# The rows are those of before, that of Vorlen Sample left out, in the same order.
diff <(tr -d '\r' <"$scratch/list-before" | awk -F'\t' '$1 != "Vorlen Sample"') <(tr -d '\r' <"$scratch/list-refreshed") >/dev/null ||
    fail "after F5 the list is not the previous one without Vorlen Sample: $(diff "$scratch/list-before" "$scratch/list-refreshed" | head -n 10)"
echo "ok: after F5 the list shows every entry but Vorlen Sample"

end_wine
finish "uninstall: Vorlen Sample uninstalled from the list with 実行... and Yes, gone from the list after F5; screenshots in $out/uninstall-*.png"
