#!/usr/bin/env bash
# Reads the tables of the 32-bit deliverable, which cannot run here:
#   check_dll32_tables.sh netprep.dll netprep.def allowed-imports.txt
set -u
dll=$1 def=$2 allowed=$3
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

info=$($objdump -p "$dll") || { echo "cannot read $dll"; exit 1; }

$objdump -f "$dll" | grep -q 'file format pei-i386' || fail "not a PE32 i386 file"
grep -q '^Name .*netprep\.dll$' <<<"$info" || fail "export table does not name netprep.dll"

# Ordinals: the rank of each name among all exports in byte order.
all_exports="CheckValidHostname CloseControlPanel CloseToolTrayIcon ConfigureISP
GetVersionFromVersionFile InsertHostName IpLoaded IsControlPanelOpen IsINMClientRunningApps
IsRunningINM95 IsRunningIPM95 NewerVersionInstalled PhoneBookExists RegDBDeleteValue
RemoveHostName RemoveOldHostName StopINM95 StopINMClient95 StopINMSwitch StopIPM95
VerifyMicrosoftWinsock"
declare -A rank
i=1
for name in $(tr ' ' '\n' <<<"$all_exports" | LC_ALL=C sort); do rank[$name]=$i; i=$((i + 1)); done

# What the DLL exports: "ordinal name" from winedump.
exports=$(winedump -j export "$dll" | awk '/^ +[0-9A-F]+ +[0-9]+ +[A-Za-z_@]/ {print $2, $3}')
def_names=$(awk '$1 ~ /^[A-Za-z]/ && $2 ~ /^@/ {print $1}' "$def")
for name in $def_names; do
    [ -n "${rank[$name]:-}" ] || { fail "$name is not a known export"; continue; }
    def_ordinal=$(awk -v n="$name" '$1 == n {sub("@", "", $2); print $2}' "$def")
    [ "$def_ordinal" = "${rank[$name]}" ] || fail "$name is @$def_ordinal in the .def, expected @${rank[$name]}"
    grep -qx "${rank[$name]} $name" <<<"$exports" || fail "$name is not exported at ordinal ${rank[$name]}"
done
for name in $all_exports; do
    grep -qx "$name" <<<"$def_names" || fail "$name is missing from the .def"
done
while read -r ordinal name; do
    [ -z "$ordinal" ] && continue
    grep -qx "$name" <<<"$def_names" || fail "unexpected export $ordinal $name (decorated or stray)"
done <<<"$exports"

# Imports: system DLLs only, never the dial-up library, and only functions
# that both Windows 95 and Windows NT 4.0 provide.
imports=$(awk '/DLL Name:/ {dll=toupper($3)} dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print dll "!" $3}' <<<"$info")
[ -n "$imports" ] || fail "no imports read"
for dll_name in $(awk '/DLL Name:/ {print toupper($3)}' <<<"$info"); do
    case $dll_name in
    KERNEL32.DLL | USER32.DLL | ADVAPI32.DLL | MSVCRT.DLL | WSOCK32.DLL) ;;
    *) fail "imports $dll_name" ;;
    esac
done
while read -r entry; do
    grep -qix "$entry" <(grep -v '^#' "$allowed") || fail "imports $entry, not known in both Windows 95 and NT 4.0"
done <<<"$imports"

count=$(wc -w <<<"$def_names")
if [ $failures -eq 0 ]; then
    echo "32-bit netprep.dll: $count exports at their ordinals, $(wc -l <<<"$imports") imports, all allowed"
    exit 0
fi
exit 1
