#!/usr/bin/env bash
# The main window at 96, 144 and 192 DPI, set as a Windows user sets it
# (Wine reads the user's LogPixels): at each DPI a screenshot in the test
# output, the fixed places of the layout scaled to that DPI, no control
# overlapping another or leaving the client area, and the information
# frame holding its labels, boxes, toggles and buttons. Runs on a prefix of
# its own, whose DPI it sets and then removes again.
source "$(dirname "$0")/lib.sh"
layout_tool=${VORLEN_E2E_LAYOUT:?the layout helper (window-layout.exe) is not given}
desktop_key='HKCU\Control Panel\Desktop'

set_dpi() { wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || fail "cannot set LogPixels $1"; }
restore_dpi() { end_wine; wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 || true; end_wine; }
trap restore_dpi EXIT

# Twips of the layout to pixels at a DPI, rounded as MulDiv does.
pixels() { echo $((($1 * $2 + 720) / 1440)); }

# Checks the layout printed by window-layout.exe (file $1) at DPI $2.
check_layout() {
    local file=$1 dpi=$2
    local expected_grid="$(pixels 60 "$dpi") $(pixels 1620 "$dpi")"
    local grid
    grid=$(awk '$1 == "VorlenGrid" { print $3, $4; exit }' "$file")
    [ "$grid" = "$expected_grid" ] || problem "$dpi DPI: the list grid is at ($grid), not ($expected_grid)"
    while read -r line; do problem "$line"; done < <(awk -v dpi="$dpi" '
        $1 == "client" { width = $2 + 0; height = $3 + 0; next }
        {
            n++; kind[n] = $1 " " $2; left[n] = $3 + 0; top[n] = $4 + 0; right[n] = $5 + 0; bottom[n] = $6 + 0
            if (left[n] < 0 || top[n] < 0 || right[n] > width || bottom[n] > height)
                printf "%d DPI: %s %d (%d,%d)-(%d,%d) leaves the client area %dx%d\n", dpi, $1, $2, $3, $4, $5, $6, width, height
            if ($1 ~ /-group$/) frame = n
        }
        END {
            if (n < 10) printf "%d DPI: only %d controls shown\n", dpi, n
            for (i = 1; i <= n; i++) {
                inside = kind[i] ~ /^(Edit|Static|Button) /
                if (inside && (left[i] < left[frame] || top[i] < top[frame] || right[i] > right[frame] || bottom[i] > bottom[frame]))
                    printf "%d DPI: %s (%d,%d)-(%d,%d) is not inside the information frame\n", dpi, kind[i], left[i], top[i], right[i], bottom[i]
                if (i == frame) continue
                for (j = i + 1; j <= n; j++) {
                    if (j == frame) continue
                    if (left[i] < right[j] && left[j] < right[i] && top[i] < bottom[j] && top[j] < bottom[i])
                        printf "%d DPI: %s (%d,%d)-(%d,%d) overlaps %s (%d,%d)-(%d,%d)\n", dpi, kind[i], left[i], top[i], right[i], bottom[i], kind[j], left[j], top[j], right[j], bottom[j]
                }
            }
        }' "$file")
}

for dpi in 96 144 192; do
    end_wine
    set_dpi "$dpi"
    # A virtual desktop draws the window frame, for the picture.
    wine64 explorer /desktop=VorlenDpi,1280x800 "$exe" >/dev/null 2>&1 &
    wait_for_window VorlenDpi 40 >/dev/null || fail "$dpi DPI: the virtual desktop did not open"
    # The layout and the picture once the window has opened and drawn itself.
    wine64 "$layout_tool" "$main_title" VorlenDpi >/dev/null 2>&1 || fail "$dpi DPI: no window titled '$main_title'"
    sleep 4
    wine64 "$layout_tool" "$main_title" VorlenDpi >"$out/dpi-$dpi-layout.txt" 2>/dev/null ||
        fail "$dpi DPI: the layout of the main window cannot be read"
    screenshot "dpi-$dpi"
    check_layout "$out/dpi-$dpi-layout.txt" "$dpi"
    echo "$dpi DPI: $(($(wc -l <"$out/dpi-$dpi-layout.txt") - 1)) controls checked; screenshot $out/dpi-$dpi.png"
done
finish "dpi: the window at 96, 144 and 192 DPI keeps every control apart and inside its client area"
