#!/usr/bin/env bash
# The Tool and Help menus as a user, each command checked by the program it
# starts (its command line, as Wine traces Vorlen's process creation, and
# its process or window): Registry Editor ("regedit.exe"), Add/Remove
# Programs ("control appwiz.cpl"), the Windows Installer help ("msiexec"),
# the Regsvr32 help ("regsvr32"), F1 (hh.exe on VorlenHelp.chm beside the
# program), and the version dialog "Kestrinのﾊﾞｰｼﾞｮﾝ情報" with its system
# information button: the message "現時点ではｼｽﾃﾑ情報を使用できません" when no
# registry value names the tool, msinfo32 when one does.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine

msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
reg64 query "$msinfo_key" /v PATH >/dev/null 2>&1 && fail "the prefix already names a system-information tool in $msinfo_key"
reg64 query 'HKLM\SOFTWARE\Microsoft\Shared Tools Location' /v MSINFO >/dev/null 2>&1 &&
    fail "the prefix already names a system-information folder in Shared Tools Location"
more_cleanup() { reg64 delete "$msinfo_key" /v PATH /f >/dev/null 2>&1 || true; wineserver -w; }

process_trace=$(mktemp /tmp/vorlen-tools-trace.XXXXXX)
start_vorlen
mv "$process_trace" "$scratch/trace"
process_trace=$scratch/trace

# Chooses a menu command by keys $1..., then checks the traced command line
# $2, a process of the prefix matching $3 and, when $4 is given, a window
# titled so; ends the process again. $5 names the screenshot.
check_tool() {
    local menu=$1 command=$2 process=$3 window=$4 shot=$5 line
    focus_main
    keys $menu
    wait_for_traced_command "$command" 20 || fail "$shot: Vorlen started no '$command' within 20 s"
    echo "ok: $shot: Vorlen started '$command'"
    line=$(wait_for_prefix_process "$process" 20) || fail "$shot: no process '$process' is running"
    echo "ok: $shot: the process runs: ${line#* }"
    if [ -n "$window" ]; then
        wait_for_window "$window" 20 >/dev/null || fail "$shot: no window titled '$window' within 20 s"
        echo "ok: $shot: its window '$window' is open"
    fi
    sleep 0.5
    screenshot "tools-$shot"
    end_prefix_processes "$process"
    sleep 0.5
}

check_tool "alt+t r" 'regedit.exe' '^[0-9]+ regedit\.exe$' '^レジストリ エディター$' regedit
check_tool "alt+t p" 'control appwiz.cpl' '^[0-9]+ control appwiz\.cpl$' '^プログラムの追加と削除$' appwiz
check_tool "alt+h w" 'msiexec' '^[0-9]+ msiexec$' '' msiexec

# regsvr32 without arguments: Wine's writes its usage to standard output and
# ends at once, where Windows shows a message box; only the start is checked.
focus_main
keys alt+h r
wait_for_traced_command 'regsvr32' 20 || fail "regsvr32: Vorlen started no 'regsvr32' within 20 s"
echo "ok: regsvr32: Vorlen started 'regsvr32'"
echo "SKIP: regsvr32 shows no usage window under Wine (it prints to standard output and ends)"

# F1: the help viewer on VorlenHelp.chm beside the program.
chm=$(win_path "$(cd "$(dirname "$exe")" && pwd)/VorlenHelp.chm")
[ -f "$(dirname "$exe")/VorlenHelp.chm" ] || fail "no VorlenHelp.chm beside $exe"
focus_main
keys F1
line=$(wait_for_prefix_process '^[0-9]+ hh\.exe ' 20) || fail "F1: no hh.exe process within 20 s"
expect_equal "${line#* }" "hh.exe $chm" "F1 starts hh.exe on the help file beside the program"
grep -aqF 'cmdline L"hh.exe ' "$process_trace" || fail "F1: the trace shows no command line beginning with hh.exe"
wait_for_window '^Vorlen ヘルプ$' 20 >/dev/null || fail "F1: no help window titled 'Vorlen ヘルプ' within 20 s"
sleep 1
screenshot tools-help
end_prefix_processes '^[0-9]+ hh\.exe '
sleep 0.5

# The version dialog, its system-information button without a registered tool.
focus_main
keys alt+h a
about=$(wait_for_window '^Kestrinのﾊﾞｰｼﾞｮﾝ情報$' 20) || fail "バージョン情報 opened no window titled 'Kestrinのﾊﾞｰｼﾞｮﾝ情報'"
sleep 0.5
screenshot tools-version
activate_window 'Kestrinのﾊﾞｰｼﾞｮﾝ情報' "$about"
keys alt+s
box=$(wait_for_window '^Kestrin$' 20) || fail "ｼｽﾃﾑ情報 without a registered tool showed no message titled 'Kestrin'"
sleep 0.5
screenshot tools-sysinfo-unavailable
[ -n "$(prefix_processes 'msinfo32')" ] && fail "msinfo32 was started although no registry value names it"
activate_window Kestrin "$box"
keys Return
wait_for_no_window_named '^Kestrin$' 10 || fail "the message did not close on Enter"
echo "ok: ｼｽﾃﾑ情報 without a registered tool shows a message titled 'Kestrin' and starts nothing"

# With the tool named in the registry the button starts it, by its path in quotes.
reg64 add "$msinfo_key" /v PATH /d 'C:\windows\system32\msinfo32.exe' /f >/dev/null 2>&1 || fail "cannot name msinfo32 in $msinfo_key"
activate_window 'Kestrinのﾊﾞｰｼﾞｮﾝ情報' "$about"
keys alt+s
wait_for_traced_command '\"C:\\windows\\system32\\msinfo32.exe\"' 20 || fail "ｼｽﾃﾑ情報 did not start C:\\windows\\system32\\msinfo32.exe named in the registry"
echo "ok: ｼｽﾃﾑ情報 starts the tool named in $msinfo_key"
sleep 0.5
end_prefix_processes 'msinfo32'
activate_window 'Kestrinのﾊﾞｰｼﾞｮﾝ情報' "$about"
keys Return
wait_for_no_window_named '^Kestrinのﾊﾞｰｼﾞｮﾝ情報$' 10 || fail "the version dialog did not close on Enter"
echo "ok: Enter closes the version dialog"

finish "PASS: tools"
