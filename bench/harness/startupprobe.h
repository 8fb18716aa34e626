#pragma once

#include "benchio.h"

#include <QCoreApplication>

// Reports the moment the first tab's home page has loaded ("loaded <ns>", monotonic
// clock) and ends the program. Header-only: each harness builds it against its own
// variant of the tabbed control.
template<typename Control> void reportFirstLoad(Control *control)
{
    QObject::connect(control, &Control::DownloadComplete, control, [](qint16 index) {
        if (index != 0)
            return;
        Bench::say(QStringLiteral("loaded %1").arg(Bench::monotonicNs()));
        QCoreApplication::exit(0);
    });
}
