#include "platform/FileDialogs.h"

namespace tandor {
namespace {

class NoFileDialogs final : public FileDialogs {
 public:
  QString save(const FileDialogRequest&) override { return {}; }
  QString open(const FileDialogRequest&) override { return {}; }
};

std::unique_ptr<FileDialogs>& current() {
  static std::unique_ptr<FileDialogs> dialogs = std::make_unique<NoFileDialogs>();
  return dialogs;
}

}  // namespace

FileDialogs& FileDialogs::instance() { return *current(); }

std::unique_ptr<FileDialogs> FileDialogs::install(std::unique_ptr<FileDialogs> dialogs) {
  std::swap(current(), dialogs);
  return dialogs;
}

}  // namespace tandor
