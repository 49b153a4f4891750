#!/usr/bin/env bash
# Vorlen started from a download folder where other files arrived beside it:
# vorlen.exe copied into a scratch folder together with stand-ins named
# cmd.exe, reg.exe, regedit.exe, control.exe, msiexec.exe, regsvr32.exe,
# hh.exe and explorer.exe (and reg.bat, reg.cmd) that only leave a mark, and
# started from there, that folder being the current one. The export folder
# of REG EXPORT holds the same stand-ins. Every command of the Tools and
# Help menus, F1, the folder and address commands, REG EXPORT and 実行 on an
# MSI entry are used as a user would: each must start the system's own
# program by its full path (as Wine's process trace shows) and really reach
# it, and no stand-in may leave a mark. Runs in a copy of the test prefix,
# since the MSI entry really is uninstalled.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine
stand_in=${VORLEN_E2E_STAND_IN:?the stand-in program (VORLEN_E2E_STAND_IN)}
use_prefix_copy

system='C:\windows\system32' windows='C:\windows'
msi_product='{6D2F5A10-0006-4B7E-9C31-5E0000000006}'  # Vorlen Driver Pack: MsiExec.exe /X{…}
msi_key="$uninstall_key\\$msi_product"
reg64 query "$msi_key" >/dev/null 2>&1 || fail "the prefix has no MSI entry $msi_product"

scratch=$(mktemp -d /tmp/vorlen-e2e.XXXXXX)
app=$scratch/download exports=$scratch/exports
mkdir -p "$app" "$exports"
cp "$exe" "$(dirname "$exe")/VorlenHelp.chm" "$app/"
for folder in "$app" "$exports"; do
    for name in cmd reg regedit control msiexec regsvr32 hh explorer; do cp "$stand_in" "$folder/$name.exe"; done
    for name in reg.bat reg.cmd; do printf '@echo %%~f0 ran: %%*>>"%%~dp0planted-marks.txt"\r\n' >"$folder/$name"; done
done
exe=$app/vorlen.exe
# The address command's browser: one that only ends (the prefix is a copy).
wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d /bin/true /f >/dev/null 2>&1 ||
    fail "cannot name a browser in Wine's settings"

# Vorlen's current folder is the download folder; the script's own Wine
# commands (reg) run elsewhere, or the stand-ins would answer them.
process_trace=$scratch/trace
cd "$app"
start_vorlen
cd /

# Wine's process trace shows a process created with the program file $1 and a
# command line beginning with $2; $3 names the check. Counted as a problem
# otherwise, so that one run shows every command that goes wrong.
expect_launch() {
    if wait_for_traced_launch "$1" "$2" 15; then
        echo "ok: $3 starts $1 with '$2…'"
    else
        problem "$3 did not start $1 with '$2…': $(grep -a 'CreateProcessInternalW' "$process_trace" | tail -n 1)"
    fi
}
# The menu command chosen by the keys $1, checked as expect_launch $2 $3 $4.
expect_menu_launch() {
    focus_main
    keys $1
    expect_launch "$2" "$3" "$4"
}

# REG EXPORT first: on a build that lets the Save-As dialog change the
# current folder, every later command would then look in the export folder.
focus_grid
select_entry 'Vorlen Sample'
focus_main
keys alt+t e
save_as "$(win_path "$exports")\\key.reg"
expect_launch "$system\\cmd.exe" 'cmd.exe /C REG EXPORT ' 'REG EXPORT'
expect_launch "$windows\\explorer.exe" "explorer $(win_path "$exports")\\" "REG EXPORT's Explorer"
iconv -f UTF-16 -t UTF-8 "$exports/key.reg" 2>/dev/null | grep -aq 'Uninstall\\Vorlen Sample\]' ||
    problem "the system's REG did not export the key into $exports/key.reg"
explorer=$(wait_for_window '^exports$' 30) && close_window exports "$explorer" ||
    problem "no Explorer window titled 'exports' after REG EXPORT"

expect_menu_launch "alt+t q" "$system\\cmd.exe" 'cmd.exe /K REG QUERY ' 'REG QUERY'
wait_for_window '^C:\\windows\\system32\\cmd.exe$' 20 >/dev/null || problem "REG QUERY opened no console window"
sleep 1
screenshot planted-reg-query
end_prefix_processes 'cmd\.exe /K REG QUERY'

expect_menu_launch "alt+t r" "$windows\\regedit.exe" 'regedit.exe' 'レジストリエディタ'
wait_for_window '^レジストリ エディター$' 20 >/dev/null || problem "Registry Editor opened no window"
end_prefix_processes '^[0-9]+ regedit\.exe$'
expect_menu_launch "alt+t p" "$system\\control.exe" 'control appwiz.cpl' 'プログラムの追加と削除'
wait_for_window '^プログラムの追加と削除$' 20 >/dev/null || problem "the control panel opened no window"
end_prefix_processes '^[0-9]+ control appwiz\.cpl$'
expect_menu_launch "alt+h w" "$system\\msiexec.exe" 'msiexec' 'Windows インストーラ ヘルプ'
wait_for_prefix_process '^[0-9]+ msiexec$' 20 >/dev/null || problem "the Windows Installer help is not running"
end_prefix_processes '^[0-9]+ msiexec$'
expect_menu_launch "alt+h r" "$system\\regsvr32.exe" 'regsvr32' 'Regsvr32 ヘルプ'

chm="$(win_path "$app")\\VorlenHelp.chm"
for way in F1 "alt+h h"; do
    expect_menu_launch "$way" "$windows\\hh.exe" "hh.exe \"$chm\"" "$way"
    wait_for_window '^Vorlen ヘルプ$' 20 >/dev/null || problem "$way opened no help window"
    end_prefix_processes '^[0-9]+ hh\.exe '
    sleep 0.5
    : >"$process_trace"
done

# The folder command on the uninstall command box, the address command on
# an address typed into the program-name box.
click_box 2
keys End ctrl+f
expect_launch "$windows\\explorer.exe" 'explorer C:\Program Files\Vorlen Sample' 'ファイルの場所を開く'
explorer=$(wait_for_window '^Vorlen Sample$' 30) && close_window 'Vorlen Sample' "$explorer" ||
    problem "the folder command opened no Explorer window"
set_box_text 1 'https://www.example.com/'
keys ctrl+w
# The address goes to the handler the registry names for it, by its path.
for _ in $(seq 1 60); do
    grep -aF 'CreateProcessInternalW' "$process_trace" | grep -aqi 'winebrowser' && break
    sleep 0.25
done
grep -aF 'CreateProcessInternalW' "$process_trace" | grep -aqi 'winebrowser' ||
    problem "URL を開く did not start the address handler"

# 実行 on the MSI entry, answered Yes: the system's msiexec uninstalls it.
focus_main
focus_grid
select_entry "$msi_product"
click_run_button
question=$(wait_for_window '^Kestrin$' 20) || fail "実行... asked nothing"
activate_window Kestrin "$question"
keys y
# The program is named as the command spells it, in the system folder.
expect_launch "$system\\MsiExec.exe" "MsiExec.exe /X$msi_product" 実行
for _ in $(seq 1 120); do
    reg64 query "$msi_key" >/dev/null 2>&1 || break
    sleep 0.5
done
reg64 query "$msi_key" >/dev/null 2>&1 && problem "the MSI entry is still registered 60 s after 実行: the system's msiexec did not run"
screenshot planted-end

for folder in "$app" "$exports"; do
    [ -e "$folder/planted-marks.txt" ] &&
        problem "stand-ins in $folder ran: $(tr -d '\r' <"$folder/planted-marks.txt" | tr '\n' ';' | head -c 800)"
done
[ "$problems" -eq 0 ] && echo "ok: no stand-in left a mark"
finish "PASS: planted: every command ran the system's own programs; no stand-in ran"
