#pragma once

// The three benchmark cases. Each builds its work, times the real cleaner code path on the
// shown window against a bare loop of the same system calls, and prints its result line.
// Each returns the process's exit code.
namespace scourix::bench {

class BenchWindow;

// Purges a tree of `files` one-byte files with PurgeFolder against a bare delete loop.
int RunPurgeCase(BenchWindow& window, long files, int rounds);
// Sweeps a key of `values` values with SweepKeyValues against an open-once delete-all loop.
int RunSweepCase(BenchWindow& window, long values, int rounds);
// Walks a URL cache of `entries` entries with CleanIECache against a bare wininet loop.
int RunCacheCase(BenchWindow& window, long entries, int rounds);

}  // namespace scourix::bench
