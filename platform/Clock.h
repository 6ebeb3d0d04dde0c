#pragma once
// The one source of "today" and "now". Tests set a fixed time; the program uses the system clock.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace tandor {

class Clock {
 public:
  static QDateTime now();
  static QDate today() { return now().date(); }
  // Fixes the time that now() returns; an empty value goes back to the system clock.
  static void setFixed(std::optional<QDateTime> fixed);

  // The system's short date (2008-5-1) and long time (9:05:07) texts.
  static QString shortDate(const QDate& date) { return date.toString(QStringLiteral("yyyy-M-d")); }
  static QString longTime(const QTime& time) { return time.toString(QStringLiteral("H:mm:ss")); }
};

}  // namespace tandor
