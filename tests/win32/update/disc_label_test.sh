#!/usr/bin/env bash
# Runs the update tests that need a real disc: a folder mapped in the Wine
# prefix as the CD drive R: with a volume label (Wine reads the label from
# the folder's .windows-label), the disc root on that drive.
# $1: the test program, $2: scripts/wine-run.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX is not set}"
tests=$1 wine_run=$2
label='Datavind 12/2004'
disc=$(mktemp -d)
link="$WINEPREFIX/dosdevices/r:"
cleanup() {
    rm -f "$link"
    HOME="$WINEPREFIX/home" wine reg delete 'HKLM\Software\Wine\Drives' /v 'r:' /f </dev/null >/dev/null 2>&1 || true
    rm -rf "$disc"
}
trap cleanup EXIT
mkdir -p "$disc/program"
printf '%s' "$label" >"$disc/.windows-label"
ln -sfn "$disc" "$link"
HOME="$WINEPREFIX/home" wine reg add 'HKLM\Software\Wine\Drives' /v 'r:' /t REG_SZ /d cdrom /f </dev/null >/dev/null 2>&1
HOME="$WINEPREFIX/home" wineserver -w
out=$(DATAVIND_TEST_DISC_ROOT='R:\' DATAVIND_TEST_DISC_LABEL="$label" "$wine_run" "$tests" \
    --gtest_also_run_disabled_tests \
    --gtest_filter='Win32VolumeInfo.DISABLED_TheLabelOfACdDrive:UpdateCheckerTest.TheLabelReachesTheServiceAndItsDocumentActs' 2>&1) || true
printf '%s\n' "$out"
# Both ran, neither skipped.
grep -q -a '\[  PASSED  \] 2 tests' <<<"$out" && ! grep -q -a 'SKIPPED\|FAILED' <<<"$out"
