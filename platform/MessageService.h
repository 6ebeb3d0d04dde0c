#pragma once
// Every message box of the program goes through this service. The program installs the widget
// implementation; tests install a scripted one that answers questions and records what was shown.
#include <QString>
#include <functional>
#include <memory>

namespace tandor {

enum class MessageIcon { Information, Question, Warning, Error };
enum class QuestionButtons { OkCancel, YesNo };
enum class Answer { Ok, Cancel, Yes, No };

class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual void information(const QString& text, const QString& caption) = 0;
  virtual Answer question(const QString& text, const QString& caption, QuestionButtons buttons) = 0;
  // The application's general error box: the text of an error that ended a command.
  virtual void error(const QString& text) = 0;

  static MessageService& instance();
  // Replaces the service; returns the previous one so a test can put it back.
  static std::unique_ptr<MessageService> install(std::unique_ptr<MessageService> service);
};

// Runs a user command; an exception that escapes it ends the command and its text goes to the
// general error box, leaving the program and its windows as they were.
void runCommand(const std::function<void()>& command);

}  // namespace tandor
