#include "pictureprobe.h"

#include "benchio.h"
#include "showpic.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPointer>
#include <QRandomGenerator>
#include <QWidget>

#include <algorithm>

namespace {

// Noise does not compress, so the PNG is about as large as its pixels: 3 bytes each.
constexpr int PictureWidth = 5000;
constexpr int PictureHeight = 3500;
constexpr int Rounds = 6;

QByteArray noisePng()
{
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB888);
    QRandomGenerator random(20261211);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(image.scanLine(y));
        // QImage pads each line to whole 32-bit words, so words of noise fill it.
        random.fillRange(line, image.bytesPerLine() / 4);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Nothing to gain from trying harder on noise; the fastest level is as small.
    writer.setQuality(100);
    writer.write(image);
    return bytes;
}

double residentMib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// Handles events until `done` holds.
template<typename Condition> void spinUntil(Condition done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Notes the first paint of the watched widget.
class PaintWatch final : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Milliseconds from the drop to the viewer's first paint of the picture.
double showMs(PictureViewer *viewer, QWidget *mainWindow, const QByteArray &png)
{
    const qint64 start = Bench::monotonicNs();
    if (!viewer->show(png, {}, mainWindow))
        return -1;
    PaintWatch watch;
    viewer->window()->findChild<QWidget *>(QStringLiteral("Picture1"))->installEventFilter(&watch);
    // The paint is done once the events that brought it have been handled.
    spinUntil([&watch] { return watch.painted; });
    return double(Bench::monotonicNs() - start) / 1e6;
}

void closeViewer(PictureViewer *viewer)
{
    const QPointer<ShowPic> window = viewer->window();
    viewer->close();
    // The window deletes itself later, from the event loop.
    spinUntil([&window] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    });
    Bench::drain();
}

} // namespace

void measureDroppedPicture(PictureViewer *viewer, QWidget *mainWindow)
{
    Bench::drain();
    const double empty = residentMib();
    const QByteArray png = noisePng();
    Bench::say(QStringLiteral("result picture.width %1").arg(PictureWidth));
    Bench::say(QStringLiteral("result picture.height %1").arg(PictureHeight));
    Bench::say(QStringLiteral("result picture.png-mib %1").arg(double(png.size()) / (1024 * 1024)));

    QList<double> shown;
    QList<double> decoded;
    double before = 0;
    double showing = 0;
    double after = 0;
    // Interleaved, the first of the two changing each round, so that a burst of load on
    // the machine, or the cost of coming first, falls on both alike. The figures of
    // memory are the worst round's.
    const auto decode = [&png, &decoded] {
        const qint64 start = Bench::monotonicNs();
        const bool ok = !QImage::fromData(png).isNull();
        decoded.append(double(Bench::monotonicNs() - start) / 1e6);
        return ok;
    };
    for (int round = 0; round < Rounds; ++round) {
        if (round % 2 == 0 && !decode())
            return;
        Bench::drain();
        before = std::max(before, residentMib());
        shown.append(showMs(viewer, mainWindow, png));
        Bench::drain();
        showing = std::max(showing, residentMib());
        closeViewer(viewer);
        after = std::max(after, residentMib());
        if (round % 2 == 1 && !decode())
            return;
    }
    Bench::say(QStringLiteral("result picture.show-ms %1").arg(Bench::median(shown)));
    Bench::say(QStringLiteral("result picture.decode-ms %1").arg(Bench::median(decoded)));
    Bench::say(QStringLiteral("result picture.rss-empty-mib %1").arg(empty));
    Bench::say(QStringLiteral("result picture.rss-before-mib %1").arg(before));
    Bench::say(QStringLiteral("result picture.rss-shown-mib %1").arg(showing));
    Bench::say(QStringLiteral("result picture.rss-after-mib %1").arg(after));
}
