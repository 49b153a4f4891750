#!/usr/bin/env bash
# The status bar's entry panel as a user sees it, at 96 and 144 DPI: on the
# fixture prefix (the demo prefix's entries) the system component, the
# package without removal, the update and the entry whose uninstaller is gone
# each show their text in the panel, and a plain entry shows none. A
# screenshot of each is saved in the test output to be looked at. Vorlen runs
# from a folder of its own whose Kestrin.ini lists entries without an
# uninstall command too (Windows Installer writes none with NoRemove).
source "$(dirname "$0")/lib.sh"
desktop_key='HKCU\Control Panel\Desktop'
set_dpi() { wine reg add "$desktop_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || fail "cannot set LogPixels $1"; }
more_cleanup() { wine reg delete "$desktop_key" /v LogPixels /f >/dev/null 2>&1 || true; end_wine; }
trap e2e_cleanup EXIT

scratch=$(mktemp -d /tmp/vorlen-e2e.XXXXXX)
mkdir -p "$scratch/app"
cp "$exe" "$scratch/app/vorlen.exe"
exe=$scratch/app/vorlen.exe
printf '[Settings]\r\nDisplayName=0\r\nUninstallString=0\r\n' >"$scratch/app/Kestrin.ini"

# Prints how many dark pixels (text) the entry panel shows: the right half
# of the status bar, inside its edges, left of the size grip.
panel_text_pixels() {
    local status_height=$(((375 * dpi + 720) / 1440)) x y
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$((X + client_width / 2)) y=$((Y + menu_height + client_height - status_height + 3))
    import -window root -crop "$((client_width / 2 - status_height))x$((status_height - 6))+$x+$y" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
        awk '$1 < 90 && $2 < 90 && $3 < 90 { n++ } END { print n + 0 }'
}
panel_shows_text() { [ "$(panel_text_pixels)" -gt 20 ]; }
panel_is_empty() { [ "$(panel_text_pixels)" -eq 0 ]; }

for dpi in 96 144; do
    end_wine
    set_dpi "$dpi"
    # The design client area at this DPI.
    client_width=$(((9420 * dpi + 720) / 1440)) client_height=$(((4950 * dpi + 720) / 1440))
    start_vorlen
    for entry in "{6D2F5A10-0008-4B7E-9C31-5E0000000008}:system-component" \
        "{6D2F5A10-0004-4B7E-9C31-5E0000000004}:no-remove" "Vorlen Sample KB100001:update" \
        "Vorlen Orphan:orphaned" "Vorlen Sample:plain"; do
        key=${entry%:*} name=${entry##*:}
        select_entry "$key"
        if [ "$name" = plain ]; then
            within 10 panel_is_empty || problem "$dpi DPI: the panel shows text for $key, whose uninstaller exists"
        else
            within 10 panel_shows_text || problem "$dpi DPI: the panel shows no text for the $name entry $key"
        fi
        screenshot_main "entry-notes-$dpi-$name"
    done
    close_window "$main_title" "$main_window"
    echo "$dpi DPI: screenshots $out/entry-notes-$dpi-*.png"
done
finish "entry-notes: the panel speaks of the system component, no-remove, update and orphaned entries, not of a plain one"
