#!/usr/bin/env bash
# Starting Vorlen on the prefix with installed software: the window appears
# with the title of the running Windows version, is drawn, and the registry
# is left byte for byte as it was.
source "$(dirname "$0")/lib.sh"
trap end_wine EXIT
end_wine

export_uninstall_key "$out/startup-before.reg"

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

export_uninstall_key "$out/startup-after.reg"
cmp -s "$out/startup-before.reg" "$out/startup-after.reg" || fail "the uninstall key changed while Vorlen ran"
echo "startup: window titled '$title', registry unchanged; screenshot $out/startup.png"
