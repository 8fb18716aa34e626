// The about box as a user meets it: the version and user lines it shows, the copy link
// and the real clipboard, its place over a main window that moved, went off the
// screen or shrank, and one box at most.
#include "frmabout.h"
#include "testmain.h"
#include "userview.h"
#include "versiontext.h"

#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QScreen>

#include <memory>

class AboutTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> mainWindow;

    static QLabel *label(const QWidget *dialog, const char *name)
    {
        return dialog->findChild<QLabel *>(QLatin1String(name));
    }
    static QString text(const QWidget *dialog, const char *name)
    {
        const QLabel *found = label(dialog, name);
        return found ? found->text() : QString();
    }
    // Shows the box through `about` and waits until it is on the screen.
    frmAbout *showBox(AboutBox &about)
    {
        about.show(mainWindow.get());
        frmAbout *box = about.dialog();
        if (box && !QTest::qWaitForWindowExposed(box))
            return nullptr;
        return box;
    }

private Q_SLOTS:
    void init()
    {
        mainWindow = std::make_unique<QWidget>();
        mainWindow->setGeometry(100, 60, 600, 450);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
    }

    void cleanup()
    {
        qDeleteAll(UserView::openWindows<frmAbout>());
        mainWindow.reset();
    }

    void versionShownFromTheFileVersion_data()
    {
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("this build's numbers")
            << QStringLiteral("1.3.0.2") << QStringLiteral("1.3.2");
        QTest::newRow("two-digit minor") << QStringLiteral("2.10.0.7") << QStringLiteral("2.10.7");
        QTest::newRow("leading zeros") << QStringLiteral("01.03.00.02") << QStringLiteral("1.3.2");
        QTest::newRow("build number left out")
            << QStringLiteral("4.5.6.8") << QStringLiteral("4.5.8");
        QTest::newRow("no revision") << QStringLiteral("1.3") << QStringLiteral("1.3.0");
    }

    void versionShownFromTheFileVersion()
    {
        QFETCH(QString, fileVersion);
        QFETCH(QString, shown);
        QCOMPARE(shownVersion(fileVersion), shown);
    }

    void theBoxShowsThisBuildsVersionAndTheContact()
    {
        AboutBox about([] { return QStringLiteral("li"); });
        frmAbout *box = showBox(about);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("关于"));
        QCOMPARE(text(box, "Label3"), QStringLiteral("版本:"));
        QCOMPARE(text(box, "Label4"), QStringLiteral(EXPECTED_VERSION));
        QCOMPARE(text(box, "Label8"), QStringLiteral("E-mail: quillet@example.com"));
        QCOMPARE(text(box, "Label10"), QStringLiteral("<-复制"));
        QVERIFY(!label(box, "Label11")->isVisible());
        // The name and its shadow, whole, inside the box.
        for (const char *name :
             {"Label1", "Label2", "Label5", "Label7", "Label8", "Label9", "Label10", "Label11"})
            QVERIFY2(box->rect().contains(label(box, name)->geometry()), name);
        // The copy link and the note after it leave the whole address readable.
        QVERIFY(!label(box, "Label10")->geometry().intersects(label(box, "Label8")->geometry()));
        QVERIFY(!label(box, "Label11")->geometry().intersects(label(box, "Label10")->geometry()));
    }

    void userLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("line");
        QTest::newRow("signed in as li") << QStringLiteral("li") << QStringLiteral("授权给: li");
        QTest::newRow("a Chinese name") << QStringLiteral("李雷") << QStringLiteral("授权给: 李雷");
        QTest::newRow("name not readable") << QString() << QStringLiteral("授权给: 未知用户名");
    }

    void userLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, line);
        AboutBox about([name] { return name; });
        frmAbout *box = showBox(about);
        QVERIFY(box);
        QCOMPARE(text(box, "Label9"), line);
    }

    void userLineNamesTheSignedInUser()
    {
        QProcess id;
        id.start(QStringLiteral("id"), {QStringLiteral("-un")});
        QVERIFY(id.waitForFinished());
        const QString name = QString::fromLocal8Bit(id.readAllStandardOutput()).trimmed();
        QVERIFY(!name.isEmpty());
        AboutBox about;
        frmAbout *box = showBox(about);
        QVERIFY(box);
        QCOMPARE(text(box, "Label9"), QStringLiteral("授权给: ") + name);
    }

    void copyLink_data()
    {
        QTest::addColumn<QList<Qt::MouseButton>>("clicks");
        QTest::addColumn<bool>("copied");
        QTest::newRow("left click") << QList<Qt::MouseButton>{Qt::LeftButton} << true;
        QTest::newRow("right click") << QList<Qt::MouseButton>{Qt::RightButton} << false;
        QTest::newRow("clicked twice")
            << QList<Qt::MouseButton>{Qt::LeftButton, Qt::LeftButton} << true;
        QTest::newRow("middle, then left")
            << QList<Qt::MouseButton>{Qt::MiddleButton, Qt::LeftButton} << true;
    }

    void copyLink()
    {
        QFETCH(QList<Qt::MouseButton>, clicks);
        QFETCH(bool, copied);
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("别的文字"));
        QTRY_COMPARE(clipboard->text(), QStringLiteral("别的文字"));
        AboutBox about([] { return QStringLiteral("li"); });
        frmAbout *box = showBox(about);
        QVERIFY(box);
        for (const Qt::MouseButton button : std::as_const(clicks))
            UserView::click(label(box, "Label10"), button);
        const QString expected =
            copied ? QStringLiteral("quillet@example.com") : QStringLiteral("别的文字");
        QTRY_COMPARE(clipboard->text(), expected);
        QCOMPARE(label(box, "Label11")->isVisible(), copied);
        QCOMPARE(text(box, "Label11"), QStringLiteral("E-mail地址已复制!"));
        if (copied)
            QCOMPARE(clipboard->mimeData()->formats(), QStringList{QStringLiteral("text/plain")});
    }

    void centredOverTheMainWindowWhereverItMoved_data()
    {
        QTest::addColumn<QRect>("mainGeometry");
        QTest::newRow("where it started") << QRect(100, 60, 600, 450);
        QTest::newRow("moved") << QRect(20, 120, 600, 450);
        QTest::newRow("shrunk below its layout") << QRect(300, 250, 60, 30);
    }

    void centredOverTheMainWindowWhereverItMoved()
    {
        QFETCH(QRect, mainGeometry);
        AboutBox about;
        // Opened and closed once where the window started, then opened again.
        QVERIFY(showBox(about));
        QVERIFY(UserView::clickButton(about.dialog(), QStringLiteral("确定")));
        QTRY_VERIFY(!about.dialog());
        mainWindow->setGeometry(mainGeometry);
        QTRY_COMPARE(mainWindow->geometry(), mainGeometry);
        frmAbout *box = showBox(about);
        QVERIFY(box);
        const QRect main = mainWindow->frameGeometry();
        const QRect outer = box->frameGeometry();
        QVERIFY(qAbs(outer.center().x() - main.center().x()) <= 1);
        QVERIFY(qAbs(outer.center().y() - main.center().y()) <= 1);
    }

    void keptOnTheScreenWhenTheMainWindowIsNot_data() { UserView::addOffScreenMainWindowRows(); }

    void keptOnTheScreenWhenTheMainWindowIsNot()
    {
        QFETCH(QPoint, mainPlace);
        mainWindow->move(mainPlace);
        QTRY_COMPARE(mainWindow->pos(), mainPlace);
        AboutBox about;
        frmAbout *box = showBox(about);
        QVERIFY(box);
        QVERIFY(mainWindow->screen()->availableGeometry().contains(box->frameGeometry()));
        QVERIFY(UserView::clickButton(box, QStringLiteral("确定")));
        QTRY_VERIFY(!about.dialog());
    }

    void oneBoxAtMost()
    {
        AboutBox about;
        frmAbout *first = showBox(about);
        QVERIFY(first);
        auto *other = new QWidget;
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        about.show(mainWindow.get());
        QCOMPARE(about.dialog(), first);
        QTRY_VERIFY(first->isActiveWindow());
        QCOMPARE(UserView::openWindows<frmAbout>().size(), 1);
        delete other;
    }

    void closedByOkAndByTheCloseBox_data()
    {
        QTest::addColumn<bool>("byOk");
        QTest::newRow("确定") << true;
        QTest::newRow("close box") << false;
    }

    void closedByOkAndByTheCloseBox()
    {
        QFETCH(bool, byOk);
        AboutBox about;
        const QPointer<frmAbout> box = showBox(about);
        QVERIFY(box);
        if (byOk)
            QVERIFY(UserView::clickButton(box, QStringLiteral("确定")));
        else
            QVERIFY(box->windowHandle()->close());
        QTRY_VERIFY(!box);
        QVERIFY(UserView::openWindows<frmAbout>().isEmpty());
        // The box does not belong to the main window and is not one of its children.
        QVERIFY(mainWindow->findChildren<frmAbout *>().isEmpty());
    }

    void theBoxOutlivesTheMainWindow()
    {
        AboutBox about;
        const QPointer<frmAbout> box = showBox(about);
        QVERIFY(box);
        mainWindow.reset();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(!box->parent());
    }
};

QUILLET_TEST_MAIN(AboutTest)
#include "tst_about.moc"
