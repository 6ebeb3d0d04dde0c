#include "overview/PendingOverview.h"

namespace tandor {

bool PendingOverview::complete() const {
  for (const QString* value : {&pr, &baidukuaizhao, &shijiepaiming, &baidushoulu, &gugeshoulu,
                               &yahushoulu, &baidufanlian, &gugefanlian, &yahufanlian}) {
    if (value->isEmpty()) return false;
  }
  return true;
}

void PendingOverview::clear() { *this = PendingOverview(); }

PendingOverview& PendingOverviewValues() {
  static PendingOverview values;
  return values;
}

}  // namespace tandor
