#include <cstdio>
#include <string>
#include <string_view>

#include "bench/bench_case.h"
#include "bench/bench_support.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"
#include "primitives/purge.h"

namespace scourix::bench {
namespace {

constexpr long kSubfolders = 100;
constexpr long kWarmUpFiles = 200;

// A tenth of the files at the top, the rest spread over 100 subfolders. The root is made
// afresh: a folder keeps the size its most entries gave it, which would slow the second side.
void MakeTree(const std::wstring& root, long files) {
  RemoveDirectoryW(root.c_str());
  CreateDirectoryW(root.c_str(), nullptr);
  const long top = files / 10;
  for (long i = 0; i < files; ++i) {
    std::wstring folder = root;
    if (i >= top) {
      folder += L"\\d" + std::to_wstring((i - top) % kSubfolders);
      if (i - top < kSubfolders)
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    win32::UniqueFileHandle file(
        CreateFileW((folder + L"\\f" + std::to_wstring(i) + L".tmp").c_str(), GENERIC_WRITE, 0,
                    nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
      continue;
    DWORD written = 0;
    WriteFile(file.get(), "x", 1, &written, nullptr);
  }
}

// The tree made by another process, as a user's files are. Under Wine a process that has just
// made 100,000 files itself was slower to delete them: 51 and 60 s here, against 45 s.
void MakeTreeInChild(const std::wstring& root, long files) {
  wchar_t self[MAX_PATH];
  if (GetModuleFileNameW(nullptr, self, MAX_PATH) == 0)
    return;
  std::wstring command =
      L"\"" + std::wstring(self) + L"\" tree \"" + root + L"\" " + std::to_wstring(files);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return;
  }
  win32::UniqueKernelHandle thread(process.hThread);
  win32::UniqueKernelHandle child(process.hProcess);
  WaitForSingleObject(child.get(), INFINITE);
}

// The same walk with nothing shown and no yield.
void BareDelete(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  win32::UniqueFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find)
    return;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..")
      continue;
    std::wstring path = folder + L"\\" + name;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      BareDelete(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  } while (FindNextFileW(find.get(), &data));
}

// Every file and folder below `folder`.
long CountTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  win32::UniqueFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find)
    return 0;
  long count = 0;
  do {
    std::wstring name = data.cFileName;
    if (name == L"." || name == L"..")
      continue;
    ++count;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      count += CountTree(folder + L"\\" + name);
  } while (FindNextFileW(find.get(), &data));
  return count;
}

}  // namespace

int RunTreeTool(std::string_view tool, const std::wstring& root, long files) {
  if (tool == "tree") {
    MakeTree(root, files);
    return 0;
  }
  if (tool == "bare-tree") {
    const double seconds = TimeOnly([&] { BareDelete(root); });
    std::printf("bare_s=%.3f\n", seconds);
    return CountTree(root) == 0 ? 0 : 1;
  }
  return 2;
}

int RunPurgeCase(BenchWindow& window, long files, int rounds) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root =
      std::wstring(temp) + L"scourix-bench-" + std::to_wstring(GetCurrentProcessId());
  const std::string root_utf8 = win32::WideToUtf8(root);
  Context& ctx = window.context();

  // A small tree first, so that neither side pays for the file system's first touches.
  MakeTree(root, kWarmUpFiles);
  BareDelete(root);

  BenchCase bench{
      .seed = [&] { MakeTreeInChild(root, files); },
      .scourix = [&] { PurgeFolder(ctx, root_utf8); },
      .bare = [&] { BareDelete(root); },
      .left = [&] { return CountTree(root); },
  };
  SideTimes times;
  const bool complete = RunAlternating(bench, rounds, times);
  BareDelete(root);
  RemoveDirectoryW(root.c_str());
  if (!complete)
    return 1;
  PrintResult("purge", files, times);
  return 0;
}

}  // namespace scourix::bench
