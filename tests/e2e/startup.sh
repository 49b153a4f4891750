#!/usr/bin/env bash
# Starting Vorlen on the prefix with installed software: the window appears
# with the title of the running Windows version, is drawn, and the registry
# is left byte for byte as it was in all three places it reads.
source "$(dirname "$0")/lib.sh"
trap end_wine EXIT
end_wine

# The machine's key in both views and the user's key.
export_places() {
    export_uninstall_key "$out/startup-$1.reg"
    wine reg export "$uninstall_key" "$out/startup-$1-32.reg" /y /reg:32 >/dev/null 2>&1 || fail "reg export /reg:32 failed"
    wine reg export "HKCU\\${uninstall_key#HKLM\\}" "$out/startup-$1-user.reg" /y >/dev/null 2>&1 || fail "reg export of the user's key failed"
}
export_places before

wine64 "$exe" &
title='Vorlen [Windows XP Professional Edition]'
window=$(wait_for_window "^Vorlen \[Windows XP Professional Edition\]$") || fail "no window titled '$title'"
echo "window $window: $(xdotool getwindowname "$window")"
end_wine

# The same start in a virtual desktop, which draws the window frame, for the picture.
wine64 explorer /desktop=VorlenE2E,1024x640 "$exe" &
wait_for_window "VorlenE2E" 40 >/dev/null || fail "the virtual desktop did not open"
sleep 6
screenshot startup
end_wine

export_places after
for file in startup-{before,after}{,-32,-user}.reg; do [ -s "$out/$file" ] || fail "$file is empty"; done
for part in "" -32 -user; do
    cmp -s "$out/startup-before$part.reg" "$out/startup-after$part.reg" || fail "the uninstall key ($part) changed while Vorlen ran"
done
echo "startup: window titled '$title', registry unchanged; screenshot $out/startup.png"
