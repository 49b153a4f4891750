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

layout_tool=${VORLEN_E2E_LAYOUT:?the layout helper (window-layout.exe) is not given}

# Prints the status bar as the layout helper sees it from outside: its
# rectangle in client pixels and the text lengths of its two panels.
status_bar() { wine64 "$layout_tool" "$main_title" 2>/dev/null | tr -d '\r' | awk '$1 == "msctls_statusbar32" { print $3, $4, $5, $6, $9, $10 }'; }
entry_panel_length() { status_bar | awk '{ print $6 }'; }

# Prints how many dark pixels (text) the status bar shows right of its
# middle, inside its edges, left of the size grip.
panel_text_pixels() {
    local left top right bottom x y
    read -r left top right bottom _ _ < <(status_bar)
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    x=$((X + (left + right) / 2)) y=$((Y + menu_height + top + 3))
    import -window root -crop "$(((right - left) / 2 - (bottom - top)))x$((bottom - top - 6))+$x+$y" +repage -depth 8 txt:- |
        sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
        awk '$1 < 90 && $2 < 90 && $3 < 90 { n++ } END { print n + 0 }'
}
# The panel holds a text of $1 characters and shows it.
panel_shows_text() { [ "$(entry_panel_length)" -eq "$1" ] && [ "$(panel_text_pixels)" -gt 20 ]; }
panel_is_empty() { [ "$(entry_panel_length)" -eq 0 ] && [ "$(panel_text_pixels)" -eq 0 ]; }

for dpi in 96 144; do
    end_wine
    set_dpi "$dpi"
    # The design client area at this DPI.
    client_width=$(((9420 * dpi + 720) / 1440)) client_height=$(((4950 * dpi + 720) / 1440))
    start_vorlen
    for entry in "{6D2F5A10-0008-4B7E-9C31-5E0000000008}:system-component:Windows の一覧には表示されません（SystemComponent）" \
        "{6D2F5A10-0004-4B7E-9C31-5E0000000004}:no-remove:Windows の一覧からはアンインストールできません（NoRemove）" \
        "Vorlen Sample KB100001:update:Windows では「Vorlen Sample」の更新プログラムとして表示されます（ParentKeyName）" \
        'Vorlen Orphan:orphaned:アンインストーラーが見つかりません: C:\Program Files\Vorlen Orphan\uninst.exe' \
        "Vorlen Sample:plain:"; do
        key=${entry%%:*} rest=${entry#*:}
        name=${rest%%:*} text=${rest#*:}
        select_entry "$key"
        if [ -z "$text" ]; then
            within 10 panel_is_empty || problem "$dpi DPI: the panel shows text for $key, whose uninstaller exists"
        else
            # The length from outside; the words themselves are in the screenshot.
            within 10 panel_shows_text "${#text}" ||
                problem "$dpi DPI: the panel of the $name entry $key does not show the ${#text} characters of '$text' (length $(entry_panel_length))"
        fi
        screenshot_main "entry-notes-$dpi-$name"
    done
    close_window "$main_title" "$main_window"
    echo "$dpi DPI: screenshots $out/entry-notes-$dpi-*.png"
done
finish "entry-notes: the panel speaks of the system component, no-remove, update and orphaned entries, not of a plain one"
