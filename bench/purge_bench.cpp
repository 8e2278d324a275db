// Purges a tree of small files with the real label and message pump, then deletes an equal
// tree in a bare loop, and prints the ratio and the process's peak memory.
//   wine scourix_purge_bench.exe FILES
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/frm_main.h"
#include "platform/win32/win32_machine.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"
// <psapi.h> needs the types of <windows.h> first.
// clang-format off
#include "platform/win32/windows_api.h"
#include <psapi.h>
// clang-format on
#include "primitives/purge.h"

namespace {

using scourix::win32::Utf8ToWide;
constexpr int kFilesPerFolder = 1000;

std::wstring MakeTree(const std::wstring& root, int files) {
  CreateDirectoryW(root.c_str(), nullptr);
  for (int i = 0; i < files; ++i) {
    std::wstring folder = root + L"\\d" + std::to_wstring(i / kFilesPerFolder);
    if (i % kFilesPerFolder == 0)
      CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE file = CreateFileW((folder + L"\\f" + std::to_wstring(i) + L".tmp").c_str(),
                              GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "x", 1, &written, nullptr);
    CloseHandle(file);
  }
  return root;
}

// The same walk with nothing shown and no yield.
void BareDelete(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE)
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
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  int files = argc > 1 ? std::atoi(argv[1]) : 10000;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring base =
      std::wstring(temp) + L"scourix-bench-" + std::to_wstring(GetCurrentProcessId());

  scourix::win32::Win32Machine machine;
  scourix::FrmMain frm(machine.platform);
  scourix::win32::Win32Window window;
  if (!window.Create(GetModuleHandleW(nullptr), frm))
    return 1;
  frm.AttachWindow(window);
  window.Show();

  std::wstring purged = MakeTree(base + L"-purge", files);
  auto start = std::chrono::steady_clock::now();
  scourix::PurgeFolder(frm.context(), scourix::win32::WideToUtf8(purged));
  double purge = Seconds(start);
  RemoveDirectoryW(purged.c_str());

  std::wstring bare = MakeTree(base + L"-bare", files);
  start = std::chrono::steady_clock::now();
  BareDelete(bare);
  double plain = Seconds(start);
  RemoveDirectoryW(bare.c_str());

  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  std::printf(
      "files %d: purge %.2f s, bare %.2f s, ratio %.2f, peak working set %.1f MiB, "
      "peak private %.1f MiB\n",
      files, purge, plain, plain > 0 ? purge / plain : 0.0, memory.PeakWorkingSetSize / 1048576.0,
      memory.PeakPagefileUsage / 1048576.0);
  return 0;
}
