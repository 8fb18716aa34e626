// Menu rows chosen with the pointer on the real engine: the quick-start page in a new
// tab, the blank page in the selected one, and the page's markup handed to the editor.
#include "builtinpages.h"
#include "form1.h"
#include "loopbackserver.h"
#include "menubaruser.h"
#include "recordinglauncher.h"
#include "testmain.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QFile>
#include <QLabel>

namespace {

using namespace MenuBarUser;

} // namespace

class CommandRoutingEngineTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;
    std::unique_ptr<Form1> window;

    WBControl *tabs() const { return window->WBControl1(); }
    QString tabTitle(int slot) const
    {
        return tabs()->findChild<QLabel *>(QStringLiteral("Tstr%1").arg(slot))->text();
    }
    void choose(int bar, int row) const { MenuBarUser::choose(window.get(), bar, row); }

private Q_SLOTS:
    void initTestCase()
    {
        server.servePage(QStringLiteral("/page.html"), QStringLiteral("有正文的页面"),
                         QStringLiteral("<p id='text'>正文</p>"));
    }

    void init()
    {
        window = std::make_unique<Form1>(std::make_unique<WebEngineBrowserFactory>());
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QVERIFY(WebWait::forLocation(tabs()->browser(0), BuiltInPages::home().toString()));
    }

    void cleanup() { window.reset(); }

    void quickStartOpensInANewTabWithItsTitle()
    {
        choose(Help, 0);
        QCOMPARE(tabs()->CurTab(), qint16(1));
        QVERIFY(WebWait::forLocation(tabs()->browser(1), BuiltInPages::quickStart().toString()));
        QTRY_COMPARE(tabTitle(1), QStringLiteral("快速入门"));
    }

    void blankPageBlanksTheSelectedTab()
    {
        const QString page = server.url(QStringLiteral("/page.html")).toString();
        tabs()->OpenURL(page);
        QVERIFY(WebWait::forLocation(tabs()->browser(0), page));
        choose(View, 5);
        QVERIFY(WebWait::forLocation(tabs()->browser(0), QStringLiteral("about:blank")));
        QTRY_COMPARE(tabTitle(0), QStringLiteral("空白页"));
    }

    void sourceHandsThePagesMarkupToTheEditor()
    {
        auto launcher = std::make_unique<RecordingLauncher>();
        RecordingLauncher *editor = launcher.get();
        tabs()->setTextEditorLauncher(std::move(launcher));
        const QString page = server.url(QStringLiteral("/page.html")).toString();
        tabs()->OpenURL(page);
        QVERIFY(WebWait::forLocation(tabs()->browser(0), page));
        choose(View, 7);
        QTRY_COMPARE(editor->opened.size(), 1);
        const QString markup = QString::fromUtf8(editor->opened.first().content);
        QVERIFY2(markup.startsWith(QLatin1String("<body")), qPrintable(markup));
        QVERIFY2(markup.contains(QStringLiteral("<p id=\"text\">正文</p>")), qPrintable(markup));
    }
};

QUILLET_TEST_MAIN(CommandRoutingEngineTest)
#include "tst_commandrouting_engine.moc"
