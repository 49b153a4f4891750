#!/usr/bin/env bash
# The command line "vorlen.exe /export PATH": writes the list as the File
# menu's export does and ends with status 0; a missing path or an unknown
# argument ends with status 2 and writes nothing; a path in a folder that
# does not exist ends with status 1 and an error text on standard error.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lib-tools.sh"
trap e2e_cleanup EXIT
end_wine
scratch=$(mktemp -d /tmp/vorlen-cli.XXXXXX)

# A good call: status 0, the list in UTF-8 with a byte-order mark (the entry
# NonAnsiName holds characters outside code page 932).
list=$scratch/list.csv
cli_export "$exe" "$list"
echo "ok: /export ended with status 0 and wrote the file"
cp "$list" "$out/cliexport-list.csv"
expect_equal "$(head -c 3 "$list" | od -An -tx1 | tr -d ' ')" efbbbf "the file begins with the UTF-8 byte-order mark"
expect_equal "$(csv_first_line "$list")" "$list_heading" "the first line is the heading line, the place column last"
expect_crlf_lines "$list" "the list export"
grep -aqxF $'Vorlen Sample,"ヴォルレン サンプル 1.0","""C:\\Program Files\\Vorlen Sample\\uninst.exe"" /lang=ja","HKLM"\r' "$list" ||
    fail "no line for Vorlen Sample with its quote characters doubled and its place"
echo "ok: the line of Vorlen Sample is written with its inner quotes doubled"
grep -aqF 'NonAnsiName,"Crème Brûlée Ünicode ☃ 𝄞 Editor"' "$list" || fail "the line of NonAnsiName does not hold its name intact"
echo "ok: NonAnsiName keeps its characters outside code page 932"
# Under the default settings (no Kestrin.ini beside the program) entries
# without a program name, without an uninstall command and hotfixes are left out.
[ ! -e "$(dirname "$exe")/Kestrin.ini" ] || echo "note: $(dirname "$exe")/Kestrin.ini exists"
if [ ! -e "$(dirname "$exe")/Kestrin.ini" ]; then
    for key in NoDisplayName EmptyUninstallString KB873339; do
        grep -aq "^$key," "$list" && fail "the entry $key is in the list under the default settings"
    done
    echo "ok: entries without a name or command and hotfixes are left out by default"
fi
# Every data row names a sub-key of its place's uninstall key, once.
uninstall_path='\Microsoft\Windows\CurrentVersion\Uninstall'
for place in 'HKLM|HKEY_LOCAL_MACHINE\SOFTWARE' 'HKLM 32 ビット|HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node' \
    'HKCU|HKEY_CURRENT_USER\SOFTWARE'; do
    key=${place#*|}$uninstall_path
    reg64 query "$key" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' |
        PREFIX="$key\\" PLACE="${place%%|*}" awk 'index($0, ENVIRON["PREFIX"]) == 1 {
            print ENVIRON["PLACE"] "\t" substr($0, length(ENVIRON["PREFIX"]) + 1) }'
done | sort >"$scratch/keys"
[ "$(wc -l <"$scratch/keys")" -gt 10 ] || fail "reg query lists fewer than 11 sub-keys of the uninstall keys"
tail -n +2 "$list" | tr -d '\r' | sed -n 's/^\([^,]*\),.*,"\([^"]*\)"$/\2\t\1/p' | sort >"$scratch/exported-keys" || true
rows=$(($(line_count "$list") - 1))
[ "$rows" -ge 20 ] || fail "the list export holds $rows data rows, fewer than 20"
[ -z "$(uniq -d "$scratch/exported-keys")" ] || fail "entries exported twice: $(uniq -d "$scratch/exported-keys" | head -n 3)"
missing=$(comm -23 "$scratch/exported-keys" "$scratch/keys")
[ -z "$missing" ] || fail "exported entries that are no sub-keys of their place's uninstall key: $(echo "$missing" | head -n 3)"
echo "ok: the $rows data rows name distinct sub-keys of their places' uninstall keys"

# Bad arguments: status 2, nothing written.
run_status() {
    local status=0
    (cd "$scratch/cwd" && wine64 "$exe" "$@" >"$scratch/stdout" 2>"$scratch/stderr") || status=$?
    echo "$status"
    [ "$status" -eq "$expected_status" ] ||
        echo "note: vorlen.exe $* printed: $(iconv -f CP932 -t UTF-8 "$scratch/stderr" 2>/dev/null | head -c 400)" >&2
}
expected_status=2
mkdir -p "$scratch/cwd"
expect_equal "$(run_status /export)" 2 "/export without a path ends with status 2"
expect_equal "$(ls -A "$scratch/cwd")" "" "/export without a path writes nothing"
expect_equal "$(run_status /exprt "$(win_path "$scratch/cwd/typo.csv")")" 2 "an unknown switch ends with status 2"
[ ! -e "$scratch/cwd/typo.csv" ] || fail "an unknown switch still wrote the file"
expect_equal "$(run_status /export "$(win_path "$scratch/cwd/one.csv")" "$(win_path "$scratch/cwd/two.csv")")" 2 "two paths end with status 2"
expect_equal "$(ls -A "$scratch/cwd")" "" "a call with two paths writes nothing"

# A folder that does not exist: status 1 and an error text.
expected_status=1
expect_equal "$(run_status /export 'Q:\nowhere\x.csv')" 1 "/export into a missing folder ends with status 1"
iconv -f CP932 -t UTF-8 <"$scratch/stderr" >"$scratch/stderr.utf8" 2>/dev/null || cp "$scratch/stderr" "$scratch/stderr.utf8"
cat "$scratch/stdout" >>"$scratch/stderr.utf8"
grep -aqF 'エクスポートエラー' "$scratch/stderr.utf8" || fail "no 'エクスポートエラー' text was printed: $(head -c 300 "$scratch/stderr.utf8")"
grep -aqF 'Q:\nowhere\x.csv' "$scratch/stderr.utf8" || fail "the error text does not name the path: $(head -c 300 "$scratch/stderr.utf8")"
echo "ok: the error text names the export error and the path"

finish "PASS: cliexport"
