// Lumbra with its clock set from outside: at minute 0 of the hour every tick of its
// timer sends the selected tab to the built-in links page, which needs no web server.
#include "desktop.h"
#include "loopbackserver.h"

#include <QTest>

namespace {

// The first link of the links page goes to Baidu over https, which reaches the
// loopback proxy as a tunnel request for the host.
const QString FirstLink = QStringLiteral("www.baidu.com:443");

} // namespace

class E2ELumbraTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;

    // Follows the first link of the page the tab shows, with the keyboard, as a user
    // does: a click on the page's top margin, Tab to the first link, Enter. A tick can
    // reload the page half-way, so this is tried again until the link is followed once
    // more than `followed` times.
    bool followFirstLink(const E2E::TopLevel &window, qsizetype followed)
    {
        const QPoint margin = window.atTwips(120 + 1500, 120 + 480 + 150);
        return QTest::qWaitFor(
            [&] {
                E2E::Input::click(margin);
                E2E::Input::key(QStringLiteral("Tab"));
                E2E::Input::key(QStringLiteral("Return"));
                return QTest::qWaitFor(
                    [&] { return server.requests().count(FirstLink) > followed; }, 2000);
            },
            E2E::DefaultTimeout);
    }

private Q_SLOTS:
    void cleanup() { E2E::saveScreenshotOnFailure(); }

    void opensTheLinksPageAtMinuteZero()
    {
        // The clock starts at 10:00:00 and runs on from there; the monotonic clock the
        // timers and the engine's helpers run on is left alone.
        const std::unique_ptr<E2E::ProcessGroup> lumbra = E2E::startProgram(
            E2E::programPath("lumbra"), static_cast<quint16>(server.url({}).port()),
            {QStringLiteral("faketime"), QStringLiteral("-f"),
             QStringLiteral("@2026-12-11 10:00:00")},
            {QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC=1")});
        const E2E::TopLevel window = E2E::TopLevel::find(QStringLiteral("Form1"));
        QVERIFY2(window.isValid(), "Lumbra's window did not appear");

        // The home page links only to the other built-in pages: a request for Baidu
        // means the links page is on screen and its links work.
        QVERIFY(followFirstLink(window, 0));
        // Every tick of minute 0 opens it again, over the page the link led to.
        QVERIFY(followFirstLink(window, 1));
        // Nothing of the built-in pages came from the web.
        for (const QString &request : server.requests())
            QCOMPARE(request, FirstLink);
    }
};

QUILLET_E2E_MAIN(E2ELumbraTest)
#include "tst_e2e_lumbra.moc"
