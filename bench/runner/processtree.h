#pragma once

#include <QList>

// The memory of a program together with every process it started (the engine's
// helpers are its children and grandchildren).
namespace ProcessTree {

// `root` and all of its descendants that are alive now.
QList<int> members(int root);
// Resident memory in KiB, as proportional set sizes: a page shared by several
// processes is split among them, so a sum over processes counts each page once.
struct Memory
{
    // All pages. Library pages are also shared with unrelated programs that use the
    // same libraries, so this share moves as those come and go.
    qint64 pss = 0;
    // Anonymous and shared-memory pages only, which only the tree itself shares: the
    // figure unrelated programs do not move.
    qint64 anonymous = 0;
};

// From /proc/<pid>/smaps_rollup; the resident set size for both where the kernel has
// no smaps_rollup.
Memory memoryKiB(int pid);
Memory totalMemoryKiB(const QList<int> &pids);

} // namespace ProcessTree
