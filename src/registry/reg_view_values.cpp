#include <string>
#include <vector>

#include "registry/reg_view.h"
#include "registry/value_rendering.h"
#include "registry/variant_conversion.h"

namespace scourix {

namespace {
constexpr std::string_view kAppTitle = "Scourix";
}  // namespace

RenderedValue RegView::GetValue(std::string_view VarName, bool ReturnBinStr) {
  if (bKeyOpen != kRegTrue)
    return RenderedValue();
  platform::RegValue value;
  platform::Status status = registry().QueryValue(lKeyHandle, VarName, &value);
  if (status == platform::kFileNotFound)
    return RenderedValue();
  if (status == platform::kAccessDenied)
    return RenderedValue(std::string("Access Denied"));
  if (status != platform::kSuccess) {
    return RenderedValue("RegQueryValueEx Returned : (" + std::to_string(status) + ")");
  }
  return RenderValueData(value.type, value.data, ReturnBinStr);
}

bool RegView::CreateValue(std::string_view sValueName,
                          const Variant& vWriteThis,
                          std::int32_t ldValueDataType,
                          const Variant& Multi_SZ_AddtlStrings,
                          RegViewError* error) {
  auto report = [error](RegViewError what) {
    if (error != nullptr)
      *error = what;
    return false;
  };
  if (error != nullptr)
    *error = RegViewError::kNone;
  if (bKeyOpen != kRegTrue)
    return false;
  std::string data;
  switch (ldValueDataType) {
    case platform::kRegSz:
    case platform::kRegExpandSz: {
      std::optional<std::string> text = VariantText(vWriteThis);
      if (!text)
        return report(RegViewError::kTypeMismatch);
      data = *text + '\0';
      break;
    }
    case platform::kRegDword: {
      std::int32_t number = 0;
      switch (VariantToLong(vWriteThis, &number)) {
        case LongConversion::kTypeMismatch:
          return report(RegViewError::kTypeMismatch);
        case LongConversion::kOverflow:
          return report(RegViewError::kOverflow);
        case LongConversion::kOk:
          break;
      }
      auto bits = static_cast<std::uint32_t>(number);
      for (int i = 0; i < 4; ++i)
        data += static_cast<char>((bits >> (8 * i)) & 0xFF);
      break;
    }
    case platform::kRegMultiSz: {
      std::optional<std::string> first = VariantText(vWriteThis);
      if (!first)
        return report(RegViewError::kTypeMismatch);
      data = *first + '\0';
      std::vector<Variant> further;
      if (Multi_SZ_AddtlStrings.IsArray()) {
        further = Multi_SZ_AddtlStrings.Array().items;
      } else if (!Multi_SZ_AddtlStrings.IsEmpty()) {
        further.push_back(Multi_SZ_AddtlStrings);
      }
      for (const Variant& item : further) {
        if (item.IsNull())
          continue;
        std::optional<std::string> text = VariantText(item);
        if (!text)
          return report(RegViewError::kTypeMismatch);
        if (text->empty() || *text == std::string(1, '\0'))
          continue;
        data += *text + '\0';
      }
      data += '\0';
      break;
    }
    default:
      window_.ShowMessage("Unable To process that Type of data.", kAppTitle);
      return false;
  }
  return registry().SetValue(lKeyHandle, sValueName, static_cast<std::uint32_t>(ldValueDataType),
                             reinterpret_cast<const std::uint8_t*>(data.data()),
                             static_cast<std::uint32_t>(data.size())) == platform::kSuccess;
}

}  // namespace scourix
