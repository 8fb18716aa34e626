// Searching from the address bar: the engine menu opened by the selector, choosing an
// engine by pointer or accelerator, and searches in the selected tab or a new one, on
// scripted engines and end to end on the real engine.
#include "form1.h"
#include "loopbackserver.h"
#include "mymenu.h"
#include "picturebox.h"
#include "scriptedengine.h"
#include "testmain.h"
#include "twips.h"
#include "urledit.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>

#include <limits>

namespace {

// A main window shown and active; on scripted engines unless given a factory.
struct Window
{
    ScriptedEngineFactory *engines = nullptr;
    std::unique_ptr<Form1> form;

    Window()
        : Window(std::make_unique<ScriptedEngineFactory>(), SearchEngines::standard())
    {}
    Window(std::unique_ptr<BrowserEngineFactory> factory, const SearchEngineTable &searchEngines)
        : engines(dynamic_cast<ScriptedEngineFactory *>(factory.get()))
        , form(std::make_unique<Form1>(std::move(factory), searchEngines))
    {
        form->show();
        form->activateWindow();
    }

    URLEdit *bar() const { return form->URLEdit1(); }
    WBControl *tabs() const { return form->WBControl1(); }
    MyMenu *engineMenu() const { return form->findChild<MyMenu *>(QStringLiteral("MyMenu4")); }
    QWidget *engineRow(int row) const
    {
        return engineMenu()->findChild<QWidget *>(QStringLiteral("MMu%1").arg(row));
    }
    QLineEdit *searchBox() const { return bar()->findChild<QLineEdit *>(QStringLiteral("Text2")); }
    QWidget *selector() const { return bar()->findChild<QWidget *>(QStringLiteral("Selsch")); }

    void search(const QString &text, Qt::KeyboardModifiers modifiers = {}) const
    {
        bar()->stFocus(2);
        searchBox()->clear();
        // Latin letters are typed; Chinese text arrives as an input method commits it.
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(searchBox(), c.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(searchBox(), &commit);
            }
        }
        QCOMPARE(searchBox()->text(), text);
        QTest::keyClick(searchBox(), Qt::Key_Return, modifiers);
    }
    void pressSelector(QPoint at = QPoint(4, 6)) const
    {
        QTest::mousePress(selector(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(selector(), Qt::LeftButton, {}, at);
    }
};

const SearchEngine &engine(int index)
{
    return SearchEngines::standard().at(static_cast<size_t>(index));
}

} // namespace

class SearchRoutingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchRightAfterStartUsesTheFirstEngine()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const QStringList history = w.bar()->history();
        w.search(QStringLiteral("abc"));
        ScriptedEngine *tab = w.engines->engines.at(0);
        QCOMPARE(tab->navigations.last(), engine(0).prefix + QStringLiteral("abc"));
        QVERIFY(w.tabs()->openSlots().isEmpty());
        QCOMPARE(w.bar()->history(), history);
    }

    void searchTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("appended");
        QTest::newRow("empty: the bare prefix") << QString() << QString();
        QTest::newRow("a&b stays one value") << QStringLiteral("a&b") << QStringLiteral("a%26b");
        QTest::newRow("spaces kept") << QStringLiteral(" x y ") << QStringLiteral("%20x%20y%20");
        QTest::newRow("Chinese") << QStringLiteral("天气") << QStringLiteral("%E5%A4%A9%E6%B0%94");
    }

    void searchTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, appended);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.search(text);
        QCOMPARE(w.engines->engines.at(0)->navigations.last(), engine(0).prefix + appended);
    }

    void ctrlEnterSearchesInANewTab()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        const qsizetype before = w.engines->engines.at(0)->navigations.size();
        w.search(QStringLiteral("abc"), Qt::ControlModifier);
        QCOMPARE(w.tabs()->openSlots().size(), 1);
        QCOMPARE(w.tabs()->CurTab(), 1);
        QCOMPARE(w.engines->engines.at(1)->navigations,
                 QStringList{engine(0).prefix + QStringLiteral("abc")});
        QCOMPARE(w.engines->engines.at(0)->navigations.size(), before);
    }

    void selectorOpensTheMenuBesideThePressPoint()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        QSignalSpy select(w.bar(), &URLEdit::SelectSerchSite);
        const QPoint at(5, 7);
        w.pressSelector(at);
        QCOMPARE(select.count(), 1);
        MyMenu *menu = w.engineMenu();
        QVERIFY(menu->isVisible());
        // The press point in the bar's own twips, used as the window's.
        const double x = select.at(0).at(0).toDouble();
        const double y = select.at(0).at(1).toDouble();
        QCOMPARE(x, Twips::fromPixels(w.selector()->x() + at.x()));
        QCOMPARE(menu->pos(), Twips::toPixels(x - 2325, y));
        // A closed top border: the menu hangs from no menu-bar button.
        QCOMPARE(menu->findChild<QWidget *>(QStringLiteral("Line2"))->x(), 0);
        // Drawn above the address bar it overlaps.
        QVERIFY(menu->isAncestorOf(w.form->childAt(menu->geometry().topLeft() + QPoint(3, 3))));

        w.pressSelector(at);
        QVERIFY(menu->isHidden());
        QCOMPARE(menu->checkedIndex(), 0);
    }

    void choosingAnEngine_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("row");
        QTest::newRow("left click on Yahoo") << "left" << 2;
        QTest::newRow("right click on Yahoo") << "right" << 2;
        QTest::newRow("accelerator O for Yahoo") << "O" << 2;
        QTest::newRow("accelerator l for Google") << "l" << 1;
        QTest::newRow("left click on Gougou") << "left" << 4;
    }

    void choosingAnEngine()
    {
        QFETCH(QString, how);
        QFETCH(int, row);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        ScriptedEngine *tab = w.engines->engines.at(0);
        const qsizetype navigations = tab->navigations.size();
        w.pressSelector();
        QVERIFY(w.engineMenu()->isVisible());

        if (how == QLatin1String("left") || how == QLatin1String("right")) {
            const Qt::MouseButton button =
                how == QLatin1String("left") ? Qt::LeftButton : Qt::RightButton;
            QTest::mouseMove(w.engineRow(row), QPoint(30, 8));
            QTest::mouseClick(w.engineRow(row), button, {}, QPoint(30, 8));
        } else {
            QTest::keyClick(QApplication::focusWidget(), how.at(0).toLatin1());
        }

        QVERIFY(w.engineMenu()->isHidden());
        QCOMPARE(w.engineMenu()->checkedIndex(), row);
        QCOMPARE(QApplication::focusWidget(), w.searchBox());
        // A plain choice only selects.
        QCOMPARE(tab->navigations.size(), navigations);

        w.search(QStringLiteral("abc"));
        QCOMPARE(tab->navigations.last(), engine(row).prefix + QStringLiteral("abc"));

        // Opened again, the menu shows the check mark on the chosen row only.
        w.pressSelector();
        const auto *mark =
            w.engineMenu()->findChild<PictureBox *>(QStringLiteral("MIcon%1").arg(row));
        QVERIFY(mark->isVisible());
        QVERIFY(!mark->picture().isNull());
        QVERIFY(w.engineMenu()->findChild<QWidget *>(QStringLiteral("MIcon0"))->isHidden());
    }

    void ctrlChoiceOpensTheEngineHomePage()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        ScriptedEngine *tab = w.engines->engines.at(0);
        w.pressSelector();
        QTest::mouseMove(w.engineRow(1), QPoint(30, 8));
        QTest::mouseClick(w.engineRow(1), Qt::LeftButton, Qt::ControlModifier, QPoint(30, 8));
        QCOMPARE(tab->navigations.last(), engine(1).home);
        QCOMPARE(w.engineMenu()->checkedIndex(), 1);
        QCOMPARE(QApplication::focusWidget(), w.searchBox());

        // Ctrl with Shift is not Ctrl alone.
        w.pressSelector();
        const qsizetype navigations = tab->navigations.size();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.engineMenu()->checkedIndex(), 2);
        QCOMPARE(tab->navigations.size(), navigations);
    }

    // The engine menu's choice event carries a row number; only a row of the engine
    // table chooses an engine, any other is ignored. Ctrl is held, so a choice would
    // also open the engine's home page.
    void engineMenuRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("chooses");
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("0") << 0 << true;
        QTest::newRow("4") << 4 << true;
        QTest::newRow("5, the copy's slot") << 5 << false;
        QTest::newRow("6") << 6 << false;
        QTest::newRow("largest") << int(std::numeric_limits<qint16>::max()) << false;
        QTest::newRow("smallest") << int(std::numeric_limits<qint16>::min()) << false;
    }

    void engineMenuRow()
    {
        QFETCH(int, row);
        QFETCH(bool, chooses);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        ScriptedEngine *tab = w.engines->engines.at(0);
        MyMenu *menu = w.engineMenu();
        // The pointer rests on the menu: only a choice closes it.
        menu->setPointerSource([menu] { return menu->mapToGlobal(menu->rect().center()); });
        // Yahoo first, so that choosing row 0 is seen to change the engine.
        w.pressSelector();
        QTest::keyClick(QApplication::focusWidget(), 'o');
        QCOMPARE(menu->checkedIndex(), 2);
        w.pressSelector();
        QVERIFY(menu->isVisible());
        const QStringList navigations = tab->navigations;

        Q_EMIT menu->MouseDown(static_cast<qint16>(row), Qt::LeftButton, Qt::ControlModifier, 0, 0);

        const int engineUsed = chooses ? row : 2;
        QCOMPARE(menu->isVisible(), !chooses);
        QCOMPARE(menu->checkedIndex(), engineUsed);
        QCOMPARE(tab->navigations,
                 chooses ? navigations + QStringList{engine(row).home} : navigations);
        w.search(QStringLiteral("abc"));
        QCOMPARE(tab->navigations.last(), engine(engineUsed).prefix + QStringLiteral("abc"));
    }

    void menuLeftByThePointerHides()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        MyMenu *menu = w.engineMenu();
        menu->setPointerSource([menu] { return menu->mapToGlobal(QPoint(-5, -5)); });
        w.pressSelector();
        QVERIFY(menu->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(menu->isHidden(), 5000);
        QCOMPARE(QApplication::focusWidget(), w.searchBox());
        QCOMPARE(menu->checkedIndex(), 0);
    }

    // The search reaches the engine at its prefix, with the text encoded as its prefix
    // asks: UTF-8 by default, GBK where the prefix names it.
    void searchReachesTheEngine()
    {
        LoopbackServer server;
        server.servePage(QStringLiteral("/s"), QStringLiteral("results"));
        server.servePage(QStringLiteral("/y"), QStringLiteral("gbk results"));
        const QString utf8Prefix = server.url(QStringLiteral("/s?wd=")).toString();
        const QString gbkPrefix = server.url(QStringLiteral("/y?ei=gbk&p=")).toString();
        SearchEngineTable engines = SearchEngines::standard();
        engines[0].prefix = utf8Prefix;
        engines[2].prefix = gbkPrefix;
        Window w(std::make_unique<WebEngineBrowserFactory>(), engines);
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        BrowserEngine *tab = w.tabs()->browser(0);
        QVERIFY(WebWait::forLoad(tab));

        w.search(QStringLiteral("北京 a&b"));
        const QString utf8Query = QStringLiteral("/s?wd=%E5%8C%97%E4%BA%AC%20a%26b");
        QVERIFY(WebWait::forLocation(tab, server.url(utf8Query).toString()));
        QVERIFY(server.requests().contains(utf8Query));

        w.pressSelector();
        QTest::keyClick(QApplication::focusWidget(), 'o');
        w.search(QStringLiteral("北京"));
        const QString gbkQuery = QStringLiteral("/y?ei=gbk&p=%B1%B1%BE%A9");
        QVERIFY(WebWait::forLocation(tab, server.url(gbkQuery).toString()));
        QVERIFY(server.requests().contains(gbkQuery));
    }
};

QUILLET_TEST_MAIN(SearchRoutingTest)
#include "tst_searchrouting.moc"
