// Lumbra's build of the tabbed browser: where it differs from Quillet's.
#include "scriptedtabs.h"
#include "tabfaces.h"
#include "testmain.h"

#include <QSignalSpy>

class LumbraTabsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedTabs> tabs;
    WBControl *control = nullptr;

    ScriptedEngine *engine(int slot) const { return tabs->engine(slot); }

private Q_SLOTS:
    void init()
    {
        tabs = std::make_unique<ScriptedTabs>(8535, 5655);
        control = tabs->control;
        QVERIFY(tabs->isActive());
    }

    void cleanup() { tabs.reset(); }

    void newWindowAlwaysNavigates()
    {
        control->NewWindow(QStringLiteral("http://a.test/"));
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(engine(1)->navigations, QStringList{QStringLiteral("http://a.test/")});
    }

    void openUrlTakesAnyValueHoldingText()
    {
        control->OpenURL(QVariant(QStringLiteral("http://b.test/")));
        QCOMPARE(engine(0)->navigations, QStringList{QStringLiteral("http://b.test/")});
        QCOMPARE(tabs->title(0), QStringLiteral("http://b.test/"));
    }

    void selectionLeavesTheFocusAlone()
    {
        control->NewWindow(QStringLiteral("http://a.test/"));
        tabs->elsewhere->setFocus();
        QSignalSpy selections(control, &WBControl::SelectTab);
        TabFaces::click(control, 0);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(control->CurTab(), 0);
        QVERIFY(tabs->elsewhere->hasFocus());
    }

    void windowsOpenInATabSentToBlankFirst()
    {
        BrowserEngine *target = nullptr;
        bool cancel = false;
        Q_EMIT engine(0)->NewWindow2(target, cancel);
        QCOMPARE(control->openSlots(), QList<qint16>{1});
        QCOMPARE(target, engine(1));
        QCOMPARE(engine(1)->navigations, QStringList{QStringLiteral("About:Blank")});
        QCOMPARE(tabs->title(1), QStringLiteral("空白页"));
    }

    void titleIsTheSelectedPageName()
    {
        control->NewWindow(QStringLiteral("http://a.test/"));
        engine(0)->name = QStringLiteral("zero");
        engine(1)->name = QStringLiteral("one");
        QCOMPARE(control->Title(), QStringLiteral("one"));
    }
};

QUILLET_TEST_MAIN(LumbraTabsTest)
#include "tst_lumbratabs.moc"
