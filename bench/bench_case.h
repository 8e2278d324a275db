#pragma once

// The three benchmark cases. Each builds its work, times the real cleaner code path on the
// shown window against a bare loop of the same system calls, and prints its result line.
// Each returns the process's exit code.
#include <string>
#include <string_view>

namespace scourix::bench {

class BenchWindow;

// What the purge's sides are: PurgeFolder against the bare delete loop; PurgeFolder against
// a loop of the calls its safety rules need alone (what the purge adds of its own); that loop
// against the bare one (what safety costs).
enum class PurgeSides { kAgainstBare, kAgainstSafeForm, kSafeFormAgainstBare };
// Purges a tree of `files` one-byte files.
int RunPurgeCase(BenchWindow& window, long files, int rounds, PurgeSides sides);
// Sweeps a key of `values` short values with SweepKeyValues against an open-once delete-all
// loop; the long case gives each value 300 bytes.
int RunSweepCase(BenchWindow& window, long values, int rounds);
int RunLongSweepCase(BenchWindow& window, long values, int rounds);
// Sweeps `values` short values and one of 1 MiB against the sweep of the short ones alone.
int RunHugeSweepCase(BenchWindow& window, long values, int rounds);
// The whole program's case (scripts/bench.sh drives scourix.exe): "tree" seeds `files` files
// below `root`, as the purge case lays them out; "bare-tree" deletes them with the bare loop
// and prints its time.
int RunTreeTool(std::string_view tool, const std::wstring& root, long files);
// Walks a URL cache of `entries` entries with CleanIECache against a bare wininet loop.
int RunCacheCase(BenchWindow& window, long entries, int rounds);

}  // namespace scourix::bench
