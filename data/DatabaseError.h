#pragma once
// The one error of the database layer. Its text is what the user reads in the general error box.
#include <QString>
#include <stdexcept>

namespace tandor {

class DatabaseError : public std::runtime_error {
 public:
  using runtime_error::runtime_error;
  explicit DatabaseError(const QString& text) : runtime_error(text.toStdString()) {}
  QString text() const { return QString::fromUtf8(what()); }
};

}  // namespace tandor
