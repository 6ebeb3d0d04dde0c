#pragma once
// The nine values of a site overview that wait to be stored, named after the columns of the
// overview table that they fill. They belong to the process, not to the overview page: they
// start empty, outlive the page, and are emptied only when the user changes or chooses the site
// in the page's picker. Starting a query does not empty them, so a repeated query of a site
// rewrites its row from the first completion on.
#include <QString>

namespace tandor {

struct PendingOverview {
  QString pr;             // PageRank as cut, untrimmed
  QString baidukuaizhao;  // Baidu snapshot as cut, or "该站未被收录."
  QString shijiepaiming;  // world rank text
  QString baidushoulu;    // the six count texts
  QString gugeshoulu;
  QString yahushoulu;
  QString baidufanlian;
  QString gugefanlian;
  QString yahufanlian;

  // All nine are present, so the day's row may be written.
  bool complete() const;
  void clear();
};

// The process's one set of pending values.
PendingOverview& PendingOverviewValues();

}  // namespace tandor
