#include "benchio.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace Bench {

namespace {

qint64 clockNs(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

qint64 monotonicNs()
{
    return clockNs(CLOCK_MONOTONIC);
}

qint64 threadCpuNs()
{
    return clockNs(CLOCK_THREAD_CPUTIME_ID);
}

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void listen(QObject *context, std::function<void(const QString &)> handler)
{
    auto *notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [notifier, handler = std::move(handler), pending = QByteArray()]() mutable {
                         char buffer[256];
                         const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
                         if (count <= 0) {
                             notifier->setEnabled(false);
                             return;
                         }
                         pending.append(buffer, count);
                         for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
                             const QString line = QString::fromUtf8(pending.left(end)).trimmed();
                             pending.remove(0, end + 1);
                             handler(line);
                         }
                     });
}

void drain()
{
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace Bench
