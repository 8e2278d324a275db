#pragma once

#include <cstdint>

namespace scourix::platform {

// Status codes at the platform seam are Win32 error codes, so that 0, 2, 5, 234 and 259
// mean here what they mean on Windows. Both back-ends return them; nothing throws across
// the seam.
using Status = std::int32_t;

inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kPathNotFound = 3;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kNotEnoughMemory = 8;
inline constexpr Status kBadFormat = 11;
inline constexpr Status kGenFailure = 31;
inline constexpr Status kSharingViolation = 32;
inline constexpr Status kNotSupported = 50;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kDiskFull = 112;
inline constexpr Status kInvalidName = 123;
inline constexpr Status kDirNotEmpty = 145;
inline constexpr Status kAlreadyExists = 183;
inline constexpr Status kMoreData = 234;
inline constexpr Status kNoMoreItems = 259;

}  // namespace scourix::platform
