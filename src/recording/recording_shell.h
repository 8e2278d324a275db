#pragma once

#include "platform/shell.h"
#include "recording/journal.h"

namespace scourix::recording {

// The shell as a run sees it: the folders it names pass through; emptying the list of recent
// documents is recorded, and made only in a live run.
class RecordingShell : public platform::Shell {
 public:
  RecordingShell(platform::Shell& real, Journal& journal) : real_(real), journal_(journal) {}

  void AddToRecentDocsNull(std::uint32_t flags) override {
    if (!journal_.preview())
      real_.AddToRecentDocsNull(flags);
    journal_.Record(ChangeKind::kRecentDocumentsCleared, "recent documents");
  }
  platform::Status GetKnownFolder(platform::KnownFolder folder, std::string* path) override {
    return real_.GetKnownFolder(folder, path);
  }

 private:
  platform::Shell& real_;
  Journal& journal_;
};

}  // namespace scourix::recording
