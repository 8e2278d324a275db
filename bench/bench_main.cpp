// The benchmark program: one case at one size per process, so that its peak memory is its own.
//   wine scourix_bench.exe purge|sweep|cache SIZE [ROUNDS]
// Prints one "result ..." line; scripts/bench.sh runs every case and assembles the table.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/bench_case.h"
#include "bench/bench_support.h"

int main(int argc, char** argv) {
  using namespace scourix::bench;
  if (argc < 3) {
    std::fprintf(stderr, "usage: scourix_bench purge|sweep|cache SIZE [ROUNDS]\n");
    return 2;
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
    return RunPurgeCase(window, size, rounds);
  if (std::strcmp(argv[1], "sweep") == 0)
    return RunSweepCase(window, size, rounds);
  if (std::strcmp(argv[1], "cache") == 0)
    return RunCacheCase(window, size, rounds);
  std::fprintf(stderr, "unknown case: %s\n", argv[1]);
  return 2;
}
