#pragma once

#include "cleaners/cleaner_steps.h"

// Applications that keep their recent files in a fixed set of values: those values are blanked
// (or, for Word, deleted) whether or not the application is installed.
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
};
// clang-format on

}  // namespace scourix::steps
