#!/usr/bin/env bash
# Builds the benchmark program and prints one markdown table: the purge, the registry sweep and
# the URL cache walk, each at two sizes, timed on Scourix's own code path with its window shown
# against a bare loop of the same system calls, both in the same process; the sweep of long
# values and of a key holding one huge value; and the whole program, driven through its window,
# against the bare loop. One process per case and size, so that each row's peak memory is its
# own. Runs under Xvfb in a fresh Wine prefix.
#   scripts/bench.sh           the full table (about 25 minutes here on two quiet cores)
#   scripts/bench.sh --quick   a tenth of the sizes, to check that every case runs
set -euo pipefail
cd "$(dirname "$0")/.."

scale=1
if [[ "${1:-}" == "--quick" ]]; then scale=10; fi

bash scripts/ensure_packages.sh
cmake --preset mingw -DSCOURIX_BENCH=ON >/dev/null
cmake --build build/mingw -j2 --target scourix_bench scourix scourix_driver >/dev/null
bench="$PWD/build/mingw/bench/scourix_bench.exe"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$PWD/build/mingw/bench-prefix"
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
trap 'wineserver -k 2>/dev/null || true' EXIT
echo "preparing the Wine prefix $WINEPREFIX" >&2
wineboot -i >/dev/null 2>&1
# Each case starts its own display; a server still tied to an earlier one could not make windows.
wineserver -w

# case, size, rounds. A round runs both sides once, in alternating order (see bench/README.md).
# Single file sides move by a fifth between rounds here, so the purge and the whole program run
# more rounds than the rest.
cases=(
  "purge 10000 4" "purge 100000 2" "purge-own 10000 4" "purge-safety 10000 4"
  "program 100000 2"
  "sweep 1000 2" "sweep 10000 2" "sweep-long 10000 2" "sweep-huge 5000 2"
  "cache 2000 2" "cache 20000 2"
)
results=()
for entry in "${cases[@]}"; do
  read -r kind size rounds <<<"$entry"
  size=$((size / scale))
  echo "$kind $size ($rounds round(s))" >&2
  command=(wine "$bench" "$kind" "$size" "$rounds")
  if [[ "$kind" == program ]]; then command=(bash bench/program_case.sh build/mingw "$size" "$rounds"); fi
  line=$(xvfb-run -a -s "-screen 0 1024x768x24" "${command[@]}" \
    2> >(grep --line-buffered -v '^X connection' >&2) | tr -d '\r' | grep '^result ') || {
    echo "the $kind case at $size failed" >&2
    exit 1
  }
  wineserver -w
  echo "$line" >&2
  results+=("$line")
done

printf '%s\n' "${results[@]}" | awk '
  BEGIN {
    name["purge"] = "purge, files"
    # The purge split in two: its own code against the calls its safety rules need (in the
    # bare loop column), and those calls (in the Scourix column) against the bare loop.
    name["purge-own"] = "purge, files, against only the calls the safety rules need"
    name["purge-safety"] = "only the calls the safety rules need, files, against the bare loop"
    name["program"] = "whole program, \"Temporary Files\", files"
    name["sweep"] = "registry sweep, values"
    name["sweep-long"] = "registry sweep, values of 300 bytes"
    name["sweep-huge"] = "registry sweep, values and one of 1 MiB (against the values alone)"
    name["cache"] = "URL cache walk, entries"
    # The goals, at the full sizes: the highest ratio, and for the sweep the peak private memory.
    goal["purge 10000"] = 1.25; goal["purge 100000"] = 1.15; goal["program 100000"] = 1.2
    goal["sweep 10000"] = 2; goal["sweep-long 10000"] = 2; goal["sweep-huge 5000"] = 2
    goal["cache 20000"] = 1.2; goal_mib["sweep 10000"] = 16
    print "| case | size | Scourix | bare loop | ratio | peak private | peak working set | rounds | goal | within |"
    print "|---|---:|---:|---:|---:|---:|---:|---:|---|---|"
  }
  {
    delete v
    for (i = 2; i <= NF; ++i) { split($i, pair, "="); v[pair[1]] = pair[2] }
    ratio = v["bare_s"] > 0 ? sprintf("%.2f", v["scourix_s"] / v["bare_s"]) : "-"
    size = sprintf("%d", v["size"])
    while (size ~ /[0-9][0-9][0-9][0-9]/) sub(/[0-9][0-9][0-9]($|,)/, ",&", size)
    # The whole program runs in its own process; its memory is not sampled.
    mib = "peak_private_kib" in v ? sprintf("%.1f MiB | %.1f MiB", v["peak_private_kib"] / 1024,
      v["peak_ws_kib"] / 1024) : "- | -"
    key = v["kind"] " " v["size"]
    target = "-"; within = "-"
    if (key in goal) {
      target = sprintf("ratio ≤ %s", goal[key])
      within = ratio != "-" && ratio + 0 <= goal[key] ? "yes" : "no"
      if (key in goal_mib) {
        target = target sprintf(", ≤ %d MiB", goal_mib[key])
        if (v["peak_private_kib"] / 1024 > goal_mib[key]) within = "no"
      }
    }
    printf "| %s | %s | %.2f s | %.2f s | %s | %s | %d | %s | %s |\n", name[v["kind"]], size,
      v["scourix_s"], v["bare_s"], ratio, mib, v["rounds"], target, within
    if ("peak_private_kib" in v) private[key] = v["peak_private_kib"]
  }
  END {
    # Purge and walk memory must stay flat: the larger size within 10% of the smaller.
    split("purge 10000 100000|cache 2000 20000", flat, "|")
    for (i in flat) {
      split(flat[i], f, " ")
      small = f[1] " " f[2]; large = f[1] " " f[3]
      if (!(small in private) || !(large in private)) continue
      growth = 100 * (private[large] / private[small] - 1)
      printf "\n%s memory: %.1f MiB at %s, %.1f MiB at %s (%+.1f%%; goal within 10%%: %s)\n",
        f[1], private[small] / 1024, f[2], private[large] / 1024, f[3], growth,
        growth <= 10 ? "yes" : "no"
    }
  }'
