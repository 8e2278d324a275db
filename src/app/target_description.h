#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/catalogue.h"
#include "cleaners/cleaner_steps.h"

// What each target removes, in one line, from its step tables and the descriptions of the
// cleaners written in code: the README's table, the command line's list and the boxes' tips.
namespace scourix {

// The key a step acts on, below HKEY_CURRENT_USER and without a closing backslash; for a
// blank, the key of the blanked value.
std::string_view KeyOf(const Step& step);
// The name of the value a blank writes; "" for any other step.
std::string_view BlankedValueOf(const Step& step);

// One line per group of steps on the same key, e.g.
// "`HKCU\Software\...\Recent File List`: `File1`–`File4` blanked", joined by "<br>".
std::string SummariseSteps(std::span<const Step> steps);

// What the target removes, in Markdown: its actions' lines joined by "<br>".
std::string TargetDescription(const Target& target);
// The same as plain text: code in double quotes, no other marks, the lines joined by "; ".
std::string PlainDescription(const Target& target);

}  // namespace scourix
