#pragma once

#include "cleaners/cleaner_steps.h"

// Shell keys whose MRU data is spread over one level of subkeys.
namespace scourix::steps {

// clang-format off
inline constexpr Step kRecentDocsMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs)"),
    /* 2 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RecentDocs)", SweptSubkeys::kDeleted, {}, StepOpened(1)),
};

// The Search Assistant's lists stay in place, emptied.
inline constexpr Step kSearchMRU[] = {
    /* 1 */ SweepEachSubkey(R"(Software\Microsoft\Search Assistant\ACMru)", SweptSubkeys::kKept),
    /* 2 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\WordWheelQuery)"),
};

inline constexpr Step kComDlgMRU[] = {
    /* 1 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU)"),
    /* 2 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU)", StepOpened(1)),
    /* 3 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSaveMRU)", SweptSubkeys::kDeleted, {}, StepOpened(2)),
    /* 4 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSavePidlMRU)"),
    /* 5 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\OpenSavePidlMRU)", SweptSubkeys::kDeleted, {}, StepOpened(4)),
    /* 6 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedPidlMRU)"),
    /* 7 */ Sweep(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedPidlMRULegacy)"),
};

// The desktop's own stream is kept, on an exact match of its name only.
inline constexpr Step kStreams[] = {
    /* 1 */ SweepEachSubkey(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Streams)", SweptSubkeys::kDeleted, "Desktop"),
};
// clang-format on

}  // namespace scourix::steps
