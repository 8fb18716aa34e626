// The page commands of the tabbed browser, driven through a scripted engine: which
// browser each command reaches, the find bar's searches and view-source's way to the
// user's editor. Built against both builds of the control.
#include "findbar.h"
#include "markupwindow.h"
#include "recordinglauncher.h"
#include "scriptedtabs.h"
#include "tabfaces.h"
#include "testmain.h"
#include "toplevelwait.h"
#include "wbcontrol.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

struct Command
{
    const char *name;
    void (WBControl::*method)();
    const char *call;
};

const Command Commands[] = {
    {"SaveFile", &WBControl::SaveFile, "ExecWB SaveAs"},
#ifdef TABBROWSER_LUMBRA
    {"PrintView", &WBControl::PrintView, "ExecWB PrintPreview"},
#else
    {"LookPrint", &WBControl::LookPrint, "ExecWB PrintPreview"},
#endif
    {"PrintPage", &WBControl::PrintPage, "ExecWB Print"},
    {"Getattribute", &WBControl::Getattribute, "ExecWB Properties"},
    {"Cut", &WBControl::Cut, "ExecWB Cut"},
    {"Copy", &WBControl::Copy, "ExecWB Copy"},
    {"paste", &WBControl::paste, "ExecWB Paste"},
    {"SelectAll", &WBControl::SelectAll, "ExecWB SelectAll"},
    {"GoHome", &WBControl::GoHome, "GoHome"},
    {"RefreshPage", &WBControl::RefreshPage, "Refresh"},
    {"StopLink", &WBControl::StopLink, "Stop"},
    {"Goback", &WBControl::Goback, "GoBack"},
    {"Goforward", &WBControl::Goforward, "GoForward"},
    {"GetFile", &WBControl::GetFile, "BodyMarkup"},
};

} // namespace

class PageCommandsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedTabs> tabs;
    WBControl *control = nullptr;
    RecordingLauncher *editor = nullptr;

    ScriptedEngine *engine(int slot) const { return tabs->engine(slot); }
    QWidget *element(const char *role, int slot) const { return tabs->element(role, slot); }
    void openTab(const QString &url)
    {
#ifdef TABBROWSER_LUMBRA
        control->NewWindow(url);
#else
        control->NewWindow(url, false);
#endif
    }
    void pressFace(int slot)
    {
        TabFaces::click(control, slot);
    }
    FindBar *findBar(int slot) const
    {
        return element("WBCnt", slot)->findChild<FindBar *>();
    }
    QString findStatus(int slot) const
    {
        return findBar(slot)->findChild<QLabel *>(QStringLiteral("findStatus"))->text();
    }

private Q_SLOTS:
    void init()
    {
        tabs = std::make_unique<ScriptedTabs>(12000, 6000);
        control = tabs->control;
        auto launcher = std::make_unique<RecordingLauncher>();
        editor = launcher.get();
        control->setTextEditorLauncher(std::move(launcher));
        QVERIFY(tabs->isActive());
    }

    void cleanup()
    {
        tabs.reset();
    }

    void commandsActOnTheTabSelectedLast_data()
    {
        QTest::addColumn<int>("command");
        for (int i = 0; i < int(std::size(Commands)); ++i)
            QTest::newRow(Commands[i].name) << i;
    }

    void commandsActOnTheTabSelectedLast()
    {
        QFETCH(int, command);
        const Command &tested = Commands[command];
        openTab(QStringLiteral("http://one.test/"));
        openTab(QStringLiteral("http://two.test/"));
        pressFace(1);
        QCOMPARE(control->CurTab(), 1);
        for (ScriptedEngine *each : tabs->engines->engines)
            each->calls.clear();

        (control->*tested.method)();
        QCOMPARE(engine(1)->calls, QStringList{QLatin1String(tested.call)});
        QVERIFY(engine(0)->calls.isEmpty());
        QVERIFY(engine(2)->calls.isEmpty());
    }

    void getFileDoesNothingWhileLoading()
    {
        engine(0)->busy = true;
        engine(0)->bodyMarkup = QStringLiteral("<body>x</body>");
        engine(0)->calls.clear();
        control->GetFile();
        QVERIFY(engine(0)->calls.isEmpty());
        QVERIFY(editor->opened.isEmpty());
    }

    void getFileHandsTheMarkupToTheEditorPrivately()
    {
        const QString markup = QStringLiteral("<body class=\"页\"><p>你好 &amp; 再见</p>\n</body>");
        engine(0)->bodyMarkup = markup;
        control->GetFile();
        control->GetFile();
        QCOMPARE(editor->opened.size(), 2);
        for (const RecordingLauncher::Opened &file : std::as_const(editor->opened)) {
            QCOMPARE(QString::fromUtf8(file.content), markup);
            QCOMPARE(file.fileMode, 0600u);
            QCOMPARE(file.folderMode, 0700u);
            QVERIFY(file.path.endsWith(QLatin1String(".txt")));
        }
        // Each view gets a file of its own: an editor still showing one keeps it.
        QVERIFY(editor->opened.at(0).path != editor->opened.at(1).path);
        QVERIFY(QFile::exists(editor->opened.at(0).path));

        // The files go with the control, not before.
        const QString folder = QFileInfo(editor->opened.at(0).path).path();
        tabs.reset();
        QVERIFY(!QFileInfo::exists(folder));
    }

    void withoutAnEditorTheMarkupGetsAWindowOfItsOwn()
    {
        const QString markup = QStringLiteral("<body><h1>标题</h1></body>");
        engine(0)->bodyMarkup = markup;
        engine(0)->name = QStringLiteral("某页");
        editor->opens = false;
        control->GetFile();
        auto *window = waitForTopLevel<MarkupWindow>();
        QVERIFY(window);
        QCOMPARE(window->findChild<QPlainTextEdit *>(QStringLiteral("markup"))->toPlainText(),
                 markup);
        QCOMPARE(window->windowTitle(), QStringLiteral("网页源代码 - 某页"));

        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("源代码.txt"));
        window->saveAs();
        QVERIFY(chooseInFileDialog(saved));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), markup);
        window->close();
    }

    void findBarSearchesTheSelectedPage()
    {
        openTab(QStringLiteral("http://one.test/"));
        pressFace(0);
        control->Find();
        QVERIFY(findBar(0)->isVisible());
        QVERIFY(!findBar(1));
        auto *text = findBar(0)->findChild<QLineEdit *>(QStringLiteral("findText"));
        QVERIFY(text->hasFocus());

        engine(0)->calls.clear();
        engine(0)->findResult = {3, 1};
        QTest::keyClicks(text, QStringLiteral("ab"));
        QCOMPARE(engine(0)->calls,
                 (QStringList{QStringLiteral("FindText a"), QStringLiteral("FindText ab")}));
        QCOMPARE(findStatus(0), QStringLiteral("第 1 处，共 3 处"));

        engine(0)->findResult = {3, 2};
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(engine(0)->lastFindOptions, BrowserEngine::FindOptions{});
        QCOMPARE(findStatus(0), QStringLiteral("第 2 处，共 3 处"));
        QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(engine(0)->lastFindOptions, BrowserEngine::FindOption::Backward);

        engine(0)->findResult = {};
        findBar(0)->findChild<QCheckBox *>(QStringLiteral("matchCase"))->click();
        QCOMPARE(engine(0)->lastFindOptions, BrowserEngine::FindOption::CaseSensitive);
        QCOMPARE(findStatus(0), QStringLiteral("找不到“ab”"));
        QCOMPARE(engine(0)->calls.last(), QStringLiteral("FindText ab"));

        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!findBar(0)->isVisible());
        QCOMPARE(engine(0)->calls.last(), QStringLiteral("FindText "));
        QVERIFY(engine(0)->widget()->hasFocus());
    }

    void eachTabHasItsOwnFindBar()
    {
        openTab(QStringLiteral("http://one.test/"));
        control->Find();
        pressFace(0);
        QVERIFY(!findBar(1)->isVisible());
        control->Find();
        QVERIFY(findBar(0)->isVisible());
        pressFace(1);
        QVERIFY(findBar(1)->isVisible());

        // A closed tab's slot comes back without its old search.
        control->CloseTab(1);
        openTab(QStringLiteral("http://again.test/"));
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(!findBar(1)->isVisible());
    }

    void ctrlFOnThePageOpensTheFindBar()
    {
        engine(0)->widget()->setFocus();
        QTest::keyClick(engine(0)->widget(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(findBar(0) && findBar(0)->isVisible());
        QVERIFY(findBar(0)->findChild<QLineEdit *>(QStringLiteral("findText"))->hasFocus());
    }
};

QUILLET_TEST_MAIN(PageCommandsTest)
#include "tst_pagecommands.moc"
