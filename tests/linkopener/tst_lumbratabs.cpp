// Lumbra's build of the tabbed browser: where it differs from Quillet's.
#include "scriptedtabs.h"
#include "tabfaces.h"
#include "testmain.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

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

    void addressDropsOpenInTheirTab_data()
    {
        QTest::addColumn<QByteArray>("role");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("asList");
        TabFaces::addDropRows("text", false);
        TabFaces::addDropRows("address list", true);
    }

    // As in Quillet, but the selection leaves the keyboard where it was.
    void addressDropsOpenInTheirTab()
    {
        QFETCH(QByteArray, role);
        QFETCH(int, slot);
        QFETCH(bool, asList);
        using enum TabFaces::Look;
        control->NewWindow(QStringLiteral("http://a.test/"));
        control->NewWindow(QStringLiteral("http://b.test/"));
        tabs->elsewhere->setFocus();
        QSignalSpy selections(control, &WBControl::SelectTab);
        const QString address = QStringLiteral("http://dropped.test/");
        QMimeData data;
        if (asList)
            data.setUrls({QUrl(address), QUrl(QStringLiteral("http://second.test/"))});
        else
            data.setText(address);

        const TabFaces::DragAndDrop answers = TabFaces::drop(tabs->element(role, slot), data);

        QCOMPARE(answers.move, TabFaces::Copied);
        QCOMPARE(answers.drop, TabFaces::Copied);
        QCOMPARE(engine(slot)->navigations.last(), address);
        QCOMPARE(engine(3 - slot)->navigations.size(), 1);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(control->CurTab(), slot);
        QList expected{Normal, Normal, Normal};
        expected[slot] = Selected;
        QCOMPARE((QList{TabFaces::look(control, 0), TabFaces::look(control, 1),
                        TabFaces::look(control, 2)}),
                 expected);
        QVERIFY(tabs->elsewhere->hasFocus());
    }

    void picturesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("role");
        QTest::addColumn<int>("slot");
        TabFaces::addDropRows("picture");
    }

    // Lumbra has no viewer for pictures.
    void picturesAreRefused()
    {
        QFETCH(QByteArray, role);
        QFETCH(int, slot);
        using enum TabFaces::Look;
        control->NewWindow(QStringLiteral("http://a.test/"));
        control->NewWindow(QStringLiteral("http://b.test/"));
        QSignalSpy selections(control, &WBControl::SelectTab);
        QImage picture(40, 30, QImage::Format_ARGB32);
        picture.fill(Qt::green);
        QMimeData data;
        data.setImageData(picture);

        const TabFaces::DragAndDrop answers = TabFaces::drop(tabs->element(role, slot), data);

        QCOMPARE(answers.move, TabFaces::Refused);
        QCOMPARE(answers.drop, TabFaces::Refused);
        QCOMPARE(engine(1)->navigations.size(), 1);
        QCOMPARE(engine(2)->navigations.size(), 1);
        QCOMPARE(selections.count(), 0);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE((QList{TabFaces::look(control, 0), TabFaces::look(control, 1),
                        TabFaces::look(control, 2)}),
                 (QList{Normal, Normal, Selected}));
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
