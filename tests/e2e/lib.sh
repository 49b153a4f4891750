# Helpers of the end-to-end scripts: waiting for windows, screenshots, and
# ending the programs of the prefix; starting Vorlen and driving its main
# window with keys and clicks as a user would; reading the clipboard and
# what the window shows.
set -Eeuo pipefail
# No pipeline ends in a reader that stops at its first match (grep -q, awk's
# exit, head): the writer before it then dies of SIGPIPE when it writes more,
# and pipefail turns a match into a failure, or a failure into a pass, at
# random. Such readers read a file or a process substitution instead.
# A command that fails unexpectedly says where, so that no run ends unexplained.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND (status $?)" >&2' ERR
exe=${1:?usage: $0 vorlen.exe output-folder}
out=${2:?usage: $0 vorlen.exe output-folder}
mkdir -p "$out"
: "${DISPLAY:?the end-to-end tests need an X display (scripts/test starts one)}"
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# A failure leaves a screenshot of the whole screen beside the others, named
# after the script, so that a rare one can be seen after the run.
fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failed-$(basename "$0" .sh).png" 2>/dev/null || true
    exit 1
}
# xdotool presses and releases a key in two requests; on a busy machine the
# release can come after the X server's auto-repeat delay (660 ms), and the
# key then arrives several times (an extra Tab or Shift+Tab moves the focus
# past the control a step expects). The scripts' display repeats no key.
xset r off || fail "cannot turn the X display's auto-repeat off (xset, Debian x11-xserver-utils)"
# Ended from outside (a time-out, Ctrl+C), a script still runs its EXIT trap.
trap 'exit 130' INT HUP
trap 'exit 143' TERM

# Prints the id of the first X window whose name matches, waiting up to $2
# seconds; with a third argument "shown", of the first one on the screen.
wait_for_window() {
    local pattern=$1 seconds=${2:-40} id shown=()
    [ "${3:-}" != shown ] || shown=(--onlyvisible)
    for _ in $(seq 1 $((seconds * 4))); do
        id=$(xdotool search "${shown[@]}" --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.25
    done
    return 1
}

screenshot() { import -window root "$out/$1.png"; }

end_wine() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }

# Ends the programs of the prefix and removes the scratch files; a script
# sets `trap e2e_cleanup EXIT` and may define more_cleanup for its own.
e2e_cleanup() {
    end_wine
    if declare -F more_cleanup >/dev/null; then more_cleanup || true; fi
    [ -z "$scratch" ] || rm -rf "$scratch"
}

# Runs the rest of the script in a copy of the prefix, removed at the end,
# for a script that changes the prefix (uninstalls a program); sets
# more_cleanup. Wine's own DLLs and programs in system32, syswow64 and
# winsxs, over a gigabyte that Wine only reads, are hard links to the
# prefix's files: copying them took most of the script's time limit on a
# busy machine. Everything that programs write (the registry, Program
# Files, the users' folders, windows/ itself) is a real copy.
use_prefix_copy() {
    prefix_copy=$(mktemp -d /tmp/vorlen-e2e-prefix.XXXXXX)
    more_cleanup() { rm -rf "$prefix_copy"; }
    local windows=drive_c/windows linked
    tar -C "$WINEPREFIX" -cf - --exclude="./$windows/system32" --exclude="./$windows/syswow64" \
        --exclude="./$windows/winsxs" . | tar -C "$prefix_copy" -xf - || fail "cannot copy the prefix $WINEPREFIX"
    for linked in system32 syswow64 winsxs; do
        [ ! -d "$WINEPREFIX/$windows/$linked" ] ||
            cp -al "$WINEPREFIX/$windows/$linked" "$prefix_copy/$windows/" || fail "cannot link $windows/$linked"
    done
    export WINEPREFIX=$prefix_copy
}

# 64-bit programs start with Wine's 64-bit loader, as on a Wine without its
# 32-bit side (scripts/wine64 says why).
wine64_script=$e2e_dir/../../scripts/wine64
wine64() { "$wine64_script" "$@"; }

uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
# The registry tool on the machine's 64-bit view, the one Vorlen (a 64-bit
# program) reads: with Wine's 32-bit side installed, `wine reg` is the 32-bit
# reg.exe, which defaults to the 32-bit view.
reg64() { wine reg "$@" /reg:64; }
export_uninstall_key() { reg64 export "$uninstall_key" "$1" /y >/dev/null 2>&1 || fail "reg export failed"; }

# ---- The main window ---------------------------------------------------------

main_title='Vorlen [Windows XP Professional Edition]'
main_pattern='^Vorlen \[Windows XP Professional Edition\]$'
main_window=
menu_height=

# Places in the client area, in pixels at 96 DPI: the layout is in twips,
# 15 twips a pixel, and the window opens at its design size, 9420 x 4950
# twips. The info frame is at (60, 300); in it the boxes start at 2220 and
# are 5610 wide, the rows are at 180, 540 and 900, 315 high; the filter
# toggles are at 7890 (435 wide), the buttons at 8385 (795 wide). The grid
# is at (60, 1620) with a sunken edge of 2 pixels; its rows are 16 pixels high.
client_width=628 client_height=330
box_x=339 box_y=(42 66 90)           # the middle of the three info boxes
button_x=589 detail_button_y=42 run_button_y=90
grid_left=6 grid_right=600           # inside the grid's edge, left of its scroll bar
heading_top=110 row_height=16        # heading row at 110..125, data row r below it

# Starts Vorlen and waits for its main window; sets main_window and
# menu_height (Wine shows the top-level window without a frame: the X
# window is the menu bar above the client area).
start_vorlen() {
    [ -n "$scratch" ] || scratch=$(mktemp -d /tmp/vorlen-e2e.XXXXXX)
    start_wine_helper
    wine64 "$exe" >/dev/null 2>&1 &
    wait_for_main_window
    # The window takes keys once Ctrl+C in its list puts text on the
    # clipboard. Wine's bridge to the X clipboard starts with the desktop
    # process, and on starting it empties the Windows clipboard once (it
    # imports the X selection, holding the clipboard open meanwhile); the
    # scripts' copies are safe from that once the bridge has taken over a
    # copy of Vorlen's and offers it to X programs.
    for _ in $(seq 1 20); do
        clipboard_empty
        focus_main
        keys ctrl+c
        [ "$(helper_command "read 1 Z:${scratch//\//\\}\\ready" 11)" = ok ] && within 5 x_clipboard_holds_text &&
            return 0
    done
    fail "the main window takes no keys: Ctrl+C copies nothing within 20 s"
}

# Succeeds when an X program reads text from the clipboard selection.
x_clipboard_holds_text() { [ -n "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" ]; }

# Waits for the main window of a Vorlen just started; sets main_window and
# menu_height. While the program builds the window, still hidden, Wine's X
# window for it has the size of the whole frame, caption and borders
# included; once the window is shown, it is the client area and the menu bar
# only. A menu bar measured on the first would send every click a caption
# lower (a click meant for the key-name box reached the program-name box).
wait_for_main_window() {
    main_window=$(wait_for_window "$main_pattern" 40 shown) || fail "no window titled '$main_title' shown within 40 s"
    local geometry width height
    for _ in $(seq 1 40); do
        geometry=$(xdotool getwindowgeometry --shell "$main_window")
        width=$(sed -n 's/^WIDTH=//p' <<<"$geometry") height=$(sed -n 's/^HEIGHT=//p' <<<"$geometry")
        menu_height=$((height - client_height))
        [ "$width" = "$client_width" ] && [ "$menu_height" -gt 10 ] && [ "$menu_height" -lt 60 ] && return 0
        sleep 0.25
    done
    fail "the main window is $width x $height pixels, not the design client area $client_width x $client_height with a menu bar above it"
}

# Makes the top-level window titled $1 (X window $2) the active one, raised
# above the others and with the X input focus, as a click on it would with a
# window manager.
activate_window() {
    [ "$(helper_command "activate 10 $1" 20)" = ok ] || fail "the window '$1' cannot be activated"
    xdotool windowraise "$2" 2>/dev/null || true
    xdotool windowfocus "$2" 2>/dev/null || true
    sleep 0.1
}
focus_main() { activate_window "$main_title" "$main_window"; }

# Closes the top-level window titled $1 (X window $2) with Alt+F4.
close_window() {
    activate_window "$1" "$2"
    keys alt+F4
    for _ in $(seq 1 40); do
        xwininfo -id "$2" >/dev/null 2>&1 || return 0
        sleep 0.25
    done
    fail "the window '$1' does not close on Alt+F4"
}

# Types keys into the focused window (xdotool key names: ctrl+c, shift+Down, F5 ...).
keys() { xdotool key --delay 30 "$@"; sleep 0.05; }

# Types a text into the focused control.
type_text() { xdotool type --delay 30 -- "$1"; sleep 0.05; }

# Clicks at a point of the client area (pixels), left button or the one given.
click_client() {
    xdotool mousemove --window "$main_window" "$1" $(($2 + menu_height)) click "${3:-1}"
    sleep 0.05
}
# Clicks into info box $1 and waits until it has the keyboard focus.
# The control ids of the three info boxes (IDC_KEY_BOX and the two after it).
box_ids=(1010 1011 1012)
click_box() {
    click_client "$box_x" "${box_y[$1]}"
    # That box itself: the focus may already be in another box, which is an
    # Edit too, and the next key would then start from there.
    expect_focus "Edit#${box_ids[$1]}" "a click into info box $1"
}
click_detail_button() { click_client "$button_x" "$detail_button_y"; }
click_run_button() { click_client "$button_x" "$run_button_y"; }

# Replaces the text of info box $1 (0 key name, 1 program name, 2 uninstall
# command) with $2, leaving the focus in the box.
set_box_text() {
    click_box "$1"
    keys End shift+Home BackSpace
    [ -z "$2" ] || type_text "$2"
}

# Saves the main window as it is seen, with the menu bar, as $out/$1.png.
screenshot_main() {
    local x y
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$X y=$Y
    import -window root -crop "${client_width}x$((client_height + menu_height))+$x+$y" +repage "$out/$1.png"
}

# Prints how many distinct colours a rectangle of the client area (x y w h,
# pixels) shows now.
client_colours() {
    local x y
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$((X + $1)) y=$((Y + menu_height + $2))
    import -window root -crop "$3x$4+$x+$y" +repage -format %k info:
}

# Prints how many pixels of a rectangle of the client area (x y w h) are
# blue: strong blue, little red and green (text drawn in 0xFF0000 BGR).
client_blue_pixels() {
    local x y
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$((X + $1)) y=$((Y + menu_height + $2))
    import -window root -crop "$3x$4+$x+$y" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
        awk '$1 <= 90 && $2 <= 90 && $3 >= 200 { n++ } END { print n + 0 }'
}

# Runs a check until it succeeds, every 0.2 s for up to $1 seconds: the
# window draws a change a moment after the key or click that made it.
within() {
    local seconds=$1
    shift
    for _ in $(seq 1 $((seconds * 5))); do
        "$@" && return 0
        sleep 0.2
    done
    "$@"
}

# ---- Clipboard -------------------------------------------------------------------

# The Windows program that reads the clipboard and activates windows (built
# by the tests' CMake code; built here when a script runs on its own).
wine_helper=${VORLEN_E2E_HELPER:-}
if [ -z "$wine_helper" ]; then
    wine_helper=$out/e2e-tools/wine-helper.exe
    if [ ! "$wine_helper" -nt "$e2e_dir/wine-helper.c" ]; then
        mkdir -p "$out/e2e-tools"
        x86_64-w64-mingw32-gcc -O2 -static -o "$wine_helper" "$e2e_dir/wine-helper.c" ||
            fail "cannot build the Wine helper"
    fi
fi
[ -f "$wine_helper" ] || fail "the Wine helper $wine_helper is missing (build the project first)"

# Scratch files of the run (an ASCII path the Wine helper can write to
# through Wine's drive Z:), made by start_vorlen and removed at the end.
scratch=

# One Wine helper serves the whole run (start_vorlen starts it).
start_wine_helper() {
    coproc WINE_HELPER { exec wine "$wine_helper" --serve 2>/dev/null; }
}

# Sends one command to the Wine helper and prints its answer, waiting up to
# $2 seconds for it.
helper_command() {
    printf '%s\n' "$1" >&"${WINE_HELPER[1]}" || fail "the Wine helper has ended"
    local answer
    read -r -t "$2" answer <&"${WINE_HELPER[0]}" || fail "the Wine helper did not answer '$1' within $2 s"
    echo "$answer"
}

clipboard_empty() {
    [ "$(helper_command empty 10)" = ok ] || fail "cannot empty the Windows clipboard"
}

# Writes the clipboard's text, byte for byte, to file $1 (under $scratch),
# waiting up to $2 seconds (default 10) for text to arrive; fails when none
# does, naming the clipboard as $3 says.
clipboard_to_file() {
    local seconds=${2:-10}
    [ "$(helper_command "read $seconds Z:${1//\//\\}" $((seconds + 10)))" = ok ] ||
        fail "${3:-the clipboard} holds no text"
}

# Succeeds when the clipboard holds no text or an empty one (nothing to
# paste), waiting up to $1 seconds for that.
clipboard_becomes_empty() {
    [ "$(helper_command "wait-empty $1" $(($1 + 10)))" = ok ]
}

# Copies with Ctrl+C into an emptied clipboard and writes what was copied to
# file $1.
copy_to_file() {
    clipboard_empty
    keys ctrl+c
    clipboard_to_file "$1" 10 "after Ctrl+C, the clipboard"
}

# Copies the focused grid's current cell with Ctrl+C and prints its text; the
# copy must be the cell's text and one CR LF.
copy_cell() {
    local file=$scratch/cell
    copy_to_file "$file"
    [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] ||
        fail "the copied cell does not end in CR LF: $(od -c "$file" | head -n 3)"
    head -c -2 "$file"
}

# Compares file $1 with the expected text $2 byte for byte; $3 names the check.
expect_file_text() {
    if ! printf '%s' "$2" | cmp -s - "$1"; then
        echo "FAIL: $3" >&2
        echo "--- expected:" >&2; printf '%s' "$2" | od -c | head -n 40 >&2
        echo "--- got:" >&2; od -c "$1" | head -n 40 >&2
        exit 1
    fi
    echo "ok: $3"
}

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
    echo "ok: $3"
}

# ---- Grid ------------------------------------------------------------------------

# With the focus on a grid, copies the whole grid (every column but the number, every
# data row, hidden rows included) into file $1, as tab-separated lines.
copy_whole_grid() {
    keys ctrl+Home shift+ctrl+End
    copy_to_file "$1"
}

# With the focus on the list grid, makes the row of key name $1 current
# (column 1), found in the copy of the whole list, and checks it.
select_entry() {
    local file=$scratch/whole-list index
    copy_whole_grid "$file"
    index=$(awk -F'\t' -v key="$1" '{ sub(/\r$/, "") } $1 == key { print NR; exit }' "$file")
    [ -n "$index" ] || fail "no row with the key name '$1' in the list"
    keys ctrl+Home
    [ "$index" -gt 1 ] && xdotool key --delay 20 $(printf 'Down %.0s' $(seq 2 "$index"))
    expect_equal "$(copy_cell)" "$1" "the row of '$1' is selected"
}

# Focus moves as a user does it: from the key-name box one step back in the
# tab order reaches the grid that is in use (the list grid in the list view,
# the detail grid, last in the tab order, in the detail view).
focus_grid() {
    click_box 0
    keys shift+Tab
    expect_focus VorlenGrid "Shift+Tab from the key-name box"
}

# Waits until a popup menu (a drop-down of the menu bar or a context menu)
# is on the screen; $1 says what should have opened it.
wait_for_menu() {
    local answer
    answer=$(helper_command "menu 10" 20)
    [ "${answer%% *}" = ok ] || fail "$1 opens no menu within 10 s"
}

# Waits until the control with the keyboard focus in the foreground window
# is of window class $1 (Edit, Button, VorlenGrid ...); $2 says what should
# have put it there.
expect_focus() {
    local answer
    answer=$(helper_command "focus 10 $1" 20)
    [ "$answer" = ok ] ||
        fail "$2 leaves the focus in a window of class '${answer#none }', not $1 (menu bar $menu_height pixels high; pointer at $(xdotool getmouselocation 2>/dev/null || true))"
}

# ---- Checks that let the script go on ---------------------------------------------

# A fault seen on the screen that does not derail the following steps is
# counted here, so that one run shows every such fault; finish fails then.
problems=0
problem() { echo "FAIL: $*" >&2; problems=$((problems + 1)); }
finish() {
    [ "$problems" -eq 0 ] || { echo "$problems check(s) failed" >&2; exit 1; }
    echo "$1"
}
