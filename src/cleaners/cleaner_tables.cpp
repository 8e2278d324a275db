#include "cleaners/cleaner_tables.h"

#include <array>

namespace scourix {

std::span<const Step> RegistryStepsOf(Cleaner cleaner) {
  const std::array groups = {FixedEntryTables(), ValueListTables(),   NestedMruTables(),
                             ShellBagTables(),   GraphicsAppTables(), AppSettingTables()};
  for (std::span<const CleanerTable> group : groups) {
    for (const CleanerTable& table : group) {
      if (table.cleaner == cleaner)
        return table.steps;
    }
  }
  return {};
}

}  // namespace scourix
