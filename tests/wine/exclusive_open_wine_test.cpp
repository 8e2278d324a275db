#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

// Firefox holds its profile's parent.lock sharing nothing; an exclusive open must see that, and
// also any other program's open that shares reading, which a plain open does not.
TEST(Win32ExclusiveOpenTest, FailsWhileAnyoneElseHoldsTheFile) {
  const std::wstring wide = L"C:\\scourix-exclusive-open.lock";
  const std::string path = "C:\\scourix-exclusive-open.lock";
  struct Case {
    const char* holder;
    DWORD share;  // the holder's share mode; kNoHolder: nobody holds the file
    platform::Status exclusive;
    platform::Status shared;
  };
  constexpr DWORD kNoHolder = 0xFFFFFFFF;
  const Case cases[] = {
      {"nobody", kNoHolder, platform::kSuccess, platform::kSuccess},
      {"Firefox, sharing nothing", 0, platform::kSharingViolation, platform::kSharingViolation},
      {"a reader sharing reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE,
       platform::kSharingViolation, platform::kSuccess},
  };
  UniqueFileHandle made(CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(made);
  made = UniqueFileHandle();
  Win32FileSystem files;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.holder);
    UniqueFileHandle holder;
    if (c.share != kNoHolder) {
      holder =
          UniqueFileHandle(CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, c.share, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(holder);
    }
    for (bool exclusive : {true, false}) {
      platform::ItemOpen how;
      how.exclusive = exclusive;
      std::unique_ptr<platform::Item> item;
      EXPECT_EQ(files.OpenItem(path, how, &item), exclusive ? c.exclusive : c.shared)
          << (exclusive ? "exclusive" : "shared");
    }
  }
  DeleteFileW(wide.c_str());
}

}  // namespace
}  // namespace scourix::win32
