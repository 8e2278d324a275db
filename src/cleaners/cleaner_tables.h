#pragma once

#include <span>

#include "app/context.h"
#include "cleaners/cleaner_steps.h"

// Which step table each registry cleaner runs, so that tools outside the run (the README's
// table of what each box removes) read the very steps the program carries out.
namespace scourix {

struct CleanerTable {
  Cleaner cleaner;
  std::span<const Step> steps;
};

// The tables of each group of cleaners, kept in the file that holds the group.
std::span<const CleanerTable> FixedEntryTables();
std::span<const CleanerTable> ValueListTables();
std::span<const CleanerTable> NestedMruTables();
std::span<const CleanerTable> ShellBagTables();
std::span<const CleanerTable> GraphicsAppTables();
std::span<const CleanerTable> AppSettingTables();

// The steps `cleaner` runs; empty when it is not a registry cleaner.
std::span<const Step> RegistryStepsOf(Cleaner cleaner);

}  // namespace scourix
