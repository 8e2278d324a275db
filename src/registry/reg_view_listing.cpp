#include <algorithm>
#include <string>
#include <vector>

#include "registry/reg_view.h"
#include "registry/value_rendering.h"
#include "registry/variant_conversion.h"

namespace scourix {

namespace {

// The buffers of a first try; most names and data fit them.
constexpr std::uint32_t kKeyNameBuffer = 256;

std::string UpToNull(const std::vector<char>& buffer) {
  return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
}

}  // namespace

void RegView::GetAllSubDirectories2(platform::ListControl& ListBox) {
  ListBox.Clear();
  if (bKeyOpen != kRegTrue)
    return;
  for (std::uint32_t i = 0;; ++i) {
    // 255 UTF-16 units take at most three bytes each as UTF-8.
    std::vector<char> name(kKeyNameBuffer, ' ');
    platform::Status status = registry().EnumKey(lKeyHandle, i, name.data(), kKeyNameBuffer);
    if (status == platform::kMoreData) {
      name.assign(std::size_t{kKeyNameBuffer} * 4, ' ');
      status =
          registry().EnumKey(lKeyHandle, i, name.data(), static_cast<std::uint32_t>(name.size()));
    }
    // A name holding a NUL cannot be addressed: the next one can.
    if (status == platform::kInvalidName)
      continue;
    if (status != platform::kSuccess)
      return;
    ListBox.AddItem(UpToNull(name));
  }
}

// Every value is listed, whole: the registry hands each one over with its data, which is
// rendered as GetValue renders it, so a listing costs one read per value.
void RegView::GetAllValues2(platform::ListControl& ListBox1, platform::ListControl& ListBox2) {
  ListBox1.Clear();
  ListBox2.Clear();
  if (bKeyOpen != kRegTrue)
    return;
  platform::RegValue value;
  for (std::uint32_t i = 0; registry().EnumValue(lKeyHandle, i, &value) == platform::kSuccess;
       ++i) {
    ListBox1.AddItem(value.name);
    RenderedValue rendered = RenderValueData(value.type, value.data, false);
    ListBox2.AddItem(rendered.IsList() ? JoinMultiString(rendered) : rendered.Text());
  }
}

Variant RegView::SortArrayAscending(const Variant& ValueList) {
  if (!ValueList.IsArray() || ValueList.Array().lower_bound != 0)
    return ValueList;
  std::vector<Variant> a = ValueList.Array().items;
  for (std::size_t i = 1; i < a.size(); ++i) {
    Variant t = a[i];
    std::size_t j = i;
    for (;;) {
      std::optional<int> order = CompareVariants(a[j - 1], t);
      if (!order)
        return ValueList;
      if (*order < 0)
        break;
      if (--j == 0)
        break;
    }
    for (std::size_t k = i; k > j; --k)
      a[k] = a[k - 1];
    a[j] = t;
  }
  return Variant::Array(std::move(a));
}

}  // namespace scourix
