#include "target_lists.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/catalogue.h"
#include "targets_table.h"

namespace scourix::readme {

std::string StatusLines() {
  std::string lines;
  for (const Target& target : Targets()) {
    lines += target.default_state == 1 ? "checked\t" : "unchecked\t";
    lines += std::string(target.status_line) + "\n";
  }
  return lines;
}

std::string CensusKeys() {
  std::string lines;
  for (const Target& target : Targets()) {
    std::vector<std::string_view> keys;
    for (const Action& action : target.actions) {
      for (const Step& step : action.steps) {
        // A step inside each subkey would claim the whole parent, other applications' keys
        // with it.
        if (step.action == StepAction::kEachSubkey)
          continue;
        if (std::find(keys.begin(), keys.end(), KeyOf(step)) == keys.end())
          keys.push_back(KeyOf(step));
      }
    }
    lines += target.caption;
    for (std::string_view key : keys)
      lines += "\t" + std::string(key);
    lines += "\n";
  }
  return lines;
}

}  // namespace scourix::readme
