#pragma once

#include "cleaners/cleaner_steps.h"

// The recent-file and recent-folder lists of Office from 2003 on, run inside one version key
// ("Software\Microsoft\Office\16.0"): only the numbered items go, the lists' settings stay.
namespace scourix::steps {

// clang-format off
// Inside one signed-in account's key of "User MRU".
inline constexpr Step kOfficeListItems[] = {
    /* 1 */ SweepItems(R"(File MRU)"),
    /* 2 */ SweepItems(R"(Place MRU)"),
};

inline constexpr Step kExcelItems[] = {
    /* 1 */ SweepItems(R"(Excel\File MRU)"),
    /* 2 */ SweepItems(R"(Excel\Place MRU)"),
    /* 3 */ InEachSubkey(R"(Excel\User MRU)", SubkeyChoice::kEvery, kOfficeListItems),
};

inline constexpr Step kPowerPointItems[] = {
    /* 1 */ SweepItems(R"(PowerPoint\File MRU)"),
    /* 2 */ SweepItems(R"(PowerPoint\Place MRU)"),
    /* 3 */ InEachSubkey(R"(PowerPoint\User MRU)", SubkeyChoice::kEvery, kOfficeListItems),
};

inline constexpr Step kWordItems[] = {
    /* 1 */ SweepItems(R"(Word\File MRU)"),
    /* 2 */ SweepItems(R"(Word\Place MRU)"),
    /* 3 */ InEachSubkey(R"(Word\User MRU)", SubkeyChoice::kEvery, kOfficeListItems),
};
// clang-format on

}  // namespace scourix::steps
