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
# An unattended installation: NmSetup.ini in the Windows directory names the
# dial-up entry and the account, so ConfigureISP records them without a
# dialog. Wine's dial-up library has no entries, hence PhoneBookExists 3.
nmsetup="$WINEPREFIX/drive_c/windows/NmSetup.ini"
printf '[Netmeld]\r\nPhoneBookEntry=Office dial-up\r\nUsername=alice\r\nPassword=s3cret!\r\n' >"$nmsetup"
call PhoneBookExists
call ConfigureISP 0
call --show-isp-record
rm -f "$nmsetup"

# -- hosts file --------------------------------------------------------------

# -- network probes ----------------------------------------------------------

# -- companion programs and versions -----------------------------------------

wine_session_stop
