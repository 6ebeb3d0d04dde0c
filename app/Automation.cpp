#include "app/Automation.h"

#include <QPointer>
#include <QSocketNotifier>
#include <QtGlobal>
#include <cstdio>
#include <unistd.h>

#include "app/MainForm.h"
#include "platform/MessageService.h"

namespace tandor {
namespace {
bool enabled() { return qEnvironmentVariableIsSet("TANDOR_AUTOMATION"); }
}  // namespace

void automationEvent(const char* event, const QString& detail) {
  if (!enabled()) return;
  std::printf("%s %s\n", event, detail.toUtf8().constData());
  std::fflush(stdout);
}

namespace {
class PrintedMessages final : public MessageService {
 public:
  void information(const QString& text, const QString&) override { automationEvent("message", text); }
  Answer question(const QString& text, const QString&, QuestionButtons buttons) override {
    automationEvent("question", text);
    return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
  }
  void error(const QString& text) override { automationEvent("error", text); }
};
}  // namespace

void installAutomationSeams() {
  if (enabled()) MessageService::install(std::make_unique<PrintedMessages>());
}

void startAutomation(TMainForm& mainForm) {
  if (!enabled()) return;
  auto* notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &mainForm);
  QPointer<TMainForm> form(&mainForm);
  QObject::connect(notifier, &QSocketNotifier::activated, &mainForm, [form, notifier] {
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer - 1);
    if (n <= 0) {
      notifier->setEnabled(false);
      return;
    }
    buffer[n] = '\0';
    for (const QByteArray& line : QByteArray(buffer).split('\n')) {
      const QList<QByteArray> words = line.trimmed().split(' ');
      if (!form || words.isEmpty()) continue;
      if (words[0] == "close") {
        form->close();
      } else if (words[0] == "menu" && words.size() > 1) {
        // Triggers a menu item by its name, as a click would.
        if (QAction* item = form->menuItem(QString::fromLatin1(words[1]))) item->trigger();
      } else if (words[0] == "shot" && words.size() > 1) {
        form->grab().save(QString::fromUtf8(words[1]));
        automationEvent("shot", QString::fromUtf8(words[1]));
      }
    }
  });
}

}  // namespace tandor
