#!/usr/bin/env bash
# Installs what is missing, builds both DLLs and the tests, and runs every
# test under 64-bit Wine in a Wine prefix made for this run.
#   scripts/test.sh [ctest arguments, e.g. -R Hosts]
set -euo pipefail
source "$(dirname "$0")/common.sh"

ensure_packages
build_all tests
wine_session_start
log "running the tests (Wine prefix $WINEPREFIX, display $DISPLAY)"
status=0
# One test at a time: the tests share the prefix's hosts file and windows.
ctest --test-dir "$NETPREP_BUILD/x64" --output-on-failure -j1 "$@" || status=$?
wine_session_stop
exit $status
