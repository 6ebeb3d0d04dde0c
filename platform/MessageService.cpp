#include "platform/MessageService.h"

#include <QDebug>
#include <exception>

namespace tandor {
namespace {

// Used until the program or a test installs a service: writes to the debug log, answers "no".
class LogMessageService final : public MessageService {
 public:
  void information(const QString& text, const QString& caption) override {
    qInfo().noquote() << caption << ":" << text;
  }
  Answer question(const QString& text, const QString& caption, QuestionButtons buttons) override {
    qInfo().noquote() << caption << "?" << text;
    return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
  }
  void error(const QString& text) override { qWarning().noquote() << "error:" << text; }
};

std::unique_ptr<MessageService>& current() {
  static std::unique_ptr<MessageService> service = std::make_unique<LogMessageService>();
  return service;
}

}  // namespace

MessageService& MessageService::instance() { return *current(); }

std::unique_ptr<MessageService> MessageService::install(std::unique_ptr<MessageService> service) {
  std::swap(current(), service);
  return service;
}

void runCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& e) {
    MessageService::instance().error(QString::fromUtf8(e.what()));
  } catch (...) {
    MessageService::instance().error(QStringLiteral("未知错误"));
  }
}

}  // namespace tandor
