# Shared by the scripts: paths, the Japanese locale Wine takes its code page
# from, and a private X display when there is none.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VORLEN_BUILD_DIR:-$root/build}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}

# Starts Xvfb on a free display and exports DISPLAY, unless one is set.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    # Without auto-repeat (-r): a key that xdotool presses and, on a busy
    # machine, releases only after the repeat delay would otherwise arrive
    # several times.
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -r >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
}
