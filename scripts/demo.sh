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
# Wine records no TCP/IP bind list, and its WSOCK32.DLL lacks the exports of
# the system's own: both probes answer 0.
call IpLoaded
call VerifyMicrosoftWinsock
# A network card bound beside the dial-up adapter: TCP/IP reaches the LAN.
linkage='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Linkage'
reg add "$linkage" /v Bind /t REG_MULTI_SZ /d '\Device\NdisWan4\0\Device\El90x1' /f >/dev/null
reg query "$linkage"
call IpLoaded

# -- companion programs and versions -----------------------------------------
# The stand-in companion program of the tests plays the server application and
# the client program (whose answer to "applications running?" is 2).
wine_run "$bin/companion-standin.exe" --reply 2 \
    --window AfxFrameOrView42s 'The Nms Application' \
    --window AfxFrameOrView42s 'Internet Netmeld Client32' </dev/null >/dev/null 2>&1 &
for _ in $(seq 50); do
    case $(wine_run "$bin/netprep-call.exe" IsRunningINM95) in *'= 1'*) break ;; esac
    sleep 0.2
done
call IsRunningINM95
call IsINMClientRunningApps
call StopINM95
call IsRunningINM95
call StopINMClient95
call IsRunningIPM95

# This release's version file, and the version the machine records. Versions
# compare as text, character by character.
printf '1.1.0\r\n' >"$WINEPREFIX/drive_c/netmeld-version.txt"
version_file='C:\netmeld-version.txt'
call GetVersionFromVersionFile buffer "$version_file"
reg add 'HKLM\SOFTWARE\Quillmere\Setup' /v Version /d 1.2.0 /f >/dev/null
reg query 'HKLM\SOFTWARE\Quillmere\Setup' /v Version
call NewerVersionInstalled Version "$version_file"
reg add 'HKLM\SOFTWARE\Quillmere\Setup' /v Version /d 1.0.9 /f >/dev/null
reg query 'HKLM\SOFTWARE\Quillmere\Setup' /v Version
call NewerVersionInstalled Version "$version_file"

wine_session_stop
