#pragma once

// What every benchmark case shares: the real window, the timing of one side with its peak
// memory, the alternation of the two sides, and the result line the script reads.
#include <cstdint>
#include <functional>
#include <string_view>

#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_window.h"

namespace scourix::bench {

// The program's own machine and window, shown, as the cleaners meet them in a run.
class BenchWindow {
 public:
  BenchWindow() : frm_(machine_.platform) {}
  // False when the window system refuses the window.
  bool Open();
  Context& context() { return frm_.context(); }

 private:
  win32::Win32Machine machine_;
  FrmMain frm_;
  win32::Win32Window window_;
};

// The highest private bytes and working set seen while one side ran.
struct PeakMemory {
  std::uint64_t private_bytes = 0;
  std::uint64_t working_set = 0;
};

struct SideTimes {
  double scourix_seconds = 0;
  double bare_seconds = 0;
  PeakMemory scourix_peak;  // over every run of the Scourix side
  int rounds = 0;
};

// One benchmark: `seed` builds the work afresh before each side; each side must leave none of
// it behind, which `left` counts (a side that skips work would look fast).
struct BenchCase {
  std::function<void()> seed;
  std::function<void()> scourix;
  std::function<void()> bare;
  std::function<long()> left;
  // Seeds the bare side's work where it differs (the same sweep over another key).
  std::function<void()> seed_bare = {};
};

// Runs `rounds` rounds, Scourix first in the odd ones and the bare loop first in the even
// ones, so that neither side alone pays for whatever the first pass warms up. The times are
// the means over the rounds. False when a side left work behind.
bool RunAlternating(const BenchCase& bench, int rounds, SideTimes& times);

// The seconds one call takes, for a side timed alone.
double TimeOnly(const std::function<void()>& side);

// Prints the one line the script turns into a table row.
void PrintResult(std::string_view kind, long size, const SideTimes& times);

}  // namespace scourix::bench
