// Feeds arbitrary bytes to the value rendering and to the registry editor text reader. The
// first byte chooses which. A text the reader accepts must be written back in a form that it
// reads again; after that first pass (which settles string data that is not valid UTF-8 into
// what the writer can express) writing and reading must give the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/sim/reg_file.h"
#include "registry/value_rendering.h"

namespace {

void FuzzRendering(std::string_view input) {
  if (input.size() < 5)
    return;
  std::uint32_t type = 0;
  for (int i = 0; i < 4; ++i)
    type = (type << 8) | static_cast<unsigned char>(input[i]);
  bool raw = (input[4] & 1) != 0;
  scourix::RenderedValue value = scourix::RenderValueData(type % 16, input.substr(5), raw);
  if (value.IsList())
    (void)scourix::JoinMultiString(value);
  if (value.IsNothing())
    std::abort();  // data that was read always renders as something
}

void FuzzRegText(std::string_view input) {
  scourix::sim::SimRegistry first;
  if (!scourix::sim::LoadRegText(first, input))
    return;
  for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
    std::string saved = scourix::sim::SaveRegText(first, root);
    scourix::sim::SimRegistry second;
    if (!scourix::sim::LoadRegText(second, saved))
      std::abort();
    std::string settled = scourix::sim::SaveRegText(second, root);
    scourix::sim::SimRegistry third;
    if (!scourix::sim::LoadRegText(third, settled) ||
        scourix::sim::SaveRegText(third, root) != settled) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1)
    FuzzRegText(input);
  else
    FuzzRendering(input);
  return 0;
}
