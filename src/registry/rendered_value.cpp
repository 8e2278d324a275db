#include "registry/rendered_value.h"

namespace scourix {

const std::string& RenderedValue::Text() const {
  static const std::string kEmpty;
  const auto* text = std::get_if<std::string>(&value_);
  return text != nullptr ? *text : kEmpty;
}

const std::vector<std::string>& RenderedValue::List() const {
  static const std::vector<std::string> kEmpty;
  const auto* list = std::get_if<std::vector<std::string>>(&value_);
  return list != nullptr ? *list : kEmpty;
}

}  // namespace scourix
