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

Status RecordingItem::SetReadOnly(bool read_only) {
  platform::ItemInfo info;
  Status status = Query(&info);
  if (status != platform::kSuccess)
    return status;
  const std::uint32_t others = info.attributes & ~platform::kAttrReadOnly;
  const std::uint32_t set = read_only ? others | platform::kAttrReadOnly : others;
  if (!preview()) {
    status = real_->SetReadOnly(read_only);
    if (status != platform::kSuccess)
      return status;
  } else if (access_ == platform::ItemAccess::kRead) {
    return platform::kAccessDenied;
  } else {
    files_.SetOverlayAttributes(path_, set);
  }
  files_.journal().Record(ChangeKind::kAttributesSet, RecordingFileSystem::Shown(path_), set);
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
