#include "registry/reg_view.h"

namespace scourix {

namespace {
constexpr std::uint32_t kViewAccess = 0x2000F;  // read control, query, set, create, enumerate
}  // namespace

RegView::RegView(platform::Registry& registry, platform::RunWindow& window)
    : registry_(registry), window_(window) {}

RegView::~RegView() {
  if (lKeyHandle != platform::kNoKey)
    registry().CloseKey(lKeyHandle);
}

std::int16_t RegView::OpenRegistry(std::uint32_t RtHKey, std::string_view SbDr) {
  if (RtHKey == 0) {
    bKeyOpen = kRegFalse;
    return kRegFalse;
  }
  lRootKey = RtHKey;
  sSubDirectory = std::string(SbDr);
  if (bKeyOpen == kRegTrue)
    CloseRegistry();
  bKeyOpen = kRegFalse;
  // A handle left behind by a zero-root open or a failed close would otherwise be overwritten
  // and never released.
  if (lKeyHandle != platform::kNoKey && registry().CloseKey(lKeyHandle) == platform::kSuccess) {
    lKeyHandle = platform::kNoKey;
  }
  platform::RegKey opened = platform::kNoKey;
  if (registry().OpenKey(lRootKey, sSubDirectory, kViewAccess, &opened) != platform::kSuccess) {
    return kRegFalse;
  }
  lKeyHandle = opened;
  bKeyOpen = kRegTrue;
  return kRegTrue;
}

bool RegView::CloseRegistry() {
  if (registry().CloseKey(lKeyHandle) != platform::kSuccess)
    return false;
  bKeyOpen = kRegFalse;
  lKeyHandle = platform::kNoKey;
  return true;
}

std::size_t RegView::LastBackslashPosition(std::string_view path) {
  std::size_t last = path.rfind('\\');
  return last == std::string_view::npos ? 0 : last + 1;
}

RegViewError RegView::OneBackOnKey() {
  std::size_t p = LastBackslashPosition(sSubDirectory);
  if (p == 0)
    return RegViewError::kInvalidArgument;
  sSubDirectory.resize(p - 1);
  CloseRegistry();
  OpenRegistry(lRootKey, std::string(sSubDirectory));
  return RegViewError::kNone;
}

bool RegView::CreateDirectory(std::string_view sNewDirName) {
  if (bKeyOpen != kRegTrue)
    return false;
  platform::RegKey created = platform::kNoKey;
  if (registry().CreateKey(lKeyHandle, sNewDirName, platform::kKeyAllAccess, &created, nullptr) !=
      platform::kSuccess) {
    return false;
  }
  registry().CloseKey(created);
  return true;
}

bool RegView::DeleteDirectory(std::string_view sKeyName) {
  if (bKeyOpen != kRegTrue)
    return false;
  return registry().DeleteKey(lKeyHandle, sKeyName) == platform::kSuccess;
}

bool RegView::DeleteValue(std::string_view sValueName) {
  if (bKeyOpen != kRegTrue)
    return false;
  return registry().DeleteValue(lKeyHandle, sValueName) == platform::kSuccess;
}

}  // namespace scourix
