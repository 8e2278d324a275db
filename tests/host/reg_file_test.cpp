#include "platform/sim/reg_file.h"

#include <gtest/gtest.h>

namespace scourix::sim {
namespace {

constexpr char kArc[] = "HKCU\\Software\\WinRAR\\ArcHistory";

TEST(RegFile, ReadsEveryKindOfValueOfAnExport) {
  SimRegistry reg;
  RegFileError error;
  ASSERT_TRUE(LoadRegFile(reg, std::string(SCOURIX_FIXTURES) + "/shell_traces.reg", &error))
      << error.line << ": " << error.message;
  EXPECT_EQ(reg.ValueNames("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                           "Explorer\\RunMRU"),
            (std::vector<std::string>{"a", "b", "MRUList"}));
  EXPECT_EQ(reg.StringValue(kArc, "0"), "C:\\Users\\me\\Documents\\\"quoted\".rar");
  EXPECT_EQ(reg.StringValue(kArc, ""), "default");
  EXPECT_EQ(reg.Value(kArc, "Count")->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(reg.Value(kArc, "Blob")->data.size(), 26u);
  EXPECT_EQ(reg.Value(kArc, "Path")->data, std::string("%TEMP%\0", 7));
  EXPECT_EQ(reg.Value(kArc, "Path")->type, platform::kRegExpandSz);
  EXPECT_EQ(reg.Value(kArc, "List")->data, std::string("a\0\xC3\xA9\0\0", 6));
  EXPECT_EQ(reg.Value(kArc, "Big")->type, platform::kRegQword);
}

TEST(RegFile, ReadsVersion4AndUtf16AndRemovals) {
  SimRegistry reg;
  ASSERT_TRUE(LoadRegText(reg,
                          "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A\\B]\r\n\"s\"=\"x\"\r\n"
                          "\"e\"=hex(2):41,e9,00\r\n[HKEY_CURRENT_USER\\A\\C]\r\n\"v\"=\"1\"\r\n"));
  EXPECT_EQ(reg.Value("HKCU\\A\\B", "e")->data, std::string("A\xC3\xA9\0", 4));
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("Windows Registry Editor Version 5.00\r\n\r\n[-HKEY_CURRENT_USER\\A\\"
                            "C]\r\n[HKEY_CURRENT_USER\\A\\B]\r\n\"s\"=-\r\n")) {
    utf16 += c;
    utf16 += '\0';
  }
  ASSERT_TRUE(LoadRegText(reg, utf16));
  EXPECT_FALSE(reg.KeyExists("HKCU\\A\\C"));
  EXPECT_EQ(reg.ValueNames("HKCU\\A\\B"), std::vector<std::string>{"e"});
}

TEST(RegFile, StopsAtTheFirstBadLine) {
  SimRegistry reg;
  RegFileError error;
  EXPECT_FALSE(LoadRegText(reg, "not a registry file", &error));
  for (std::string bad : {"\"v\"=dword:123456789", "\"v\"=hex:zz", "\"v\"=\"open", "[HKEY_X\\Y]",
                          "\"v\" \"w\"", "\"v\"=hex(8:00"}) {
    std::string text =
        "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"ok\"=\"1\"\n" + bad + "\n\"after\"=\"2\"\n";
    EXPECT_FALSE(LoadRegText(reg, text, &error)) << bad;
    EXPECT_EQ(error.line, 4u) << bad;
    EXPECT_FALSE(reg.ValueExists("HKCU\\K", "after"));
  }
}

}  // namespace
}  // namespace scourix::sim
