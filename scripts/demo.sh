#!/usr/bin/env bash
# Installs what is missing, builds both DLLs and runs a sample installation
# sequence through netprep-call in a throwaway Wine prefix.
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_all
wine_session_start
bin="$NETPREP_BUILD/x64/bin"
call() { printf '\n$ netprep-call %s\n' "$*"; wine_run "$bin/netprep-call.exe" "$@" | tr -d '\r'; }
reg() { { wine_run reg "$@" 2>/dev/null || true; } | tr -d '\r' | sed '/^$/d'; }

log "32-bit deliverable: $NETPREP_BUILD/i686/bin/netprep.dll"
i686-w64-mingw32-objdump -f "$NETPREP_BUILD/i686/bin/netprep.dll" | grep 'file format'

log "sample installation sequence (64-bit netprep.dll under Wine)"
# An upgrade drops the value that an older release recorded.
reg add 'HKLM\SOFTWARE\Quillmere\Setup' /v LegacyPath /d 'C:\old' /f >/dev/null
reg add 'HKLM\SOFTWARE\Quillmere\Setup' /v InstallDir /d 'C:\Netmeld' /f >/dev/null
reg query 'HKLM\SOFTWARE\Quillmere\Setup'
call RegDBDeleteValue 'SOFTWARE\Quillmere\Setup' LegacyPath
reg query 'HKLM\SOFTWARE\Quillmere\Setup'

# -- ISP account -------------------------------------------------------------

# -- hosts file --------------------------------------------------------------
# The prefix's own hosts file, shown with its line ends; Wine keeps the
# case of the name it was created with.
show_hosts() {
    local file
    file=$(find "$WINEPREFIX/drive_c/windows/system32/drivers/etc" -maxdepth 1 -iname hosts | head -n1)
    printf '%s:\n' 'C:\windows\system32\drivers\etc\hosts'
    if [ -n "$file" ]; then sed 's/\t/\\t/g; s/\r$/\\r/; s/^/    | /' "$file"; else echo '    (none)'; fi
}
echo
show_hosts
call InsertHostName netmeld-gw
show_hosts
call CheckValidHostname netmeld-gw
call CheckValidHostname 192.168.0.1
call RemoveHostName netmeld-gw
show_hosts

# -- network probes ----------------------------------------------------------

# -- companion programs and versions -----------------------------------------

wine_session_stop
