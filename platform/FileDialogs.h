#pragma once
// File dialogs behind a seam: the program asks the widget implementation, tests script the names.
#include <QString>
#include <memory>

namespace tandor {

struct FileDialogRequest {
  QString defaultSuffix;  // without the dot, as the dialog adds it
  QString filter;         // "description|pattern" pairs, as the program writes them
  QString proposedName;
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Each returns the chosen path, or an empty text when the user cancels.
  virtual QString save(const FileDialogRequest& request) = 0;
  virtual QString open(const FileDialogRequest& request) = 0;

  static FileDialogs& instance();
  static std::unique_ptr<FileDialogs> install(std::unique_ptr<FileDialogs> dialogs);
};

}  // namespace tandor
