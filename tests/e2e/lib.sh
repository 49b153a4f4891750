# Helpers of the end-to-end scripts: waiting for windows, screenshots, and
# ending the programs of the prefix.
set -euo pipefail
exe=${1:?usage: $0 vorlen.exe output-folder}
out=${2:?usage: $0 vorlen.exe output-folder}
mkdir -p "$out"
: "${DISPLAY:?the end-to-end tests need an X display (scripts/test starts one)}"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints the id of the first X window whose name matches, waiting up to $2 seconds.
wait_for_window() {
    local pattern=$1 seconds=${2:-40} id
    for _ in $(seq 1 $((seconds * 4))); do
        id=$(xdotool search --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.25
    done
    return 1
}

screenshot() { import -window root "$out/$1.png"; }

end_wine() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }

uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
export_uninstall_key() { wine reg export "$uninstall_key" "$1" /y >/dev/null 2>&1 || fail "reg export failed"; }
