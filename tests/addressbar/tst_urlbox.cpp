// The address bar's text boxes driven by real key events: the URL box's typed-character
// rules and completion, the history, the URL property and focus, F5, the search box's
// keys, and the persisted "URL" property.
#include "barfixture.h"
#include "droplist.h"
#include "propertybag.h"
#include "testmain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QSignalSpy>

class UrlBoxTest : public QObject
{
    Q_OBJECT

private:
    BarFixture f;

    void typeInUrlBox(const QString &text)
    {
        f.bar->stFocus(1);
        QTest::keyClicks(f.urlBox(), text);
    }
    // A left click at `position` over `widget`, delivered to the window as the window
    // system delivers it: the pointer gets there before it is pressed.
    void clickThroughWindow(QWidget *widget, QPoint position) const
    {
        QWindow *window = f.window->windowHandle();
        const QPoint at = widget->mapTo(f.window.get(), position);
        QTest::mouseMove(window, at);
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    }
    // Keys typed into the window, to whatever has its focus.
    void typeThroughWindow(const char *text) const
    {
        for (const char *key = text; *key; ++key)
            QTest::keyClick(f.window->windowHandle(), *key);
    }

private Q_SLOTS:
    void init() { QVERIFY(f.show()); }
    void cleanup() { f.reset(); }

    void enterCompletesAndRaisesGoURL_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("ctrl");
        QTest::addColumn<QString>("url");

        const Qt::KeyboardModifiers none;
        QTest::newRow("bare word") << "abc" << Qt::Key_Return << none << false << "http://abc";
        QTest::newRow("prefix in capitals kept") << "HTTP://Example.test/A" << Qt::Key_Return
                                                 << none << false << "HTTP://Example.test/A";
        // An address naming a scheme the browser opens is kept as typed.
        for (const char *address :
             {"https://x.test/", "HTTPS://X.test/", "file:///tmp/a.htm", "about:blank",
              "About:Blank", "ftp://ftp.x.test/pub/", "data:text/html,<b>hi</b>",
              "view-source:http://x.test/", "qrc:/tabbrowser/images/T0.png", "quillet://home/",
              "Quillet://links/mylinks.htm"}) {
            QTest::addRow("kept: %s", address)
                << address << Qt::Key_Return << none << false << address;
        }
        QTest::newRow("absolute path opens the file")
            << "/home/li/a.htm" << Qt::Key_Return << none << false << "file:///home/li/a.htm";
        QTest::newRow("path with a space") << "/home/li/my page.htm" << Qt::Key_Return << none
                                           << false << "file:///home/li/my page.htm";
        QTest::newRow("path with a hash is escaped")
            << "/tmp/a#1.htm" << Qt::Key_Return << none << false << "file:///tmp/a%231.htm";
        QTest::newRow("host and port is no scheme")
            << "localhost:8080/a" << Qt::Key_Return << none << false << "http://localhost:8080/a";
        QTest::newRow("relative path is a host")
            << "li/a.htm" << Qt::Key_Return << none << false << "http://li/a.htm";
        QTest::newRow("short text") << "x.cn" << Qt::Key_Return << none << false << "http://x.cn";
        QTest::newRow("keypad enter")
            << "a.test" << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << false
            << "http://a.test";
        QTest::newRow("ctrl+enter")
            << "abc" << Qt::Key_Return << Qt::KeyboardModifiers(Qt::ControlModifier) << true
            << "http://abc";
        QTest::newRow("ctrl+shift+enter")
            << "http://b.test/" << Qt::Key_Return
            << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier) << true
            << "http://b.test/";
    }

    void enterCompletesAndRaisesGoURL()
    {
        QFETCH(QString, typed);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, ctrl);
        QFETCH(QString, url);

        typeInUrlBox(typed);
        f.urlBox()->setCursorPosition(1);
        QString boxDuringHandler;
        connect(f.bar, &URLEdit::GoURL, this, [&] { boxDuringHandler = f.urlBox()->text(); });
        QSignalSpy go(f.bar, &URLEdit::GoURL);
        QTest::keyClick(f.urlBox(), key, modifiers);

        QCOMPARE(go.count(), 1);
        QCOMPARE(go.at(0).at(0).toBool(), ctrl);
        QCOMPARE(go.at(0).at(1).toString(), url);
        QCOMPARE(boxDuringHandler, url);
        QCOMPARE(f.urlBox()->text(), url);
        QCOMPARE(f.urlBox()->cursorPosition(), url.size());
        QVERIFY(!f.urlBox()->hasSelectedText());
    }

    void caretGoesToTheEndOfWhatTheHandlerLeft()
    {
        typeInUrlBox(QStringLiteral("abc"));
        connect(f.bar, &URLEdit::GoURL, this, [&] {
            f.urlBox()->setText(QStringLiteral("replaced by the host"));
            f.urlBox()->setSelection(0, 3);
        });
        QTest::keyClick(f.urlBox(), Qt::Key_Return);
        QCOMPARE(f.urlBox()->cursorPosition(), 20);
        QVERIFY(!f.urlBox()->hasSelectedText());
    }

    void emptyBoxRaisesNothing_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("enter") << Qt::KeyboardModifiers();
        QTest::newRow("ctrl+enter") << Qt::KeyboardModifiers(Qt::ControlModifier);
    }

    void emptyBoxRaisesNothing()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        f.bar->stFocus(1);
        QSignalSpy go(f.bar, &URLEdit::GoURL);
        QTest::keyClick(f.urlBox(), Qt::Key_Return, modifiers);
        QCOMPARE(go.count(), 0);
        QCOMPARE(f.urlBox()->text(), QString());
    }

    void ctrlASelectsEverythingAndTypesNothing()
    {
        typeInUrlBox(QStringLiteral("abc"));
        f.urlBox()->setCursorPosition(1);
        QTest::keyClick(f.urlBox(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.urlBox()->text(), QStringLiteral("abc"));
        QCOMPARE(f.urlBox()->selectionStart(), 0);
        QCOMPARE(f.urlBox()->selectedText(), QStringLiteral("abc"));
    }

    void ctrlXCutsOnlyASelection_data()
    {
        QTest::addColumn<int>("selectionLength");
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::newRow("nothing selected") << 0 << "abc"
                                          << "untouched";
        QTest::newRow("selection") << 2 << "a"
                                   << "bc";
    }

    void ctrlXCutsOnlyASelection()
    {
        QFETCH(int, selectionLength);
        QFETCH(QString, textAfter);
        QFETCH(QString, clipboardAfter);
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        typeInUrlBox(QStringLiteral("abc"));
        f.urlBox()->setSelection(1, selectionLength);
        QTest::keyClick(f.urlBox(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f.urlBox()->text(), textAfter);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboardAfter);
    }

    void addURLMovesToTheTopIgnoringCase_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("history");
        QTest::newRow("capitals replace") << QStringList{"abc", "ABC"} << QStringList{"ABC"};
        QTest::newRow("third moves to the top")
            << QStringList{"a", "b", "c", "d", "b"} << QStringList{"b", "d", "c", "a"};
        QTest::newRow("letter case of the newest call")
            << QStringList{"http://Ex.test/", "http://x.test/", "HTTP://EX.TEST/"}
            << QStringList{"HTTP://EX.TEST/", "http://x.test/"};
        QTest::newRow("nothing dropped")
            << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}
            << QStringList{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"};
    }

    void addURLMovesToTheTopIgnoringCase()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, history);
        for (const QString &url : added)
            f.bar->AddURL(url);
        QCOMPARE(f.bar->history(), history);
    }

    void urlWritesWaitWhileTheUrlBoxHasFocus()
    {
        QSignalSpy changed(f.bar, &URLEdit::PropertyChanged);
        typeInUrlBox(QStringLiteral("typing"));
        f.bar->setURL(QStringLiteral("http://host.test/"));
        QCOMPARE(f.bar->URL(), QStringLiteral("typing"));
        QCOMPARE(changed.count(), 0);

        // Enter keeps the focus in the box: the completed text stays.
        QTest::keyClick(f.urlBox(), Qt::Key_Return);
        f.bar->setURL(QStringLiteral("http://host.test/"));
        QCOMPARE(f.bar->URL(), QStringLiteral("http://typing"));

        f.bar->stFocus(2);
        f.bar->setURL(QStringLiteral("http://host.test/"));
        QCOMPARE(f.bar->URL(), QStringLiteral("http://host.test/"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("URL"));
    }

    void urlWritesFollowWhereTheFocusIs_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("shown");
        QTest::newRow("another window active") << "other window"
                                               << "typing";
        QTest::newRow("history list dropped down") << "history list"
                                                   << "typing";
        // As when a page's script opens a tab: the tab control focuses the new page while
        // the window is inactive, and Qt tells the URL box nothing until it is active again.
        QTest::newRow("page focused while inactive") << "page"
                                                     << "http://host.test/";
    }

    void urlWritesFollowWhereTheFocusIs()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, shown);
        auto *page = new QWidget(f.window.get());
        page->setFocusPolicy(Qt::StrongFocus);
        page->setGeometry(0, 30, 100, 20);
        page->show();
        typeInUrlBox(QStringLiteral("typing"));

        QWidget other;
        if (meanwhile == QLatin1String("history list")) {
            QTest::mouseClick(f.element("btClick"), Qt::LeftButton, {}, QPoint(3, 3));
            QWidget *dropped = f.element<DropList>("Combo1")->list();
            QVERIFY(QTest::qWaitForWindowExposed(dropped));
            QTRY_COMPARE(QApplication::focusWidget(), dropped);
        } else {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            if (meanwhile == QLatin1String("page"))
                page->setFocus(Qt::OtherFocusReason);
        }
        f.bar->setURL(QStringLiteral("http://host.test/"));
        QCOMPARE(f.bar->URL(), shown);
    }

    void focusSelectsTheWholeText_data()
    {
        QTest::addColumn<int>("what");
        QTest::addColumn<QString>("box");
        QTest::newRow("1: URL box") << 1 << "Text1";
        QTest::newRow("2: search box") << 2 << "Text2";
        QTest::newRow("0: search box") << 0 << "Text2";
        QTest::newRow("-1: search box") << -1 << "Text2";
    }

    void focusSelectsTheWholeText()
    {
        QFETCH(int, what);
        QFETCH(QString, box);
        f.bar->stFocus(static_cast<qint16>(what == 1 ? 2 : 1));
        f.bar->setURL(QStringLiteral("http://shown.test/"));
        f.bar->stFocus(static_cast<qint16>(what));
        auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(focused);
        QCOMPARE(focused->objectName(), box);
        QCOMPARE(focused->selectedText(), focused->text());
        QVERIFY(!focused->text().isEmpty());
    }

    void clickGivingTheFocusLeavesTheWholeTextSelected_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("clickedBefore");
        QTest::addColumn<bool>("wholeText");
        QTest::newRow("URL box gains the focus") << "Text1"
                                                 << "" << true;
        QTest::newRow("search box gains the focus") << "Text2"
                                                    << "" << true;
        QTest::newRow("URL box already clicked into") << "Text1"
                                                      << "box" << false;
        QTest::newRow("search box already clicked into") << "Text2"
                                                         << "box" << false;
        QTest::newRow("URL frame clicked before") << "Text1"
                                                  << "Picture1" << false;
    }

    void clickGivingTheFocusLeavesTheWholeTextSelected()
    {
        QFETCH(QString, box);
        QFETCH(QString, clickedBefore);
        QFETCH(bool, wholeText);
        auto *clicked = f.bar->findChild<QLineEdit *>(box);
        f.bar->stFocus(clicked == f.urlBox() ? 2 : 1);
        f.bar->setURL(QStringLiteral("http://shown.test/"));
        const QString shown = clicked->text();
        QVERIFY(!shown.isEmpty());
        if (clickedBefore == QLatin1String("box"))
            clickThroughWindow(clicked, clicked->rect().center());
        else if (!clickedBefore.isEmpty())
            clickThroughWindow(f.element(clickedBefore.toLatin1().constData()), QPoint(1, 1));

        // Just inside the box's left edge: a placed caret goes before the first character.
        clickThroughWindow(clicked, QPoint(3, clicked->height() / 2));
        QCOMPARE(QApplication::focusWidget(), clicked);
        QCOMPARE(clicked->selectedText(), wholeText ? shown : QString());
        if (!wholeText)
            QCOMPARE(clicked->cursorPosition(), 0);
        typeThroughWindow("abc");
        QCOMPARE(clicked->text(),
                 wholeText ? QStringLiteral("abc") : QStringLiteral("abc") + shown);
    }

    void dragFromThePressGivingTheFocusSelectsWhatItCovers()
    {
        f.bar->stFocus(2);
        f.bar->setURL(QStringLiteral("http://shown.test/"));
        QWindow *window = f.window->windowHandle();
        const QPoint start = f.urlBox()->mapTo(f.window.get(), QPoint(3, 8));
        const QPoint end = start + QPoint(f.urlBox()->fontMetrics().horizontalAdvance("http:"), 0);
        QTest::mouseMove(window, start);
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, end);
        QTest::mouseRelease(window, Qt::LeftButton, {}, end);
        QCOMPARE(QApplication::focusWidget(), f.urlBox());
        QCOMPARE(f.urlBox()->selectionStart(), 0);
        QVERIFY(f.urlBox()->hasSelectedText());
        QVERIFY(f.urlBox()->selectedText() != f.urlBox()->text());
    }

    void clickOnTheUrlFrameFocusesTheUrlBox()
    {
        f.bar->stFocus(2);
        QTest::mouseClick(f.element("Picture1"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(QApplication::focusWidget(), f.urlBox());
        f.bar->setURL(QStringLiteral("http://host.test/"));
        QCOMPARE(f.bar->URL(), QString());
    }

    void f5RefreshesOnReleaseInTheUrlBoxOnly()
    {
        QSignalSpy refresh(f.bar, &URLEdit::RefreshPage);
        f.bar->stFocus(1);
        QTest::keyPress(f.urlBox(), Qt::Key_F5);
        QCOMPARE(refresh.count(), 0);
        QTest::keyRelease(f.urlBox(), Qt::Key_F5);
        QCOMPARE(refresh.count(), 1);
        QTest::keyClick(f.urlBox(), Qt::Key_F6);
        QCOMPARE(refresh.count(), 1);

        f.bar->stFocus(2);
        QTest::keyClick(f.searchBox(), Qt::Key_F5);
        QCOMPARE(refresh.count(), 1);
    }

    void searchBoxKeysRaiseSerch_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("ctrl");
        QTest::newRow("enter") << "quillet" << Qt::KeyboardModifiers() << false;
        QTest::newRow("ctrl+enter")
            << "quillet" << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("empty, no completion") << "" << Qt::KeyboardModifiers() << false;
    }

    void searchBoxKeysRaiseSerch()
    {
        QFETCH(QString, word);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, ctrl);
        QCOMPARE(f.searchBox()->text(), QStringLiteral("Search"));
        f.bar->stFocus(2);
        QTest::keyClick(f.searchBox(), Qt::Key_Delete);
        QTest::keyClicks(f.searchBox(), word);
        QSignalSpy serch(f.bar, &URLEdit::Serch);
        QSignalSpy go(f.bar, &URLEdit::GoURL);
        QTest::keyClick(f.searchBox(), Qt::Key_Return, modifiers);
        QCOMPARE(serch.count(), 1);
        QCOMPARE(serch.at(0).at(0).toString(), word);
        QCOMPARE(serch.at(0).at(1).toBool(), ctrl);
        QCOMPARE(f.searchBox()->text(), word);
        QCOMPARE(go.count(), 0);
    }

    void persistedUrlOmitsTheDefault()
    {
        PropertyBag saved;
        f.bar->WriteProperties(saved);
        QVERIFY(!saved.contains(QStringLiteral("URL")));

        f.bar->ReadProperties(saved);
        QCOMPARE(f.bar->URL(), QString());

        // Loading sets the box even while it has the focus.
        PropertyBag design;
        design.WriteProperty(QStringLiteral("URL"), QStringLiteral("http://design.test/"),
                             QString());
        f.bar->stFocus(1);
        f.bar->ReadProperties(design);
        QCOMPARE(f.bar->URL(), QStringLiteral("http://design.test/"));
        PropertyBag resaved;
        f.bar->WriteProperties(resaved);
        QCOMPARE(resaved.values(), design.values());
    }
};

QUILLET_TEST_MAIN(UrlBoxTest)
#include "tst_urlbox.moc"
