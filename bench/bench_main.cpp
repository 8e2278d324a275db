// The benchmark program: one case at one size per process, so that its peak memory is its own.
//   wine scourix_bench.exe purge|purge-own|purge-safety|sweep|sweep-long|sweep-huge|cache SIZE
//                          [ROUNDS]
//   wine scourix_bench.exe tree ROOT FILES | bare-tree ROOT   (the whole program's case)
// Prints one "result ..." line; scripts/bench.sh runs every case and assembles the table.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_case.h"
#include "bench/bench_support.h"
#include "platform/win32/win32_text.h"

int main(int argc, char** argv) {
  using namespace scourix::bench;
  if (argc < 3) {
    std::fprintf(
        stderr,
        "usage: scourix_bench purge|purge-own|purge-safety|sweep|sweep-long|sweep-huge|cache "
        "SIZE [ROUNDS]\n");
    return 2;
  }
  if (std::strcmp(argv[1], "tree") == 0 || std::strcmp(argv[1], "bare-tree") == 0) {
    return RunTreeTool(argv[1], scourix::win32::Utf8ToWide(argv[2]),
                       argc > 3 ? std::strtol(argv[3], nullptr, 10) : 0);
  }
  const long size = std::strtol(argv[2], nullptr, 10);
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 2;
  if (size <= 0 || rounds <= 0) {
    std::fprintf(stderr, "SIZE and ROUNDS must be positive\n");
    return 2;
  }
  BenchWindow window;
  if (!window.Open())
    return 1;
  if (std::strcmp(argv[1], "purge") == 0)
    return RunPurgeCase(window, size, rounds, PurgeSides::kAgainstBare);
  if (std::strcmp(argv[1], "purge-own") == 0)
    return RunPurgeCase(window, size, rounds, PurgeSides::kAgainstSafeForm);
  if (std::strcmp(argv[1], "purge-safety") == 0)
    return RunPurgeCase(window, size, rounds, PurgeSides::kSafeFormAgainstBare);
  if (std::strcmp(argv[1], "sweep") == 0)
    return RunSweepCase(window, size, rounds);
  if (std::strcmp(argv[1], "sweep-long") == 0)
    return RunLongSweepCase(window, size, rounds);
  if (std::strcmp(argv[1], "sweep-huge") == 0)
    return RunHugeSweepCase(window, size, rounds);
  if (std::strcmp(argv[1], "cache") == 0)
    return RunCacheCase(window, size, rounds);
  std::fprintf(stderr, "unknown case: %s\n", argv[1]);
  return 2;
}
