#include "platform/ui/WidgetSeams.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/FileDialogs.h"
#include "platform/MessageService.h"

namespace tandor {
namespace {

QWidget* dialogParent() { return QApplication::activeWindow(); }

}  // namespace

QString MessageBoxText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

namespace {

class WidgetMessageService final : public MessageService {
 public:
  void information(const QString& text, const QString& caption) override {
    QMessageBox::information(dialogParent(), caption, MessageBoxText(text));
  }
  Answer question(const QString& text, const QString& caption, QuestionButtons buttons) override {
    if (buttons == QuestionButtons::YesNo) {
      return QMessageBox::question(dialogParent(), caption, MessageBoxText(text),
                                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                 ? Answer::Yes
                 : Answer::No;
    }
    return QMessageBox::question(dialogParent(), caption, MessageBoxText(text),
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
  }
  void error(const QString& text) override {
    QMessageBox::critical(dialogParent(), QApplication::applicationDisplayName(),
                          MessageBoxText(text));
  }
};

// "description|pattern|description|pattern" becomes Qt's "description (pattern);;...".
QString qtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  return filters.join(QStringLiteral(";;"));
}

class WidgetFileDialogs final : public FileDialogs {
 public:
  QString save(const FileDialogRequest& request) override { return run(request, true); }
  QString open(const FileDialogRequest& request) override { return run(request, false); }

 private:
  static QString run(const FileDialogRequest& request, bool saving) {
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.selectFile(request.proposedName);
    // Replacing an existing backup needs no question, as the program always did.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
  }
};

}  // namespace

void installWidgetSeams() {
  MessageService::install(std::make_unique<WidgetMessageService>());
  FileDialogs::install(std::make_unique<WidgetFileDialogs>());
}

}  // namespace tandor
