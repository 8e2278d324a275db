#include "bench/bench_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

// <psapi.h> needs the types of <windows.h> first.
// clang-format off
#include "platform/win32/windows_api.h"
#include <psapi.h>
// clang-format on
#include "platform/win32/unique_handle.h"

namespace scourix::bench {
namespace {

constexpr DWORD kSampleMilliseconds = 5;

// Samples the process's private bytes and working set on its own thread while one side runs:
// the process's own peak would mix in the seeding and the other side.
class MemorySampler {
 public:
  MemorySampler() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    Sample();
    thread_.reset(CreateThread(nullptr, 0, &MemorySampler::Run, this, 0, nullptr));
  }
  ~MemorySampler() { Stop(); }
  MemorySampler(const MemorySampler&) = delete;
  MemorySampler& operator=(const MemorySampler&) = delete;

  PeakMemory Stop() {
    if (thread_) {
      SetEvent(stop_.get());
      WaitForSingleObject(thread_.get(), INFINITE);
      thread_.reset();
    }
    Sample();
    return peak_;
  }

 private:
  static DWORD WINAPI Run(void* self) {
    auto* sampler = static_cast<MemorySampler*>(self);
    while (WaitForSingleObject(sampler->stop_.get(), kSampleMilliseconds) == WAIT_TIMEOUT)
      sampler->Sample();
    return 0;
  }
  void Sample() {
    PROCESS_MEMORY_COUNTERS memory{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
      return;
    peak_.private_bytes = std::max<std::uint64_t>(peak_.private_bytes, memory.PagefileUsage);
    peak_.working_set = std::max<std::uint64_t>(peak_.working_set, memory.WorkingSetSize);
  }

  win32::UniqueKernelHandle stop_;
  win32::UniqueKernelHandle thread_;
  PeakMemory peak_;
};

double TimeSide(const std::function<void()>& side, PeakMemory* peak) {
  MemorySampler sampler;
  double seconds = TimeOnly(side);
  PeakMemory seen = sampler.Stop();
  if (peak != nullptr) {
    peak->private_bytes = std::max(peak->private_bytes, seen.private_bytes);
    peak->working_set = std::max(peak->working_set, seen.working_set);
  }
  return seconds;
}

}  // namespace

double TimeOnly(const std::function<void()>& side) {
  auto start = std::chrono::steady_clock::now();
  side();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool BenchWindow::Open() {
  if (!window_.Create(GetModuleHandleW(nullptr), MainWindowLayout(), frm_))
    return false;
  frm_.AttachWindow(window_);
  window_.Show();
  return true;
}

bool RunAlternating(const BenchCase& bench, int rounds, SideTimes& times) {
  times = {};
  times.rounds = rounds;
  for (int round = 0; round < rounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      const bool scourix_turn = (turn == 0) == (round % 2 == 0);
      const double seeding =
          TimeSide(!scourix_turn && bench.seed_bare ? bench.seed_bare : bench.seed, nullptr);
      const double seconds = scourix_turn ? TimeSide(bench.scourix, &times.scourix_peak)
                                          : TimeSide(bench.bare, nullptr);
      (scourix_turn ? times.scourix_seconds : times.bare_seconds) += seconds;
      // Progress for whoever watches a long run; the result line goes to stdout.
      std::fprintf(stderr, "  round %d %s: seeded in %.1f s, ran in %.2f s\n", round + 1,
                   scourix_turn ? "scourix" : "bare", seeding, seconds);
      if (long left = bench.left(); left != 0) {
        std::fprintf(stderr, "%s side left %ld items behind\n", scourix_turn ? "scourix" : "bare",
                     left);
        return false;
      }
    }
  }
  times.scourix_seconds /= rounds;
  times.bare_seconds /= rounds;
  return true;
}

void PrintResult(std::string_view kind, long size, const SideTimes& times) {
  std::printf(
      "result kind=%.*s size=%ld rounds=%d scourix_s=%.3f bare_s=%.3f peak_private_kib=%llu "
      "peak_ws_kib=%llu\n",
      static_cast<int>(kind.size()), kind.data(), size, times.rounds, times.scourix_seconds,
      times.bare_seconds, static_cast<unsigned long long>(times.scourix_peak.private_bytes / 1024),
      static_cast<unsigned long long>(times.scourix_peak.working_set / 1024));
  std::fflush(stdout);
}

}  // namespace scourix::bench
