// The open dialog as the menus show it: what OK, Enter, Esc, cancel and the close box
// do to the tabs of the main window, the red line for a missing address, Browse, the
// keyboard's way through the dialog, and the dialog's place below a main window that
// moved. Addresses the engine cannot load, and local files, are opened on the real
// engine.
#include "editbox.h"
#include "frmopen.h"
#include "loopbackserver.h"
#include "scriptedtabs.h"
#include "testmain.h"
#include "userview.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>

#include <memory>

namespace {

enum class Confirm
{
    OkButton,
    Enter
};

} // namespace

class OpenTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedTabs> tabs;
    LoopbackServer server;
    // What Browse asked and what the test answers it.
    QString fileAnswer;
    QStringList fileQuestions;

    static QLineEdit *textBox(const frmOpen *dialog)
    {
        return dialog->findChild<EditBox *>(QStringLiteral("EditBox1"))
            ->findChild<QLineEdit *>(QStringLiteral("Text1"));
    }
    static bool redLineShown(const frmOpen *dialog)
    {
        return dialog->findChild<QLabel *>(QStringLiteral("Label2"))->isVisible();
    }
    static void type(const frmOpen *dialog, const QString &text)
    {
        UserView::click(textBox(dialog));
        // Latin letters are typed; Chinese text arrives as an input method commits it.
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(textBox(dialog), c.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(textBox(dialog), &commit);
            }
        }
    }
    static void confirm(const frmOpen *dialog, Confirm how)
    {
        if (how == Confirm::OkButton)
            UserView::clickButton(dialog, QStringLiteral("确定"));
        else
            QTest::keyClick(textBox(dialog), Qt::Key_Return);
    }

    // The control of the dialog that has the keyboard focus, by name.
    static QString focusedControl(const frmOpen *dialog)
    {
        QWidget *control = QApplication::focusWidget();
        while (control && control->parentWidget() != dialog)
            control = control->parentWidget();
        return control ? control->objectName() : QString();
    }

    // Tabs of the real engine in a window of their own, starting on a page served here.
    struct EngineTabs
    {
        explicit EngineTabs(const QUrl &home)
        {
            control = new WBControl(std::make_unique<WebEngineBrowserFactory>(home), &host);
            control->setGeometryTwips(0, 0, 9000, 6000);
            host.show();
            host.activateWindow();
        }
        WebEngineBrowser *selected() const
        {
            return static_cast<WebEngineBrowser *>(control->browser(control->CurTab()));
        }
        QString pageText() const
        {
            std::optional<QString> text;
            selected()->page()->toPlainText([&text](const QString &shown) { text = shown; });
            return QTest::qWaitFor([&] { return text.has_value(); }) ? *text : QString();
        }

        QWidget host;
        WBControl *control = nullptr;
    };

    std::unique_ptr<EngineTabs> engineTabs()
    {
        server.servePage(QStringLiteral("/home"), QStringLiteral("起始"));
        auto real = std::make_unique<EngineTabs>(server.url(QStringLiteral("/home")));
        if (!QTest::qWaitForWindowActive(&real->host) ||
            !WebWait::forLocation(real->selected(), server.url(QStringLiteral("/home")).toString()))
            return nullptr;
        return real;
    }

    void runDialog(const QString &caption, const std::function<void(frmOpen *)> &user)
    {
        runDialogOver(&tabs->host, tabs->control, caption, user);
    }

    // Runs the dialog as the menus do, with `user` acting on it once it is on the
    // screen; a dialog `user` leaves open is cancelled afterwards.
    void runDialogOver(QWidget *host, WBControl *control, const QString &caption,
                       const std::function<void(frmOpen *)> &user)
    {
        bool reached = false;
        QTimer::singleShot(0, this, [&] {
            if (!QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }))
                return;
            auto *dialog = qobject_cast<frmOpen *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            reached = QTest::qWaitForWindowExposed(dialog);
            if (reached)
                user(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        frmOpen::run(caption, host, control,
                     [this](QWidget *owner, const QString &title, const QString &filter) {
                         fileQuestions.append(
                             QStringLiteral("%1|%2|%3").arg(owner->windowTitle(), title, filter));
                         return fileAnswer;
                     });
        QVERIFY(reached);
    }

    ScriptedEngine *engine(int slot) const { return tabs->engine(slot); }
    size_t tabCount() const { return tabs->engines->engines.size(); }

private Q_SLOTS:
    void init()
    {
        tabs = std::make_unique<ScriptedTabs>(9000, 6000);
        tabs->host.move(50, 40);
        QVERIFY(tabs->isActive());
        fileAnswer.clear();
        fileQuestions.clear();
    }

    void cleanup() { tabs.reset(); }

    void missingAddressShowsRedLineUntilEdited_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Confirm>("how");
        QTest::newRow("empty, OK") << QString() << Confirm::OkButton;
        QTest::newRow("empty, Enter") << QString() << Confirm::Enter;
        QTest::newRow("spaces, OK") << QStringLiteral("   ") << Confirm::OkButton;
        QTest::newRow("spaces, Enter") << QStringLiteral("  ") << Confirm::Enter;
    }
    void missingAddressShowsRedLineUntilEdited()
    {
        QFETCH(QString, typed);
        QFETCH(Confirm, how);
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            QVERIFY(!redLineShown(dialog));
            type(dialog, typed);
            confirm(dialog, how);
            QVERIFY(dialog->isVisible());
            QVERIFY(redLineShown(dialog));
            QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                     QStringLiteral("您没有输入正确的文档路径或URL!"));
            type(dialog, QStringLiteral("a"));
            QVERIFY(!redLineShown(dialog));
            QVERIFY(dialog->isVisible());
        });
        QVERIFY(engine(0)->navigations.isEmpty());
        QCOMPARE(tabCount(), size_t(1));
    }

    void confirmOpensInTabTheCaptionNames_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Confirm>("how");
        QTest::addColumn<int>("navigatedSlot");
        QTest::newRow("open, OK") << frmOpen::OpenCaption << Confirm::OkButton << 0;
        QTest::newRow("open, Enter") << frmOpen::OpenCaption << Confirm::Enter << 0;
        QTest::newRow("new tab, OK") << frmOpen::NewTabCaption << Confirm::OkButton << 1;
        QTest::newRow("new tab, Enter") << frmOpen::NewTabCaption << Confirm::Enter << 1;
    }
    void confirmOpensInTabTheCaptionNames()
    {
        QFETCH(QString, caption);
        QFETCH(Confirm, how);
        QFETCH(int, navigatedSlot);
        const QString address = QStringLiteral("http://example.test/页面?q=a b");
        bool closed = false;
        runDialog(caption, [&](frmOpen *dialog) {
            QCOMPARE(dialog->windowTitle(), caption);
            type(dialog, address);
            QCOMPARE(textBox(dialog)->text(), address);
            confirm(dialog, how);
            closed = !dialog->isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(tabCount(), size_t(navigatedSlot + 1));
        QCOMPARE(tabs->control->CurTab(), navigatedSlot);
        QCOMPARE(engine(navigatedSlot)->navigations, QStringList{address});
        if (navigatedSlot != 0)
            QVERIFY(engine(0)->navigations.isEmpty());
    }

    void typedLocalPathOpensThatFile()
    {
        const QString path = QStringLiteral("/tmp/我的 文档/索引 页.html");
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            type(dialog, path);
            confirm(dialog, Confirm::OkButton);
        });
        QCOMPARE(engine(0)->navigations.size(), 1);
        const QUrl opened(engine(0)->navigations.first());
        QCOMPARE(opened.scheme(), QStringLiteral("file"));
        QCOMPARE(opened.toLocalFile(), path);
    }

    void anAddressTheEngineCannotLoadShowsItsErrorPage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<QString>("error");
        QTest::addColumn<Confirm>("how");
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString nobodyListens =
            QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
        closed.close();
        QTest::newRow("port nobody listens on, OK")
            << nobodyListens << nobodyListens << QStringLiteral("ERR_CONNECTION_REFUSED")
            << Confirm::OkButton;
        QTest::newRow("port nobody listens on, Enter")
            << nobodyListens << nobodyListens << QStringLiteral("ERR_CONNECTION_REFUSED")
            << Confirm::Enter;
        const QString missing = QDir::tempPath() + QStringLiteral("/没有的 文件夹/不在 这里.html");
        QTest::newRow("missing local file, OK")
            << missing << QUrl::fromLocalFile(missing).toString()
            << QStringLiteral("ERR_FILE_NOT_FOUND") << Confirm::OkButton;
    }
    void anAddressTheEngineCannotLoadShowsItsErrorPage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, loaded);
        QFETCH(QString, error);
        QFETCH(Confirm, how);
        const auto real = engineTabs();
        QVERIFY(real);
        QSignalSpy finished(real->selected()->page(), &QWebEnginePage::loadFinished);
        bool closedAtOnce = false;
        runDialogOver(&real->host, real->control, frmOpen::OpenCaption, [&](frmOpen *dialog) {
            type(dialog, typed);
            confirm(dialog, how);
            closedAtOnce = !dialog->isVisible();
        });
        QVERIFY(closedAtOnce);
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), WebWait::DefaultTimeout);
        QCOMPARE(finished.first().first().toBool(), false);
        QVERIFY(WebWait::forLocation(real->selected(), loaded));
        // The engine's own page says what went wrong, in place of the home page.
        QTRY_VERIFY_WITH_TIMEOUT(real->pageText().contains(error), WebWait::DefaultTimeout);
        QVERIFY(!real->pageText().contains(QStringLiteral("起始")));
        QCOMPARE(real->control->CurTab(), qint16(0));
    }

    void aLocalPathWithSpacesAndChineseOpensOnTheEngine()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("我的 网页.html"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                  "<title>本地 页面</title></head><body>在磁盘上</body></html>")
                       .toUtf8());
        file.close();
        const auto real = engineTabs();
        QVERIFY(real);
        runDialogOver(&real->host, real->control, frmOpen::OpenCaption, [&](frmOpen *dialog) {
            type(dialog, path);
            confirm(dialog, Confirm::Enter);
        });
        QVERIFY(WebWait::forLocation(real->selected(), QUrl::fromLocalFile(path).toString()));
        QTRY_COMPARE(real->selected()->LocationName(), QStringLiteral("本地 页面"));
        QTRY_COMPARE(real->control->findChild<QLabel *>(QStringLiteral("Tstr0"))->text(),
                     QStringLiteral("本地 页面"));
        QCOMPARE(real->pageText(), QStringLiteral("在磁盘上"));
    }

    void otherCaptionIgnoresOk()
    {
        runDialog(QStringLiteral("打开"), [&](frmOpen *dialog) {
            type(dialog, QStringLiteral("http://example.test/"));
            confirm(dialog, Confirm::OkButton);
            QVERIFY(dialog->isVisible());
            QVERIFY(!redLineShown(dialog));
        });
        QVERIFY(engine(0)->navigations.isEmpty());
        QCOMPARE(tabCount(), size_t(1));
    }

    void cancelOpensNothing_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("取消") << false;
        QTest::newRow("close box") << true;
    }
    void cancelOpensNothing()
    {
        QFETCH(bool, closeBox);
        bool closed = false;
        runDialog(frmOpen::NewTabCaption, [&](frmOpen *dialog) {
            type(dialog, QStringLiteral("http://example.test/"));
            if (closeBox)
                dialog->windowHandle()->close();
            else
                UserView::clickButton(dialog, QStringLiteral("取消"));
            closed = !dialog->isVisible();
        });
        QVERIFY(closed);
        QVERIFY(engine(0)->navigations.isEmpty());
        QCOMPARE(tabCount(), size_t(1));
    }

    void escapeCancels_data()
    {
        QTest::addColumn<int>("tabPresses");
        QTest::addColumn<QString>("focused");
        QTest::newRow("in the text box") << 0 << QStringLiteral("EditBox1");
        QTest::newRow("on 确定") << 2 << QStringLiteral("Button1");
    }
    void escapeCancels()
    {
        QFETCH(int, tabPresses);
        QFETCH(QString, focused);
        bool closed = false;
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            type(dialog, QStringLiteral("http://example.test/"));
            for (int i = 0; i < tabPresses; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focusedControl(dialog), focused);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            closed = !dialog->isVisible();
        });
        QVERIFY(closed);
        QVERIFY(engine(0)->navigations.isEmpty());
        QCOMPARE(tabCount(), size_t(1));
    }

    void tabMovesThroughTheControlsInOrder_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("Tab") << Qt::KeyboardModifiers()
                             << QStringList{QStringLiteral("Button3"), QStringLiteral("Button1"),
                                            QStringLiteral("Button2"), QStringLiteral("EditBox1")};
        QTest::newRow("Shift+Tab")
            << Qt::KeyboardModifiers(Qt::ShiftModifier)
            << QStringList{QStringLiteral("Button2"), QStringLiteral("Button1"),
                           QStringLiteral("Button3"), QStringLiteral("EditBox1")};
    }
    void tabMovesThroughTheControlsInOrder()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, visited);
        QStringList seen;
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            UserView::click(textBox(dialog));
            QCOMPARE(focusedControl(dialog), QStringLiteral("EditBox1"));
            for (qsizetype i = 0; i < visited.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
                seen.append(focusedControl(dialog));
            }
        });
        QCOMPARE(seen, visited);
    }

    void placedBelowMovedMainWindow_data()
    {
        QTest::addColumn<QPoint>("mainAt");
        QTest::newRow("near the corner") << QPoint(10, 20);
        QTest::newRow("moved") << QPoint(230, 160);
    }
    void placedBelowMovedMainWindow()
    {
        QFETCH(QPoint, mainAt);
        tabs->host.move(mainAt);
        QTRY_COMPARE(tabs->host.frameGeometry().topLeft(), mainAt);
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            // 600 and 1080 twips.
            QCOMPARE(dialog->frameGeometry().topLeft(), mainAt + QPoint(40, 72));
            QCOMPARE(QApplication::activeModalWidget(), dialog);
        });
    }

    void showingAgainStartsEmpty()
    {
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            type(dialog, QString());
            confirm(dialog, Confirm::OkButton);
            type(dialog, QStringLiteral("http://example.test/"));
            UserView::clickButton(dialog, QStringLiteral("取消"));
        });
        runDialog(frmOpen::OpenCaption, [&](frmOpen *dialog) {
            QCOMPARE(textBox(dialog)->text(), QString());
            QVERIFY(!redLineShown(dialog));
            // The keyboard starts on "确定".
            QCOMPARE(QApplication::focusWidget(),
                     dialog->findChild<QWidget *>(QStringLiteral("Button1"))
                         ->findChild<QWidget *>(QStringLiteral("MButton")));
        });
    }

    void browsePutsChosenPathInBox_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shown");
        QTest::newRow("picked") << QStringLiteral("/home/用户/docs/index 1.html")
                                << QStringLiteral("/home/用户/docs/index 1.html");
        QTest::newRow("cancelled") << QString() << QStringLiteral("typed");
    }
    void browsePutsChosenPathInBox()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        fileAnswer = chosen;
        runDialog(frmOpen::NewTabCaption, [&](frmOpen *dialog) {
            type(dialog, QStringLiteral("typed"));
            UserView::clickButton(dialog, QStringLiteral("浏览"));
            QCOMPARE(textBox(dialog)->text(), shown);
            QVERIFY(dialog->isVisible());
        });
        QCOMPARE(fileQuestions,
                 QStringList{QStringLiteral("新建页面|打开文件|HTML文件 (*.htm *.html *.mht)")});
        QCOMPARE(tabCount(), size_t(1));
    }
};

QUILLET_TEST_MAIN(OpenTest)
#include "tst_open.moc"
