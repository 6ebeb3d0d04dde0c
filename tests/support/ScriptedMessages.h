#pragma once
// A message service for tests: records every box shown and answers questions from a script.
#include <QString>
#include <deque>
#include <vector>

#include "platform/FileDialogs.h"
#include "platform/MessageService.h"

namespace tandor::testing {

struct ShownMessage {
  enum Kind { Information, Question, Error } kind;
  QString text;
  QString caption;
};

class ScriptedMessages final : public MessageService {
 public:
  void information(const QString& text, const QString& caption) override;
  Answer question(const QString& text, const QString& caption, QuestionButtons buttons) override;
  void error(const QString& text) override;

  // Answers for the next questions, in order; with none left a question is answered Cancel/No.
  std::deque<Answer> answers;
  std::vector<ShownMessage> shown;

  QStringList texts() const;
  QString lastText() const { return shown.empty() ? QString() : shown.back().text; }
};

// Installs a ScriptedMessages for the lifetime of the object and puts the old service back.
class MessageScript {
 public:
  MessageScript();
  ~MessageScript();
  ScriptedMessages& operator*() { return *messages_; }
  ScriptedMessages* operator->() { return messages_; }

 private:
  ScriptedMessages* messages_;
  std::unique_ptr<MessageService> previous_;
};

// File dialogs that return scripted names and record the requests they got.
class ScriptedFileDialogs final : public FileDialogs {
 public:
  QString save(const FileDialogRequest& request) override;
  QString open(const FileDialogRequest& request) override;
  QString nextName;
  std::vector<FileDialogRequest> requests;
};

class FileDialogScript {
 public:
  FileDialogScript();
  ~FileDialogScript();
  ScriptedFileDialogs* operator->() { return dialogs_; }

 private:
  ScriptedFileDialogs* dialogs_;
  std::unique_ptr<FileDialogs> previous_;
};

}  // namespace tandor::testing
