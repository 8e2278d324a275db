#include "cleaners/cleaner_steps.h"
#include "cleaners/cleaner_tables.h"
#include "cleaners/cleaners.h"

// Shell keys whose MRU data is spread over one level of subkeys.
namespace scourix {

namespace {

constexpr SweptSubkeys kDeleted = SweptSubkeys::kDeleted;
constexpr SweptSubkeys kKept = SweptSubkeys::kKept;

// clang-format off
constexpr Step kRecentDocsMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs)"),
    /* 2 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs)", kDeleted, {}, StepOpened(1)),
};

// The Search Assistant's lists stay in place, emptied.
constexpr Step kSearchMRU[] = {
    /* 1 */ SweepEachSubkey(R"(Software\Microsoft\Search Assistant\ACMru)", kKept),
};

constexpr Step kComDlgMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU)"),
    /* 2 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU)", StepOpened(1)),
    /* 3 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU)", kDeleted, {}, StepOpened(2)),
};

// The desktop's own stream is kept, on an exact match of its name only.
constexpr Step kStreams[] = {
    /* 1 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Streams)", kDeleted, "Desktop"),
};
// clang-format on

}  // namespace

void CleanRecentDocsMRU(Context& ctx) {
  RunSteps(ctx, kRecentDocsMRU);
}
void CleanSearchMRU(Context& ctx) {
  RunSteps(ctx, kSearchMRU);
}
void CleanComDlgMRU(Context& ctx) {
  RunSteps(ctx, kComDlgMRU);
}
void CleanStreams(Context& ctx) {
  RunSteps(ctx, kStreams);
}

namespace {

constexpr CleanerTable kTables[] = {
    {CleanRecentDocsMRU, kRecentDocsMRU},
    {CleanSearchMRU, kSearchMRU},
    {CleanComDlgMRU, kComDlgMRU},
    {CleanStreams, kStreams},
};

}  // namespace

std::span<const CleanerTable> NestedMruTables() {
  return kTables;
}

}  // namespace scourix
