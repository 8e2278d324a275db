#pragma once

#include "cleaners/cleaner_steps.h"
#include "cleaners/office_item_steps.h"

// Applications that keep their recent files in a fixed set of values: those values are blanked
// where they exist (or, for Word, deleted). Their later versions keep lists that are swept.
namespace scourix::steps {

// clang-format off
inline constexpr Step kPaintRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List\File4)"),
};

// WordPad's key is spelled "Wordpad".
inline constexpr Step kWordPadRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List\File4)"),
};

inline constexpr Step kWinRARRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\0)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\WinRAR\ArcHistory\3)"),
    Sweep(R"(Software\WinRAR\DialogEditHistory\ArcName)"),
    Sweep(R"(Software\WinRAR\DialogEditHistory\ExtrPath)"),
};

inline constexpr Step kVCRecent[] = {
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project1)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project2)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project3)"),
    Blank(R"(HKEY_CURRENT_USER\Software\Microsoft\DevStudio\6.0\Recent File List\Project4)"),
};

inline constexpr Step kWordRecent[] = {
    Delete(R"(Software\Microsoft\Office\10.0\Word\Data)", "Settings"),
    Delete(R"(Software\Microsoft\Office\12.0\Word\Data)", "Settings"),
    InEachSubkey(R"(Software\Microsoft\Office)", SubkeyChoice::kLaterOfficeVersions, kWordItems),
};
// clang-format on

}  // namespace scourix::steps
