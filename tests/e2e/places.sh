#!/usr/bin/env bash
# The three places programs register in, as a user meets them: the 32-bit
# NSIS program, the x86 MSI program and the per-user program are listed with
# their places beside the 64-bit ones; the per-user program is uninstalled
# from the list ("実行..." with " /S", Yes), and after F5 it is gone while
# every entry of the other places is still listed. Runs in a copy of the test
# prefix, which it changes.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

use_prefix_copy

personal_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VorlenPersonal'
wine reg query "$personal_key" >/dev/null 2>&1 || fail "the prefix has no per-user entry VorlenPersonal"

start_vorlen
focus_grid
copy_whole_grid "$scratch/list-before"
# A row as key name, program name and place (the uninstall command aside).
rows_of() { tr -d '\r' <"$1" | awk -F'\t' '{ print $1 "\t" $2 "\t" $4 }'; }
for row in $'Vorlen Classic\tヴォルレン クラシック 3.1 (32 ビット)\tHKLM 32 ビット' \
    $'{6D2F5A10-0007-4B7E-9C31-5E0000000007}\tVorlen Legacy Reader (x86)\tHKLM 32 ビット' \
    $'VorlenPersonal\tVorlen Personal Notes 0.9\tHKCU' \
    $'Vorlen Sample\tヴォルレン サンプル 1.0\tHKLM'; do
    grep -aqxF -- "$row" <(rows_of "$scratch/list-before") || fail "no row '$row' in the list"
done
echo "ok: the 32-bit NSIS and MSI programs, the per-user program and the 64-bit ones are listed with their places"
screenshot_main places-list

select_entry VorlenPersonal
click_box 2
keys End
type_text ' /S'
keys End
click_run_button
question=$(wait_for_window '^Kestrin$' 20) || fail "実行... showed no question titled 'Kestrin' within 20 s"
sleep 0.5
activate_window Kestrin "$question"
keys y
for _ in $(seq 1 120); do
    wine reg query "$personal_key" >/dev/null 2>&1 || break
    sleep 0.5
done
wine reg query "$personal_key" >/dev/null 2>&1 && fail "the per-user key of VorlenPersonal is still there 60 s after Yes"
echo "ok: the per-user uninstaller removed its key"

focus_main
keys F5
focus_grid
copy_whole_grid "$scratch/list-after"
screenshot_main places-after-refresh
diff <(rows_of "$scratch/list-before" | awk -F'\t' '$1 != "VorlenPersonal"') <(rows_of "$scratch/list-after") >/dev/null ||
    fail "after F5 the list is not the previous one without VorlenPersonal: $(diff <(rows_of "$scratch/list-before") <(rows_of "$scratch/list-after") | head -n 10)"
echo "ok: after F5 VorlenPersonal is gone and every entry of the other places is still listed"

end_wine
finish "places: 32-bit, 64-bit and per-user programs side by side; the per-user program uninstalled and gone after F5; screenshots in $out/places-*.png"
