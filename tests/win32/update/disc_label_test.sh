#!/usr/bin/env bash
# Runs the update tests that need a real disc: a folder mapped in the Wine
# prefix as the CD drive R: with a volume label (Wine reads the label from
# the folder's .windows-label), the disc root on that drive.
# $1: the test program, $2: scripts/wine-run.
set -euo pipefail
source "$(dirname "$0")/../../../scripts/common.sh"
: "${WINEPREFIX:?WINEPREFIX is not set}"
tests=$1 wine_run=$2
label='Datavind 12/2004'
disc=$(mktemp -d)
cleanup() {
    unmap_wine_cd_drive r
    rm -rf "$disc"
}
trap cleanup EXIT
mkdir -p "$disc/program"
printf '%s' "$label" >"$disc/.windows-label"
map_wine_cd_drive r "$disc"
out=$(DATAVIND_TEST_DISC_ROOT='R:\' DATAVIND_TEST_DISC_LABEL="$label" "$wine_run" "$tests" \
    --gtest_also_run_disabled_tests \
    --gtest_filter='Win32VolumeInfo.DISABLED_TheLabelOfACdDrive:UpdateCheckerTest.TheLabelReachesTheServiceAndItsDocumentActs' 2>&1) || true
printf '%s\n' "$out"
# Both ran, neither skipped.
grep -q -a '\[  PASSED  \] 2 tests' <<<"$out" && ! grep -q -a 'SKIPPED\|FAILED' <<<"$out"
