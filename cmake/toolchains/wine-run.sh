#!/usr/bin/env bash
# Runs one Windows test program under wine for CTest:
#   wine-run.sh WINE64 PREFIX PROGRAM [ARGS...]
#
# A Windows program that cannot load (a missing DLL, a bad import) prints
# nothing under wine, and wine may still exit 0. So a run passes only when
# the program proves it ran: it must print something, and a GoogleTest
# program must print its own "[  PASSED  ]" summary.
set -uo pipefail

wine=$1
prefix=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Create the prefix once per build directory; CTest may start several
# programs at once, and only the first may run wineboot.
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [[ ! -f $prefix/system.reg ]]; then
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
    # wineboot returns before the registry is written out.
    "$(dirname "$wine")/wineserver" -w </dev/null >/dev/null 2>&1 || true
  fi
) 9>"$prefix.lock"
if [[ ! -f $prefix/system.reg ]]; then
  echo "wine-run: could not create the wine prefix $prefix" >&2
  exit 1
fi

# Start the prefix's wine server detached from CTest's pipes (a no-op when
# it runs already): one that a test started would hold the test's output
# open, and CTest would wait for it. It stays up for a minute after its
# last client: a server that quits on its own between two tests can race
# the next test's start, which then fails before printing anything.
"$(dirname "$wine")/wineserver" -p 60 </dev/null >/dev/null 2>&1 || true

# The first program in a prefix also starts wine's own service processes,
# which inherit its standard streams and outlive it. Given CTest's pipes,
# they would keep them open and CTest would wait for them for ever; so the
# program writes to files, and the script copies them out.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$wine" "$@" <"/dev/null" >"$out" 2>"$err"
status=$?
# Windows programs end their lines with CR LF.
tr -d '\r' <"$out"
tr -d '\r' <"$err" >&2

if ((status != 0)); then
  if [[ ! -s $out ]]; then
    echo "wine-run: $1 exited with status $status before printing anything" \
      "(a DLL it needs did not load?)" >&2
  fi
  exit "$status"
fi
if [[ ! -s $out ]]; then
  echo "wine-run: $1 printed nothing: it did not load or did not run" >&2
  exit 1
fi
if grep -q '^\[==========\]' "$out" && ! grep -q '^\[  PASSED  \]' "$out"; then
  echo "wine-run: $1 ended without the test runner's PASSED summary" >&2
  exit 1
fi
exit 0
