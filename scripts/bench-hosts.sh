#!/usr/bin/env bash
# Times InsertHostName and RemoveHostName of the 64-bit netprep.dll under
# Wine on generated hosts files of 170,000 lines (about 5.2 MB, a common
# blocklist) and 700,000 lines, against one CopyFileA of the same file, and
# prints each process's peak working set.
#   scripts/bench-hosts.sh [rounds]
set -euo pipefail
source "$(dirname "$0")/common.sh"

rounds=${1:-5}
ensure_packages
build_all tests
wine_session_start
log "hosts file benchmark (generated files in $NETPREP_BUILD/x64/bin/bench)"
status=0
for lines in 170000 700000; do
    wine_run "$NETPREP_BUILD/x64/bin/netprep_bench_hosts.exe" "$lines" "$rounds" | tr -d '\r' ||
        status=$?
done
wine_session_stop
exit $status
