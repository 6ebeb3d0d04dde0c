#include "platform/Clock.h"

namespace tandor {
namespace {
std::optional<QDateTime>& fixedTime() {
  static std::optional<QDateTime> value;
  return value;
}
}  // namespace

QDateTime Clock::now() { return fixedTime() ? *fixedTime() : QDateTime::currentDateTime(); }

void Clock::setFixed(std::optional<QDateTime> fixed) { fixedTime() = std::move(fixed); }

}  // namespace tandor
