#include "recording/recording_item.h"

namespace scourix::recording {

using platform::Status;

Status RecordingItem::Query(platform::ItemInfo* info) {
  Status status = real_->Query(info);
  if (status == platform::kSuccess && preview())
    info->attributes = files_.Attributes(path_, info->attributes);
  return status;
}

Status RecordingItem::WriteAtStart(std::string_view bytes) {
  if (!preview()) {
    Status status = real_->WriteAtStart(bytes);
    if (status != platform::kSuccess)
      return status;
  } else if (access_ != platform::ItemAccess::kWipe) {
    return platform::kAccessDenied;
  }
  files_.journal().Record(ChangeKind::kFileOverwritten, RecordingFileSystem::Shown(path_),
                          bytes.size());
  return platform::kSuccess;
}

Status RecordingItem::ClearReadOnly() {
  platform::ItemInfo info;
  Status status = Query(&info);
  if (status != platform::kSuccess)
    return status;
  const std::uint32_t cleared = info.attributes & ~platform::kAttrReadOnly;
  if (!preview()) {
    status = real_->ClearReadOnly();
    if (status != platform::kSuccess)
      return status;
  } else if (access_ == platform::ItemAccess::kRead) {
    return platform::kAccessDenied;
  } else {
    files_.SetOverlayAttributes(path_, cleared);
  }
  files_.journal().Record(ChangeKind::kAttributesSet, RecordingFileSystem::Shown(path_), cleared);
  return platform::kSuccess;
}

Status RecordingItem::Delete() {
  platform::ItemInfo info;
  Status status = Query(&info);
  if (status != platform::kSuccess)
    return status;
  const bool folder = (info.attributes & platform::kAttrDirectory) != 0;
  if (!preview()) {
    status = real_->Delete();
    if (status != platform::kSuccess)
      return status;
  } else {
    if (access_ == platform::ItemAccess::kRead ||
        (!folder && (info.attributes & platform::kAttrReadOnly) != 0)) {
      return platform::kAccessDenied;
    }
    if (folder && files_.HoldsAnything(path_))
      return platform::kDirNotEmpty;
    files_.MarkGone(path_);
  }
  if (folder)
    files_.journal().Record(ChangeKind::kFolderDeleted, RecordingFileSystem::Shown(path_));
  else
    files_.journal().Record(ChangeKind::kFileDeleted, RecordingFileSystem::Shown(path_), info.size);
  return platform::kSuccess;
}

}  // namespace scourix::recording
