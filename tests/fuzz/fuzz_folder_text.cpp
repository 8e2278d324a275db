// Feeds arbitrary text to the folder check. Whatever it accepts must be a plain path strictly
// below a drive or share root, in none of the forms that Windows would read as another folder,
// and must be accepted again as itself, also in its literal "\\?\" form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "primitives/folder_text.h"

namespace {

void Require(bool condition) {
  if (!condition)
    std::abort();
}

// Checked here without the code under test: the components after the root.
void RequirePlainComponents(std::string_view rest) {
  Require(!rest.empty());
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string_view::npos)
      end = rest.size();
    std::string_view part = rest.substr(start, end - start);
    Require(!part.empty() && part != "." && part != "..");
    Require(part.back() != '.' && part.back() != ' ');
    for (char c : part)
      Require(static_cast<unsigned char>(c) >= 0x20 &&
              std::string_view("/*?:\"<>|").find(c) == std::string_view::npos);
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string plain = scourix::PlainFolderText(input);
  if (plain.empty())
    return 0;
  Require(plain.find('/') == std::string::npos);
  Require(plain.rfind("\\\\?\\", 0) != 0 && plain.rfind("\\\\.\\", 0) != 0);
  if (plain.size() >= 3 && plain[1] == ':') {
    Require(((plain[0] | 0x20) >= 'a' && (plain[0] | 0x20) <= 'z') && plain[2] == '\\');
    RequirePlainComponents(std::string_view(plain).substr(3));
  } else {
    Require(plain.rfind("\\\\", 0) == 0);
    std::string_view unc = std::string_view(plain).substr(2);
    std::size_t server = unc.find('\\');
    Require(server != std::string_view::npos);
    std::size_t share = unc.find('\\', server + 1);
    Require(share != std::string_view::npos);  // strictly below the share
    RequirePlainComponents(unc);
  }
  Require(scourix::PlainFolderText(plain) == plain);
  Require(scourix::PlainFolderText(scourix::LiteralPath(plain)) == plain);
  return 0;
}
