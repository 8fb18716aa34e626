#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// What the benchmark programs share: clocks, and the line protocol between the runner
// and the programs it starts (the program writes lines on stdout, the runner writes
// commands on stdin).
namespace Bench {

// CLOCK_MONOTONIC, comparable between processes of the machine.
qint64 monotonicNs();
// CPU time of the calling thread: unlike wall time, other programs on a busy machine
// do not add to it.
qint64 threadCpuNs();

// One line to the runner, flushed at once.
void say(const QString &line);
// Calls `handler` with each line the runner writes, while `context` lives.
void listen(QObject *context, std::function<void(const QString &)> handler);

// Handles the events already posted, so the next measurement starts from a quiet loop.
void drain();

double median(QList<double> values);

} // namespace Bench
