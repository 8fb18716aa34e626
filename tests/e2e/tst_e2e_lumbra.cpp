// Lumbra with its clock set from outside: at minute 0 of the hour every tick of its
// timer sends the selected tab to the links page.
#include "desktop.h"
#include "loopbackserver.h"

#include <QTest>

namespace {

const QColor LinksColour(30, 180, 60);

} // namespace

class E2ELumbraTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;

private Q_SLOTS:
    void cleanup() { E2E::saveScreenshotOnFailure(); }

    void opensTheLinksPageAtMinuteZero()
    {
        server.serve(QStringLiteral("/mylinks.htm"),
                     QStringLiteral("<!DOCTYPE html><html><head><title>links</title></head>"
                                    "<body style=\"margin:0;height:100vh;background:%1\"></body>"
                                    "</html>")
                         .arg(LinksColour.name())
                         .toUtf8());
        // The clock starts at 10:00:00 and runs on from there; the monotonic clock the
        // timers and the engine's helpers run on is left alone.
        const std::unique_ptr<E2E::ProcessGroup> lumbra = E2E::startProgram(
            E2E::programPath("lumbra"), static_cast<quint16>(server.url({}).port()),
            {QStringLiteral("faketime"), QStringLiteral("-f"),
             QStringLiteral("@2026-12-11 10:00:00")},
            {QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC=1")});
        const E2E::TopLevel window = E2E::TopLevel::find(QStringLiteral("Form1"));
        QVERIFY2(window.isValid(), "Lumbra's window did not appear");

        E2E_TRY_VERIFY(server.requests().contains(QStringLiteral("http://localhost/mylinks.htm")));
        // The browser control sits at 120, 120; its page starts 480 below that.
        const QPoint page = window.atTwips(120 + 1500, 120 + 480 + 1500);
        E2E_TRY_COMPARE(E2E::screenshot().pixelColor(page), LinksColour);
        // Every tick of minute 0 opens it again.
        const qsizetype opened =
            server.requests().count(QStringLiteral("http://localhost/mylinks.htm"));
        E2E_TRY_VERIFY(server.requests().count(QStringLiteral("http://localhost/mylinks.htm")) >
                       opened);
    }
};

QUILLET_E2E_MAIN(E2ELumbraTest)
#include "tst_e2e_lumbra.moc"
