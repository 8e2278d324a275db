#pragma once

// The one place the back-end takes in the Windows headers. Macros that would collide with
// the platform interfaces' method names are removed right after.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CreateFile
#undef DeleteFile
#undef GetProfileString
#undef OpenFile
#undef GetVersion
