#!/usr/bin/env bash
# Every test, from a fresh clone: the format and clang-tidy checks, host unit tests (sim
# back-end, sanitizers), a bounded fuzz run, the Windows build and its import table, the
# back-end tests under Wine, the end-to-end runs of scourix.exe under Wine and Xvfb, and the
# release zip.
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

echo "== fuzzing the value rendering, the .reg reader and the log's name (bounded)"
cmake --preset host-fuzz >/dev/null
cmake --build build/fuzz -j2 --target fuzz_registry_text fuzz_log_name
ctest --test-dir build/fuzz -R fuzz_ --output-on-failure

echo "== Windows build"
cmake --preset mingw >/dev/null
cmake --build build/mingw -j2
bash tests/e2e/check_imports.sh build/mingw/src/platform/win32/scourix.exe

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "== back-end tests under Wine"
export WINEPREFIX="$PWD/build/mingw/wine-tests-prefix"
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then wineboot -i >/dev/null 2>&1; fi
wine build/mingw/tests/wine/scourix_wine_tests.exe --gtest_brief=1
wineserver -k 2>/dev/null || true
unset WINEPREFIX

echo "== end-to-end under Wine and Xvfb"
xvfb-run -a -s "-screen 0 1024x768x24" tests/e2e/run.sh build/mingw

echo "== release"
release_zip="$(bash scripts/release.sh | tail -n 1)"
xvfb-run -a -s "-screen 0 1024x768x24" tests/release/check_release.sh "$release_zip" build/mingw
