#include "uioperations.h"

#include "benchio.h"
#include "wbcontrol.h"

#include <QMouseEvent>
#include <QTest>

namespace {

constexpr int Rounds = 25;
constexpr int RecentCreations = 10;
constexpr int HoverMoves = 10000;
constexpr int HoverRun = 50;

// Thread CPU time of `operation`, in milliseconds.
template<typename Operation> double cpuMs(Operation operation)
{
    const qint64 start = Bench::threadCpuNs();
    operation();
    return double(Bench::threadCpuNs() - start) / 1e6;
}

void result(const QString &key, double value)
{
    Bench::say(QStringLiteral("result %1 %2").arg(key).arg(value, 0, 'f', 4));
}

QWidget *face(WBControl *control, qint16 index)
{
    return control->findChild<QWidget *>(QStringLiteral("MTab") + QString::number(index));
}

class PaintCounter final : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

void measureUiOperations(WBControl *control, int openTabs, const QString &label)
{
    QList<double> created;
    while (control->openSlots().size() + 1 < openTabs) {
        created.append(cpuMs([control] { control->NewWindow(QString(), true); }));
        Bench::drain();
    }
    created = created.mid(qMax<qsizetype>(0, created.size() - RecentCreations));

    QList<double> reused;
    QList<double> selected;
    QList<double> closedLeftmost;
    QList<double> closedSelected;
    for (int round = 0; round < Rounds; ++round) {
        const bool reuse = !control->freeSlots().isEmpty();
        const double opening = cpuMs([control] { control->NewWindow(QString(), true); });
        (reuse ? reused : created).append(opening);
        Bench::drain();

        // Alternate between two tabs in the middle, so every press changes the selection.
        const QList<qint16> &open = control->openSlots();
        QWidget *pressed = face(control, open.at(open.size() / 2 + round % 2));
        selected.append(
            cpuMs([pressed] { QTest::mousePress(pressed, Qt::LeftButton, {}, QPoint(20, 10)); }));
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, QPoint(20, 10));
        Bench::drain();

        const qint16 leftmost = control->openSlots().first();
        closedLeftmost.append(cpuMs([control, leftmost] { control->CloseTab(leftmost); }));
        Bench::drain();

        control->NewWindow(QString(), true);
        Bench::drain();
        const qint16 current = control->CurTab();
        closedSelected.append(cpuMs([control, current] { control->CloseTab(current); }));
        Bench::drain();
    }
    const QString prefix = QStringLiteral("uiops.%1.%2.").arg(label).arg(openTabs);
    result(prefix + QStringLiteral("NewWindow-new"), Bench::median(created));
    result(prefix + QStringLiteral("NewWindow-reuse"), Bench::median(reused));
    result(prefix + QStringLiteral("select"), Bench::median(selected));
    result(prefix + QStringLiteral("CloseTab-leftmost"), Bench::median(closedLeftmost));
    result(prefix + QStringLiteral("CloseTab-selected"), Bench::median(closedSelected));
}

void measureHover(QWidget *face, const QString &label)
{
    PaintCounter counter;
    face->installEventFilter(&counter);
    Bench::drain();
    counter.paints = 0;

    const int y = face->height() / 2;
    int changes = 0;
    bool wasInside = false;
    const qint64 wallStart = Bench::monotonicNs();
    const qint64 cpuStart = Bench::threadCpuNs();
    for (int move = 0; move < HoverMoves; ++move) {
        const bool inside = (move / HoverRun) % 2 == 0;
        const QPoint at = inside ? QPoint(move % (face->width() + 1), y)
                                 : QPoint(face->width() + 1 + move % 40, y);
        QMouseEvent event(QEvent::MouseMove, at, face->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(face, &event);
        changes += inside != wasInside;
        wasInside = inside;
        // Let each change of look reach the screen before the next move.
        QCoreApplication::processEvents();
    }
    Bench::drain();
    const double cpu = double(Bench::threadCpuNs() - cpuStart) / 1e6;
    const double wall = double(Bench::monotonicNs() - wallStart) / 1e6;
    face->removeEventFilter(&counter);

    const QString prefix = QStringLiteral("hover.%1.").arg(label);
    result(prefix + QStringLiteral("cpu-ms"), cpu);
    result(prefix + QStringLiteral("wall-ms"), wall);
    result(prefix + QStringLiteral("paints"), counter.paints);
    result(prefix + QStringLiteral("changes"), changes);
}
