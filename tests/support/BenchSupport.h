#pragma once
// Shared by the benchmark programs: a run of this same program in another mode as a child
// process, with its wall time (as the child reports it) and the peak proportional set size of the
// child's whole process tree, browser processes included, sampled while it runs.
#include <sys/types.h>

#include <QString>
#include <QStringList>

namespace tandor::bench {

// PSS of a process and all its descendants, in kB.
qint64 processTreePssKb(pid_t root);

struct ChildRun {
  double elapsedMs = -1;  // the child's "elapsed <ms>" line
  qint64 peakPssKb = 0;
  QString output;
};

// Runs the current executable with the given arguments and waits for it to end.
ChildRun runSelf(const QStringList& arguments, int timeoutMs = 300000);
// As runSelf, but a child that failed ends the benchmark: its output goes to stderr and the
// program exits with 1, so that no figure is printed from a run that measured nothing.
ChildRun runSelfOrExit(const QStringList& arguments, int timeoutMs = 300000);

// Writes the line the parent reads.
void reportElapsed(double milliseconds);

// Prints one figure as "<name>: ours <a> floor <b> ratio <a/b> (target ...)".
void printRatio(const char* name, double ours, double floor, const char* unit, const char* target);

double median(QList<double> values);

}  // namespace tandor::bench
