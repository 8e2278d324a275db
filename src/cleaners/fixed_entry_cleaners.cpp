#include "cleaners/cleaner_steps.h"
#include "cleaners/cleaner_tables.h"
#include "cleaners/cleaners.h"

// Applications that keep their recent files in a fixed set of values: those values are blanked
// (or, for Word, deleted) whether or not the application is installed.
namespace scourix {

namespace {

// clang-format off
constexpr Step kPaintRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File4)"),
};

// WordPad's key is spelled "Wordpad".
constexpr Step kWordPadRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File4)"),
};

constexpr Step kWinRARRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\0)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\3)"),
};

constexpr Step kVCRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project4)"),
};

constexpr Step kWordRecent[] = {
    Delete(R"(Software\Microsoft\Office\10.0\Word\Data)", "Settings"),
    Delete(R"(Software\Microsoft\Office\12.0\Word\Data)", "Settings"),
};
// clang-format on

}  // namespace

void CleanPaintRecent(Context& ctx) {
  RunSteps(ctx, kPaintRecent);
}
void CleanWordPadRecent(Context& ctx) {
  RunSteps(ctx, kWordPadRecent);
}
void CleanWinRARRecent(Context& ctx) {
  RunSteps(ctx, kWinRARRecent);
}
void CleanVCRecent(Context& ctx) {
  RunSteps(ctx, kVCRecent);
}
void CleanWordRecent(Context& ctx) {
  RunSteps(ctx, kWordRecent);
}

namespace {

constexpr CleanerTable kTables[] = {
    {CleanPaintRecent, kPaintRecent},   {CleanWordPadRecent, kWordPadRecent},
    {CleanWinRARRecent, kWinRARRecent}, {CleanVCRecent, kVCRecent},
    {CleanWordRecent, kWordRecent},
};

}  // namespace

std::span<const CleanerTable> FixedEntryTables() {
  return kTables;
}

}  // namespace scourix
