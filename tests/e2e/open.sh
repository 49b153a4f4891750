#!/usr/bin/env bash
# Opening folders and web addresses as a user: Ctrl+F on the uninstall
# command box of "Vorlen Sample" opens Explorer on its folder; Ctrl+F on the
# InstallLocation cell of Vorlen Tool 1.2's detail ("C:\Program Files\Tool
# 1.2\", cut at the first point) opens "C:\Program Files"; Ctrl+W on its
# URLInfoAbout cell and on an address typed into the program-name box hands
# the address, letter case kept, to the web browser. Explorer's windows are
# found by their titles (the folder's name); the browser is a recording
# script named in Wine's browser setting (HKCU\Software\Wine\WineBrowser,
# Browsers), which winebrowser, Wine's handler of http and https, starts with
# the address.
source "$(dirname "$0")/lib.sh"
trap e2e_cleanup EXIT
end_wine

browser_key='HKCU\Software\Wine\WineBrowser'
browser_key_existed=no
wine reg query "$browser_key" >/dev/null 2>&1 && browser_key_existed=yes
previous_browsers=$(wine reg query "$browser_key" /v Browsers 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Browsers *REG_SZ *//p' || true)
# Puts the prefix's browser setting back as it was.
more_cleanup() {
    if [ -n "$previous_browsers" ]; then
        wine reg add "$browser_key" /v Browsers /d "$previous_browsers" /f >/dev/null 2>&1
    elif [ "$browser_key_existed" = yes ]; then
        wine reg delete "$browser_key" /v Browsers /f >/dev/null 2>&1
    else
        wine reg delete "$browser_key" /f >/dev/null 2>&1
    fi
    wineserver -w
}

start_vorlen
browser=$scratch/browser
received=$scratch/browser-received
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$received" >"$browser"
chmod +x "$browser"
wine reg add "$browser_key" /v Browsers /d "$browser" /f >/dev/null 2>&1 || fail "cannot name the recording browser in $browser_key"

# Waits for the recording browser and checks that it got exactly the address $1.
expect_browser_address() {
    for _ in $(seq 1 80); do
        [ -s "$received" ] && break
        sleep 0.25
    done
    [ -s "$received" ] || fail "$2: no browser was started within 20 s"
    sleep 0.3
    expect_file_text "$received" "$1"$'\n' "$2"
    rm -f "$received"
}

# Ctrl+F in the uninstall-command box of Vorlen Sample: the command
# '"C:\Program Files\Vorlen Sample\uninst.exe" /lang=ja' names the folder
# C:\Program Files\Vorlen Sample.
focus_grid
select_entry 'Vorlen Sample'
click_box 2
keys End shift+Home
copy_to_file "$scratch/box"
expect_file_text "$scratch/box" '"C:\Program Files\Vorlen Sample\uninst.exe" /lang=ja' "the uninstall-command box holds the command"
keys End
keys ctrl+f
explorer=$(wait_for_window '^Vorlen Sample$' 30) || fail "Ctrl+F opened no Explorer window titled 'Vorlen Sample' within 30 s"
echo "ok: Ctrl+F on the uninstall command opened Explorer on 'Vorlen Sample' (window $explorer)"
sleep 1
screenshot open-folder
close_window 'Vorlen Sample' "$explorer"

# The detail view of Vorlen Tool 1.2: find the rows of two values.
focus_main
focus_grid
select_entry '{6D2F5A10-0003-4B7E-9C31-5E0000000003}'
click_detail_button
focus_grid
copy_whole_grid "$scratch/detail"
row_of() {
    local index
    index=$(awk -F'\t' -v name="$1" '{ sub(/\r$/, "") } $1 == name { print NR; exit }' "$scratch/detail")
    [ -n "$index" ] || fail "the detail of Vorlen Tool 1.2 has no value $1"
    echo "$index"
}
# Makes the data cell of row $1 of the detail current.
go_to_data_cell() {
    keys ctrl+Home
    [ "$1" -gt 1 ] && xdotool key --delay 10 $(printf 'Down %.0s' $(seq 2 "$1"))
    keys End
}
location_row=$(row_of InstallLocation)
url_row=$(row_of URLInfoAbout)

go_to_data_cell "$location_row"
expect_equal "$(copy_cell)" 'C:\Program Files\Tool 1.2\' "the InstallLocation cell is current"
keys ctrl+f
explorer=$(wait_for_window '^Program Files$' 30) ||
    fail "Ctrl+F on 'C:\\Program Files\\Tool 1.2\\' opened no Explorer window titled 'Program Files' within 30 s"
echo "ok: Ctrl+F on the InstallLocation cell opened Explorer on 'Program Files' (window $explorer)"
sleep 1
screenshot open-folder-cut
close_window 'Program Files' "$explorer"

focus_main
focus_grid
go_to_data_cell "$url_row"
expect_equal "$(copy_cell)" 'http://tools.example.net/Tool12/ReadMe.TXT' "the URLInfoAbout cell is current"
rm -f "$received"
keys ctrl+w
expect_browser_address 'http://tools.example.net/Tool12/ReadMe.TXT' "Ctrl+W on the URLInfoAbout cell opens its address"

# An address typed into the program-name box in the list view. Wine's
# winebrowser writes the scheme and the host name in lower case, as every
# browser reads them; the path reaches it as typed.
click_detail_button
set_box_text 1 'HTTPS://www.example.com/Vorlen/Typed/Index.HTML?Lang=JA'
screenshot_main open-typed-address
keys ctrl+w
expect_browser_address 'https://www.example.com/Vorlen/Typed/Index.HTML?Lang=JA' "Ctrl+W on a typed address opens it"

end_wine
finish "open: folders opened in Explorer and addresses handed to the browser; screenshots in $out/open-*.png"
