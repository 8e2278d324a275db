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
constexpr std::uint32_t kValueBuffer = 240;
// A longer read is retried a few times, in case the value grows between the tries.
constexpr int kRetries = 4;

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
    if (status != platform::kSuccess)
      return;
    ListBox.AddItem(UpToNull(name));
  }
}

// Every value is listed: a name or data that does not fit the first buffers is read again
// with buffers of the sizes it needs, so a sweep never stops short of the end of the key.
void RegView::GetAllValues2(platform::ListControl& ListBox1, platform::ListControl& ListBox2) {
  ListBox1.Clear();
  ListBox2.Clear();
  if (bKeyOpen != kRegTrue)
    return;
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t name_capacity = kValueBuffer;
    std::uint32_t data_capacity = kValueBuffer;
    std::vector<char> name;
    platform::Status status = platform::kMoreData;
    for (int attempt = 0; attempt <= kRetries && status == platform::kMoreData; ++attempt) {
      name.assign(name_capacity + 10, ' ');
      std::vector<std::uint8_t> data(data_capacity + 10, ' ');
      std::uint32_t name_size = name_capacity;
      std::uint32_t data_size = data_capacity;
      std::uint32_t type = 0;
      status = registry().EnumValue(lKeyHandle, i, name.data(), &name_size, &type, data.data(),
                                    &data_size);
      if (status != platform::kMoreData)
        break;
      std::uint32_t longest_name = 0;
      std::uint32_t longest_data = 0;
      if (registry().QueryInfoKey(lKeyHandle, nullptr, nullptr, &longest_name, &longest_data) !=
          platform::kSuccess) {
        return;
      }
      name_capacity = std::max({name_capacity * 2, longest_name + 1});
      data_capacity = std::max({data_capacity, data_size, longest_data});
    }
    if (status != platform::kSuccess)
      return;
    std::string value_name = UpToNull(name);
    ListBox1.AddItem(value_name);
    RenderedValue rendered = GetValue(value_name, false);
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
