#pragma once

#include <QList>

// The memory of a program together with every process it started (the engine's
// helpers are its children and grandchildren).
namespace ProcessTree {

// `root` and all of its descendants that are alive now.
QList<int> members(int root);
// Proportional set size of `pid` in KiB: shared pages are split among the processes
// that share them, so a sum over processes counts each page once. Falls back to the
// resident set size where the kernel has no smaps_rollup.
qint64 pssKiB(int pid);
qint64 totalPssKiB(const QList<int> &pids);

} // namespace ProcessTree
