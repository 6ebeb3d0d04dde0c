#include "tests/support/ScriptedMessages.h"

#include <QStringList>

namespace tandor::testing {

void ScriptedMessages::information(const QString& text, const QString& caption) {
  shown.push_back({ShownMessage::Information, text, caption});
}

Answer ScriptedMessages::question(const QString& text, const QString& caption,
                                  QuestionButtons buttons) {
  shown.push_back({ShownMessage::Question, text, caption});
  if (answers.empty()) return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void ScriptedMessages::error(const QString& text) {
  shown.push_back({ShownMessage::Error, text, QString()});
}

QStringList ScriptedMessages::texts() const {
  QStringList all;
  for (const ShownMessage& message : shown) all << message.text;
  return all;
}

MessageScript::MessageScript() {
  auto owned = std::make_unique<ScriptedMessages>();
  messages_ = owned.get();
  previous_ = MessageService::install(std::move(owned));
}

MessageScript::~MessageScript() { MessageService::install(std::move(previous_)); }

QString ScriptedFileDialogs::save(const FileDialogRequest& request) {
  requests.push_back(request);
  return nextName;
}

QString ScriptedFileDialogs::open(const FileDialogRequest& request) {
  requests.push_back(request);
  return nextName;
}

FileDialogScript::FileDialogScript() {
  auto owned = std::make_unique<ScriptedFileDialogs>();
  dialogs_ = owned.get();
  previous_ = FileDialogs::install(std::move(owned));
}

FileDialogScript::~FileDialogScript() { FileDialogs::install(std::move(previous_)); }

}  // namespace tandor::testing
