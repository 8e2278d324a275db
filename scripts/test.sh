#!/usr/bin/env bash
# Every test, from a fresh clone: the format and clang-tidy checks, host unit tests (sim
# back-end, sanitizers), a bounded fuzz run, the Windows builds (x86_64 and x86) each held to
# the XP floor of imports and headers, with a test of that check, the back-end tests under
# Wine, the end-to-end runs of scourix.exe under Wine and Xvfb, and both release zips.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/ensure_packages.sh

echo "== format"
bash scripts/check_format.sh

echo "== host build and unit tests"
cmake --preset host >/dev/null
cmake --build build/host -j2
ctest --test-dir build/host --output-on-failure -j2

echo "== clang-tidy"
bash scripts/lint.sh

echo "== fuzzing the value rendering, the .reg reader, the folder check and the log's name (bounded)"
cmake --preset host-fuzz >/dev/null
cmake --build build/fuzz -j2 --target fuzz_registry_text fuzz_folder_text fuzz_log_name
ctest --test-dir build/fuzz -R fuzz_ --output-on-failure

echo "== Windows builds and their import floor"
bash tests/e2e/check_imports_test.sh
for preset in mingw mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build "build/$preset" -j2
  for program in scourix scourix-cli; do
    bash tests/e2e/check_imports.sh "build/$preset/src/main/$program.exe"
  done
done

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "== back-end tests under Wine"
export WINEPREFIX="$PWD/build/mingw/wine-tests-prefix"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then timeout 600 wineboot -i >/dev/null 2>&1; fi
timeout 900 wine build/mingw/tests/wine/scourix_wine_tests.exe --gtest_brief=1
wineserver -k 2>/dev/null || true
unset WINEPREFIX

echo "== end-to-end under Wine and Xvfb"
# Each wait in the scenarios has its own limit; this one stops anything they missed well
# before a CI run's own limit, so the run still says which scenario hung.
timeout --kill-after=30 1800 xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/run.sh build/mingw

echo "== release"
mapfile -t release_zips < <(bash scripts/release.sh | tail -n 2)
for zip in "${release_zips[@]}"; do
  timeout --kill-after=30 900 xvfb-run -a -s "-screen 0 1024x768x24" tests/release/check_release.sh "$zip" build/mingw
done
