#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

// Calls visit(path, is_folder) for each entry of the folder, the listing held meanwhile.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
  WIN32_FIND_DATAW data;
  win32::UniqueFindHandle find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find)
    return;
  do {
    std::wstring_view name = data.cFileName;
    if (name != L"." && name != L"..")
      visit(folder + L"\\" + data.cFileName,
            (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileW(find.get(), &data));
}

// The same walk with nothing shown and no yield.
void BareDelete(const std::wstring& folder) {
  ForEachEntry(folder, [](const std::wstring& path, bool is_folder) {
    if (is_folder) {
      BareDelete(path);
      RemoveDirectoryW(path.c_str());
    } else {
      DeleteFileW(path.c_str());
    }
  });
}

// The calls the purge's safety rules need and nothing else: each file opened once by its narrow
// name without following a link, its final path read, marked for deletion and closed; each
// folder's files before its subfolders, as the purge goes. What the purge adds beyond these is
// its own cost; what these add to the bare loop is the cost of safety.
void SafeFormDelete(const std::wstring& folder) {
  std::vector<std::wstring> subfolders;
  ForEachEntry(folder, [&](const std::wstring& path, bool is_folder) {
    if (is_folder) {
      subfolders.push_back(path);
      return;
    }
    win32::UniqueFileHandle file(
        CreateFileA(win32::Utf8ToAnsi(win32::WideToUtf8(path)).c_str(),
                    DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
      return;
    wchar_t final_path[MAX_PATH];
    GetFinalPathNameByHandleW(file.get(), final_path, MAX_PATH, 0);
    FILE_DISPOSITION_INFO disposition{TRUE};
    SetFileInformationByHandle(file.get(), FileDispositionInfo, &disposition, sizeof disposition);
  });
  for (const std::wstring& subfolder : subfolders) {
    SafeFormDelete(subfolder);
    RemoveDirectoryW(subfolder.c_str());
  }
}

// Every file and folder below `folder`.
long CountTree(const std::wstring& folder) {
  long count = 0;
  ForEachEntry(folder, [&](const std::wstring& path, bool is_folder) {
    count += 1 + (is_folder ? CountTree(path) : 0);
  });
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

int RunPurgeCase(BenchWindow& window, long files, int rounds, PurgeSides sides) {
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
  if (sides == PurgeSides::kAgainstSafeForm)
    bench.bare = [&] { SafeFormDelete(root); };
  if (sides == PurgeSides::kSafeFormAgainstBare)
    bench.scourix = [&] { SafeFormDelete(root); };
  SideTimes times;
  const bool complete = RunAlternating(bench, rounds, times);
  BareDelete(root);
  RemoveDirectoryW(root.c_str());
  if (!complete)
    return 1;
  static constexpr const char* kKinds[] = {"purge", "purge-own", "purge-safety"};
  PrintResult(kKinds[static_cast<int>(sides)], files, times);
  return 0;
}

}  // namespace scourix::bench
