#include "processtree.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace ProcessTree {

namespace {

// The parent of `pid` from /proc/<pid>/stat, or -1. The command name may contain
// spaces and parentheses, so the fields are read after its last ')'.
int parentOf(const QString &pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toInt() : -1;
}

qint64 fieldKiB(const QString &path, const QByteArray &name)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // Files of /proc report no size, so they are read whole rather than up to an end.
    qint64 total = -1;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(name))
            total = qMax<qint64>(total, 0) +
                    line.mid(name.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return total;
}

} // namespace

QList<int> members(int root)
{
    QHash<int, QList<int>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool numeric = false;
        const int pid = entry.toInt(&numeric);
        if (numeric)
            children[parentOf(entry)].append(pid);
    }
    QList<int> tree{root};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree.append(children.value(tree.at(i)));
    return tree;
}

Memory memoryKiB(int pid)
{
    const QString rollup = QStringLiteral("/proc/%1/smaps_rollup").arg(pid);
    const qint64 pss = fieldKiB(rollup, "Pss:");
    if (pss < 0) {
        const qint64 rss = fieldKiB(QStringLiteral("/proc/%1/status").arg(pid), "VmRSS:");
        return {qMax<qint64>(0, rss), qMax<qint64>(0, rss)};
    }
    return {pss, qMax<qint64>(0, fieldKiB(rollup, "Pss_Anon:")) +
                     qMax<qint64>(0, fieldKiB(rollup, "Pss_Shmem:"))};
}

Memory totalMemoryKiB(const QList<int> &pids)
{
    Memory total;
    for (const int pid : pids) {
        const Memory one = memoryKiB(pid);
        total.pss += one.pss;
        total.anonymous += one.anonymous;
    }
    return total;
}

} // namespace ProcessTree
