// The page commands of Quillet's tabbed browser on the real engine, with pages served
// on the loopback interface.
#include "findbar.h"
#include "loopbackserver.h"
#include "markupwindow.h"
#include "pageproperties.h"
#include "recordinglauncher.h"
#include "tabfaces.h"
#include "testmain.h"
#include "toplevelwait.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webwait.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const QString Words = QStringLiteral("apple banana Apple");
const QByteArray WordsPage = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                                            "<title>文字</title></head><body><p>%1</p>"
                                            "<input id=\"box\"></body></html>")
                                 .arg(Words)
                                 .toUtf8();

} // namespace

class PageCommandsEngineTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;
    // Takes connections and never answers: pages from here stay loading.
    QTcpServer silent;
    std::unique_ptr<WBControl> control;
    RecordingLauncher *editor = nullptr;

    WebEngineBrowser *browser(int slot) const
    {
        return static_cast<WebEngineBrowser *>(control->browser(static_cast<qint16>(slot)));
    }
    WebEngineBrowser *selected() const { return browser(control->CurTab()); }
    QVariant evaluate(const QString &script) const
    {
        return WebWait::evaluate(selected()->page(), script);
    }
    // The page's text as the engine shows it; needs no script, which saved web
    // archives do not run.
    QString pageText() const
    {
        std::optional<QString> text;
        selected()->page()->toPlainText([&text](const QString &shown) { text = shown; });
        return QTest::qWaitFor([&] { return text.has_value(); }) ? *text : QString();
    }
    QString address(const QString &path) const { return server.url(path).toString(); }
    bool open(const QString &path)
    {
        control->OpenURL(address(path));
        return WebWait::forLocation(selected(), address(path));
    }
    bool openTab(const QString &path)
    {
        control->NewWindow(address(path), false);
        return WebWait::forLocation(selected(), address(path));
    }
    void pressFace(int slot) { TabFaces::click(control.get(), slot); }
    FindBar *findBar() const
    {
        return control->findChild<QWidget *>(QStringLiteral("WBCnt%1").arg(control->CurTab()))
            ->findChild<FindBar *>();
    }
    QString findStatus() const
    {
        return findBar()->findChild<QLabel *>(QStringLiteral("findStatus"))->text();
    }
    // Prints the page at `path` into the PDF file `pdf` through the print dialog.
    bool printToFile(const QString &path, const QString &pdf)
    {
        if (!open(path))
            return false;
        control->PrintPage();
        auto *dialog = waitForTopLevel<QPrintDialog>();
        if (!dialog || dialog->windowTitle() != QStringLiteral("打印"))
            return false;
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (!printers || !fileName)
            return false;
        printers->setCurrentIndex(printers->count() - 1); // print to a file
        fileName->setText(pdf);
        dialog->accept();
        return true;
    }
    static bool isCompletePdf(const QString &pdf)
    {
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray content = file.readAll();
        return content.startsWith("%PDF-") && content.trimmed().endsWith("%%EOF");
    }

private Q_SLOTS:
    void initTestCase()
    {
        server.servePage(QStringLiteral("/home"), QStringLiteral("首页"),
                         QStringLiteral("<p>home</p>"));
        server.servePage(QStringLiteral("/a"), QStringLiteral("A"),
                         QStringLiteral("<p>page A</p>"));
        server.servePage(QStringLiteral("/b"), QStringLiteral("B"),
                         QStringLiteral("<p>page B</p>"));
        server.serve(QStringLiteral("/words"), WordsPage);
        server.servePage(QStringLiteral("/tall"), QStringLiteral("长页"),
                         QStringLiteral("<div style=\"height:4000px\">top</div><p>bottom</p>"));
        // Styled, so that the engine shows the document itself, not a tree view of it.
        server.serve(QStringLiteral("/data.xml"),
                     "<?xml version=\"1.0\"?>"
                     "<?xml-stylesheet type=\"text/css\" href=\"data:text/css,item{color:red}\"?>"
                     "<list><item>one</item></list>",
                     "application/xml");
        server.serve(QStringLiteral("/picture.svg"),
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\">"
                     "<circle cx=\"20\" cy=\"20\" r=\"10\"/></svg>",
                     "image/svg+xml");
        // Once loaded, the page's own script keeps it from ever answering another.
        server.servePage(QStringLiteral("/stuck"), QStringLiteral("卡住"),
                         QStringLiteral("<p>stuck</p><script>onload = () => "
                                        "setTimeout(() => { for (;;) {} }, 100);</script>"));
        QVERIFY(silent.listen(QHostAddress::LocalHost));
    }

    void init()
    {
        control = std::make_unique<WBControl>(
            std::make_unique<WebEngineBrowserFactory>(server.url(QStringLiteral("/home"))));
        auto launcher = std::make_unique<RecordingLauncher>();
        editor = launcher.get();
        control->setTextEditorLauncher(std::move(launcher));
        control->setGeometryTwips(0, 0, 12000, 9000);
        control->show();
        QVERIFY(QTest::qWaitForWindowActive(control.get()));
        QVERIFY(WebWait::forLocation(selected(), address(QStringLiteral("/home"))));
    }

    void cleanup()
    {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (window != control.get() && window->isVisible())
                window->close();
        }
        control.reset();
    }

    void selectAllAndCopyReachTheClipboard()
    {
        QVERIFY(open(QStringLiteral("/words")));
        QGuiApplication::clipboard()->clear();
        control->SelectAll();
        QTRY_VERIFY(evaluate(QStringLiteral("window.getSelection().toString()"))
                        .toString()
                        .contains(Words));
        control->Copy();
        QTRY_VERIFY(QGuiApplication::clipboard()->text().contains(Words));
    }

    void pasteAndCutInAField()
    {
        QVERIFY(open(QStringLiteral("/words")));
        control->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("粘贴的文字"));
        evaluate(QStringLiteral("document.getElementById('box').focus()"));
        control->paste();
        QTRY_COMPARE(evaluate(QStringLiteral("document.getElementById('box').value")).toString(),
                     QStringLiteral("粘贴的文字"));

        evaluate(QStringLiteral("document.getElementById('box').value = '剪下我';"
                                "document.getElementById('box').select()"));
        control->Cut();
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("剪下我"));
        QTRY_COMPARE(evaluate(QStringLiteral("document.getElementById('box').value")).toString(),
                     QString());
    }

    void findOnThePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QString>("status");
        QTest::newRow("present") << QStringLiteral("apple") << false
                                 << QStringLiteral("第 1 处，共 2 处");
        QTest::newRow("present, matching case")
            << QStringLiteral("Apple") << true << QStringLiteral("第 1 处，共 1 处");
        QTest::newRow("absent") << QStringLiteral("cherry") << false
                                << QStringLiteral("找不到“cherry”");
        QTest::newRow("absent in this case")
            << QStringLiteral("APPLE") << true << QStringLiteral("找不到“APPLE”");
    }

    void findOnThePage()
    {
        QFETCH(QString, text);
        QFETCH(bool, matchCase);
        QFETCH(QString, status);
        QVERIFY(open(QStringLiteral("/words")));
        control->Find();
        QVERIFY(findBar()->isVisible());
        if (matchCase)
            findBar()
                ->findChild<QWidget *>(QStringLiteral("matchCase"))
                ->setProperty("checked", true);
        QTest::keyClicks(findBar()->findChild<QLineEdit *>(QStringLiteral("findText")), text);
        QTRY_COMPARE(findStatus(), status);
    }

    void findStepsThroughTheMatches()
    {
        QVERIFY(open(QStringLiteral("/words")));
        control->Find();
        auto *text = findBar()->findChild<QLineEdit *>(QStringLiteral("findText"));
        QTest::keyClicks(text, QStringLiteral("apple"));
        QTRY_COMPARE(findStatus(), QStringLiteral("第 1 处，共 2 处"));
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_COMPARE(findStatus(), QStringLiteral("第 2 处，共 2 处"));
        QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(findStatus(), QStringLiteral("第 1 处，共 2 处"));
    }

    void ctrlFOnThePageOpensTheFindBar()
    {
        QVERIFY(open(QStringLiteral("/words")));
        control->setFocus();
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && selected()->widget()->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(findBar() && findBar()->isVisible());
        auto *text = findBar()->findChild<QLineEdit *>(QStringLiteral("findText"));
        QVERIFY(text->hasFocus());
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!findBar()->isVisible());
        QVERIFY(selected()->widget()->isAncestorOf(QApplication::focusWidget()));
    }

    void historySteps()
    {
        QSignalSpy navigations(control.get(), &WBControl::BeforeNavigate2);
        QVERIFY(openTab(QStringLiteral("/a")));
        // A new tab has nowhere to go back or forward to.
        control->Goback();
        control->Goforward();
        QVERIFY(open(QStringLiteral("/b")));
        QCOMPARE(navigations.size(), 2);

        control->Goback();
        QVERIFY(WebWait::forLocation(selected(), address(QStringLiteral("/a"))));
        control->Goforward();
        QVERIFY(WebWait::forLocation(selected(), address(QStringLiteral("/b"))));
        control->Goforward(); // already the newest page
        control->RefreshPage();
        QVERIFY(WebWait::forLoad(selected()));
        QCOMPARE(selected()->LocationURL(), address(QStringLiteral("/b")));
        QCOMPARE(server.requests().count(QStringLiteral("/b")), 3);
    }

    void homeAndStop()
    {
        QVERIFY(open(QStringLiteral("/a")));
        control->GoHome();
        QVERIFY(WebWait::forLocation(selected(), address(QStringLiteral("/home"))));

        control->OpenURL(QStringLiteral("http://127.0.0.1:%1/never").arg(silent.serverPort()));
        QTRY_VERIFY(selected()->Busy());
        control->GetFile(); // nothing while the page loads
        control->StopLink();
        QTRY_VERIFY(!selected()->Busy());
        control->GetFile();
        QTRY_COMPARE(editor->opened.size(), 1);
    }

    void viewSourceDeliversTheBodyMarkup()
    {
        QVERIFY(open(QStringLiteral("/words")));
        const QString body = evaluate(QStringLiteral("document.body.outerHTML")).toString();
        QVERIFY(body.contains(Words));
        control->GetFile();
        QTRY_COMPARE(editor->opened.size(), 1);
        QCOMPARE(QString::fromUtf8(editor->opened.first().content), body);
        QCOMPARE(editor->opened.first().fileMode, 0600u);
        QCOMPARE(editor->opened.first().folderMode, 0700u);
    }

    void viewSourceOfAPageWithoutBodyIsToldToTheUser_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("XML document") << QStringLiteral("/data.xml");
        QTest::newRow("SVG document") << QStringLiteral("/picture.svg");
        QTest::newRow("no answer") << QStringLiteral("/stuck");
    }

    void viewSourceOfAPageWithoutBodyIsToldToTheUser()
    {
        QFETCH(QString, path);
        QVERIFY(open(path));
        control->GetFile();
        auto *box = waitForTopLevel<QMessageBox>(WebWait::DefaultTimeout);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("源文件"));
        QVERIFY(box->text().startsWith(QStringLiteral("无法显示此网页的源文件。")));
        QVERIFY(editor->opened.isEmpty());
        QVERIFY(!waitForTopLevel<MarkupWindow>(0));
        box->close();
    }

    void commandsActOnTheTabSelectedLast()
    {
        QVERIFY(open(QStringLiteral("/a")));
        QVERIFY(openTab(QStringLiteral("/words")));
        pressFace(0);
        QCOMPARE(control->CurTab(), 0);
        control->GetFile();
        QTRY_COMPARE(editor->opened.size(), 1);
        QVERIFY(editor->opened.first().content.contains("page A"));
        control->SelectAll();
        control->Copy();
        QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("page A"));

        pressFace(1);
        control->SelectAll();
        control->Copy();
        QTRY_VERIFY(QGuiApplication::clipboard()->text().contains(Words));
    }

    void saveWritesAPageThatReloads_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("name");
        QTest::newRow("single file")
            << QStringLiteral("Web 档案，单个文件 (*.mht *.mhtml)") << QStringLiteral("页.mht");
        QTest::newRow("complete") << QStringLiteral("网页，全部 (*.htm *.html)")
                                  << QStringLiteral("页.htm");
        QTest::newRow("HTML only")
            << QStringLiteral("网页，仅 HTML (*.htm *.html)") << QStringLiteral("页.html");
    }

    void saveWritesAPageThatReloads()
    {
        QFETCH(QString, filter);
        QFETCH(QString, name);
        QVERIFY(open(QStringLiteral("/words")));
        const QString text = pageText();
        QVERIFY(text.contains(Words));
        QTemporaryDir folder;
        const QString path = folder.filePath(name);
        QPointer<QWebEngineDownloadRequest> saving;
        const QObject watch;
        connect(selected()->page()->profile(), &QWebEngineProfile::downloadRequested, &watch,
                [&saving](QWebEngineDownloadRequest *request) { saving = request; });
        control->SaveFile();
        QVERIFY(chooseInFileDialog(path, filter));
        QTRY_VERIFY_WITH_TIMEOUT(saving && saving->isFinished(), 20000);
        QCOMPARE(saving->state(), QWebEngineDownloadRequest::DownloadCompleted);

        control->NewWindow(QUrl::fromLocalFile(path).toString(), false);
        QVERIFY(WebWait::forLoad(selected()));
        QTRY_COMPARE(selected()->LocationName(), QStringLiteral("文字"));
        QCOMPARE(pageText(), text);
        QVERIFY(!waitForTopLevel<QMessageBox>(0));
    }

    void cancellingTheSaveSavesNothing()
    {
        QVERIFY(open(QStringLiteral("/words")));
        QList<QPointer<QWebEngineDownloadRequest>> saves;
        const QObject watch;
        connect(selected()->page()->profile(), &QWebEngineProfile::downloadRequested, &watch,
                [&saves](QWebEngineDownloadRequest *request) { saves.append(request); });
        QTemporaryDir folder;
        control->SaveFile();
        auto *dialog = waitForTopLevel<QFileDialog>();
        QVERIFY(dialog);
        dialog->selectFile(folder.filePath(QStringLiteral("取消.mht")));
        dialog->reject();

        // A save that does happen, into the same folder, takes as long as the cancelled
        // one would have: once it is done, the cancelled one would be there too.
        control->SaveFile();
        QVERIFY(chooseInFileDialog(folder.filePath(QStringLiteral("保存.mht"))));
        const auto saved = [&saves] {
            for (const QPointer<QWebEngineDownloadRequest> &save : std::as_const(saves)) {
                if (save && save->isFinished() &&
                    save->downloadFileName() == QStringLiteral("保存.mht"))
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(saved(), 20000);
        QCOMPARE(saves.size(), 1);
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("保存.mht")});
    }

    void aFailedSaveIsToldToTheUser()
    {
        QVERIFY(open(QStringLiteral("/words")));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/页.mht"));
        control->SaveFile();
        QVERIFY(chooseInFileDialog(path));
        auto *box = waitForTopLevel<QMessageBox>();
        QVERIFY(box);
        QVERIFY(box->text().contains(QStringLiteral("无法将网页保存到")));
        QVERIFY(box->text().contains(path));
        box->close();
    }

    void printingToAPdfFile()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
        QVERIFY(printToFile(QStringLiteral("/words"), pdf));
        QTRY_VERIFY_WITH_TIMEOUT(isCompletePdf(pdf), 20000);
    }

    // The engine paints the pages on a thread of its own; the tab's view going away
    // meanwhile must neither crash nor cut the print short.
    void closingWhilePagesArePaintedFinishesThePrint()
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
        QVERIFY(printToFile(QStringLiteral("/tall"), pdf));
        // The file is begun when the first page is painted.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0, 20000);
        control.reset();
        QVERIFY(isCompletePdf(pdf));
    }

    void aPageAskingToBePrintedGetsThePrintDialog()
    {
        QVERIFY(open(QStringLiteral("/words")));
        QSignalSpy requests(static_cast<QWebEngineView *>(selected()->widget()),
                            &QWebEngineView::printRequested);
        evaluate(QStringLiteral("window.print()"));
        auto *dialog = waitForTopLevel<QPrintDialog>();
        QVERIFY(dialog);
        QCOMPARE(requests.count(), 1);
        // Asking again while the dialog is open opens no second one.
        evaluate(QStringLiteral("window.print()"));
        QVERIFY(requests.count() == 2 || requests.wait());
        control->PrintPage();
        int dialogs = 0;
        for (QWidget *window : QApplication::topLevelWidgets())
            dialogs += qobject_cast<QPrintDialog *>(window) && window->isVisible();
        QCOMPARE(dialogs, 1);
        dialog->reject();
    }

    void previewShowsThePages()
    {
        QVERIFY(open(QStringLiteral("/tall")));
        control->LookPrint();
        auto *dialog = waitForTopLevel<QPrintPreviewDialog>();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("打印预览"));
        auto *preview = dialog->findChild<QPrintPreviewWidget *>();
        // Only pages the engine had drawn when the preview asked count: a tall page
        // fills several.
        QTRY_VERIFY_WITH_TIMEOUT(preview->pageCount() > 1, 20000);
        dialog->close();
    }

    void propertiesDescribeThePage()
    {
        QVERIFY(open(QStringLiteral("/words")));
        control->Getattribute();
        auto *dialog = waitForTopLevel<PagePropertiesDialog>();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("属性"));
        const auto field = [dialog](const char *name) {
            return dialog->findChild<QLabel *>(QLatin1String(name))->text();
        };
        QCOMPARE(field("title"), QStringLiteral("文字"));
        QCOMPARE(field("address"), address(QStringLiteral("/words")));
        QCOMPARE(field("protocol"), QStringLiteral("超文本传输协议 (HTTP)"));
        QVERIFY(field("type").contains(QStringLiteral("text/html")));
        QCOMPARE(field("encoding"), QStringLiteral("UTF-8"));
        QCOMPARE(field("secure"), QStringLiteral("否，连接未加密"));
        QCOMPARE(field("size"), QStringLiteral("%1 字节").arg(WordsPage.size()));
        QCOMPARE(field("modified"), QStringLiteral("未知"));
        QVERIFY(field("loaded").contains(
            QDate::currentDate().toString(QStringLiteral("yyyy年M月d日"))));
    }
};

QUILLET_TEST_MAIN(PageCommandsEngineTest)
#include "tst_pagecommands_engine.moc"
