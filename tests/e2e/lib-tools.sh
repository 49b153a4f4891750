# Helpers of the end-to-end scripts of the export, the tools, the REG
# commands and the dialogs (sourced after lib.sh).

# The Windows path (drive Z:) of a Linux path.
win_path() { printf 'Z:%s' "${1//\//\\}"; }

# The heading line of a list export and of a detail export, without CR LF.
list_heading='キー名,"プログラム名　[DisplayName]","アンインストール コマンド　[UninstallString]","場所"'
detail_heading='名前,"種類","データ"'
utf8_bom=$'\xef\xbb\xbf'

# Runs "$1 /export FILE" (FILE the Linux path $2) and fails unless the exit
# status is 0 and the file was written.
cli_export() {
    local status=0
    wine64 "$1" /export "$(win_path "$2")" >"$2.output" 2>&1 || status=$?
    [ "$status" -eq 0 ] ||
        fail "vorlen.exe /export ended with status $status, not 0; it printed: $(iconv -f CP932 -t UTF-8 "$2.output" 2>/dev/null | head -c 600)"
    rm -f "$2.output"
    [ -s "$2" ] || fail "vorlen.exe /export wrote no file $2"
}

# Prints the first line of CSV file $1 without a UTF-8 byte-order mark and CR LF.
csv_first_line() { head -n 1 "$1" | sed $'1s/^\xef\xbb\xbf//; s/\r$//'; }

# Fails unless every line of file $1 ends in CR LF (and the file is not empty).
expect_crlf_lines() {
    [ -s "$1" ] || fail "$2: the file is empty"
    [ "$(tail -c 2 "$1" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$2: the last line does not end in CR LF"
    local bare
    bare=$(LC_ALL=C grep -c $'[^\r]$' "$1" || true)
    [ "$bare" -eq 0 ] || fail "$2: $bare line(s) end in LF without CR"
    echo "ok: $2: every line ends in CR LF"
}

# Prints how many lines file $1 has.
line_count() { LC_ALL=C wc -l <"$1" | tr -d ' '; }

# Prints the id of an X window titled as the main window that is not the
# main window itself (the export's message box carries the main window's
# caption), waiting up to $1 seconds.
wait_for_main_titled_box() {
    local seconds=${1:-20} id
    for _ in $(seq 1 $((seconds * 4))); do
        for id in $(xdotool search --onlyvisible --name "$main_pattern" 2>/dev/null || true); do
            [ "$id" != "$main_window" ] && { echo "$id"; return 0; }
        done
        sleep 0.25
    done
    return 1
}

# Gives X window $1 the input focus, types the keys $2..., and waits up to
# 10 s for the window to go away.
keys_to_window_until_closed() {
    local id=$1
    shift
    xdotool windowraise "$id" 2>/dev/null || true
    xdotool windowfocus "$id" 2>/dev/null || true
    sleep 0.2
    keys "$@"
    for _ in $(seq 1 40); do
        grep -q 'IsViewable' <(xwininfo -id "$id" 2>/dev/null) || return 0
        sleep 0.25
    done
    return 1
}

# Waits up to $2 seconds for file $1 to exist and stop growing.
wait_for_file() {
    local file=$1 seconds=${2:-20} size=-1
    for _ in $(seq 1 $((seconds * 4))); do
        if [ -s "$file" ]; then
            [ "$(stat -c %s "$file")" = "$size" ] && return 0
            size=$(stat -c %s "$file")
        fi
        sleep 0.25
    done
    return 1
}

# Drives the Save-As dialog that has just been asked for: waits for it,
# checks its title, types the file name $1 (ASCII) into its file-name box and
# presses Enter; $2 names the screenshot taken of it.
save_as() {
    local dialog
    dialog=$(wait_for_window '^名前を付けて保存$' 20) || fail "no dialog titled '名前を付けて保存' within 20 s"
    sleep 0.3
    activate_window '名前を付けて保存' "$dialog"
    [ -z "${2:-}" ] || screenshot "$2"
    type_text "$1"
    keys Return
    wait_for_no_window_named '^名前を付けて保存$' 10 || fail "the Save-As dialog did not close after Enter on '$1'"
}

# Waits up to $2 seconds until no visible X window's name matches $1.
wait_for_no_window_named() {
    local pattern=$1 seconds=${2:-20}
    for _ in $(seq 1 $((seconds * 4))); do
        xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
        sleep 0.25
    done
    return 1
}

# Prints "pid command line" of the processes of this script's prefix whose
# command line matches the extended regular expression $1 (case-insensitive).
prefix_processes() {
    local pid args
    while read -r pid args; do
        grep -qxF "WINEPREFIX=$WINEPREFIX" <(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null) || continue
        printf '%s %s\n' "$pid" "$args"
    done < <(ps -eo pid=,args= | sed 's/^[[:space:]]*//; s/[[:space:]]*$//' | grep -aiE -- "$1" | grep -av grep || true)
}

# Waits up to $2 seconds for a process of this prefix matching $1 and prints its line.
wait_for_prefix_process() {
    local line
    for _ in $(seq 1 $((${2:-20} * 4))); do
        line=$(prefix_processes "$1" | head -n 1)
        [ -n "$line" ] && { echo "$line"; return 0; }
        sleep 0.25
    done
    return 1
}

# Ends the processes of this prefix matching $1, by their ids.
end_prefix_processes() {
    local pid
    for pid in $(prefix_processes "$1" | cut -d' ' -f1); do kill "$pid" 2>/dev/null || true; done
}

# Command-line tracing: when process_trace names a file, Vorlen started by
# start_vorlen runs with Wine's "process" trace channel, which writes the
# command line of every process it creates into that file (a tool that shows
# nothing under Wine, regsvr32 without arguments, is seen only there).
process_trace=
wine64() {
    if [ -n "$process_trace" ] && [ "${1:-}" = "$exe" ]; then
        WINEDEBUG=trace+process "$wine64_script" "$@" 2>>"$process_trace"
    else
        "$wine64_script" "$@"
    fi
}

# Waits up to $2 seconds for Vorlen to create a process with the command line
# $1 exactly (as the trace writes it: backslashes and quotes escaped).
wait_for_traced_command() {
    local wanted="cmdline L\"$1\""
    for _ in $(seq 1 $((${2:-20} * 4))); do
        grep -aqF -- "CreateProcessInternalW app (null) $wanted" "$process_trace" 2>/dev/null && return 0
        sleep 0.25
    done
    return 1
}
