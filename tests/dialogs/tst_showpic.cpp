// The image viewer as a user meets it: where it opens, the picture shown whole with
// the button strip, copy onto the real clipboard, save through the file dialog, close,
// a second picture in the same window, and pictures that cannot be shown.
#include "showpic.h"
#include "testmain.h"
#include "toplevelwait.h"
#include "twips.h"
#include "userview.h"

#include <QBuffer>
#include <QClipboard>
#include <QImageReader>
#include <QImageWriter>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>

#include <memory>

class ShowPicTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<PictureViewer> viewer;

    // A picture whose every pixel differs from its neighbours, so that a shift, a cut
    // or a scaling shows.
    static QImage picture(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 3) % 256));
        }
        return image;
    }
    static QByteArray encoded(const QImage &image, const char *format = "png")
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, format).write(image);
        return bytes;
    }
    static PictureBox *shownBox(const ShowPic *window)
    {
        return window->findChild<PictureBox *>(QStringLiteral("Picture1"));
    }
    static QImage shownImage(const ShowPic *window)
    {
        return shownBox(window)->picture().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Drops `bytes` on the viewer and waits until its window is on the screen.
    ShowPic *drop(const QByteArray &bytes)
    {
        if (!viewer->show(bytes, {}, mainWindow.get()))
            return nullptr;
        ShowPic *window = viewer->window();
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
    // The whole picture, and every button, lie inside the window; the picture below the
    // strip.
    static void verifyAllInView(const ShowPic *window)
    {
        const QRect picture = shownBox(window)->geometry();
        QVERIFY(window->rect().contains(picture));
        QVERIFY(picture.top() >= Twips::toPixels(ShowPic::StripHeight));
        const auto buttons = window->findChildren<Button *>();
        QCOMPARE(buttons.size(), 3);
        for (const Button *button : buttons)
            QVERIFY(window->rect().contains(button->geometry()));
        QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
    }

    // Types `path` into the file dialog's name box and presses Enter, as a user does.
    // (Choosing the file by program loses the race with a name box that has the focus.)
    static bool typeIntoFileDialog(const QString &path)
    {
        auto *dialog = waitForTopLevel<QFileDialog>();
        if (!dialog)
            return false;
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!name || !QTest::qWaitForWindowActive(dialog))
            return false;
        name->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        for (const QChar c : path) {
            if (c.unicode() < 0x80)
                QTest::keyClick(name, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), {});
        }
        QTest::keyClick(name, Qt::Key_Return);
        return QTest::qWaitFor([dialog] { return !dialog->isVisible(); });
    }

private Q_SLOTS:
    void init()
    {
        mainWindow = std::make_unique<QWidget>();
        mainWindow->setGeometry(100, 60, 600, 450);
        mainWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow.get()));
        viewer = std::make_unique<PictureViewer>();
    }

    void cleanup()
    {
        qDeleteAll(UserView::openWindows<ShowPic>());
        viewer.reset();
        mainWindow.reset();
    }

    void opensBelowTheMainWindowsCorner_data()
    {
        QTest::addColumn<QPoint>("mainPlace");
        QTest::newRow("where it started") << QPoint(100, 60);
        QTest::newRow("moved") << QPoint(30, 250);
    }

    void opensBelowTheMainWindowsCorner()
    {
        QFETCH(QPoint, mainPlace);
        // Opened and closed once where the main window started, then opened again.
        QVERIFY(drop(encoded(picture(200, 150))));
        QVERIFY(UserView::clickButton(viewer->window(), QStringLiteral("关闭")));
        QTRY_VERIFY(!viewer->window());
        mainWindow->move(mainPlace);
        QTRY_COMPARE(mainWindow->pos(), mainPlace);
        ShowPic *window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("图像浏览器"));
        const QPoint offset =
            window->frameGeometry().topLeft() - mainWindow->frameGeometry().topLeft();
        QVERIFY(qAbs(offset.x() - 200.0 / Twips::PerPixel) <= 1);
        QVERIFY(qAbs(offset.y() - 2000.0 / Twips::PerPixel) <= 1);
    }

    void keptOnTheScreenWhenTheMainWindowIsNot_data() { UserView::addOffScreenMainWindowRows(); }

    void keptOnTheScreenWhenTheMainWindowIsNot()
    {
        QFETCH(QPoint, mainPlace);
        mainWindow->move(mainPlace);
        QTRY_COMPARE(mainWindow->pos(), mainPlace);
        ShowPic *window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        verifyAllInView(window);
        QVERIFY(UserView::clickButton(window, QStringLiteral("关闭")));
        QTRY_VERIFY(!viewer->window());
    }

    void aSmallPictureAtItsSizeCentred()
    {
        const QImage dropped = picture(200, 150);
        ShowPic *window = drop(encoded(dropped));
        QVERIFY(window);
        // The window keeps its design size.
        QCOMPARE(window->size(), Twips::toPixels(QSizeF(ShowPic::Width, ShowPic::Height)));
        QCOMPARE(shownImage(window), dropped);
        const QRect shown = shownBox(window)->geometry();
        QVERIFY(qAbs(shown.left() - (window->width() - shown.right() - 1)) <= 1);
        verifyAllInView(window);
    }

    void aLargePictureShownWhole_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("wider than the window") << QSize(500, 200) << false;
        QTest::newRow("taller than the window") << QSize(150, 500) << false;
        QTest::newRow("wider than the screen") << QSize(3000, 1500) << true;
        QTest::newRow("taller than the screen") << QSize(900, 4000) << true;
        // 50 MB as a bitmap file.
        QTest::newRow("50 MB") << QSize(4100, 4100) << true;
    }

    void aLargePictureShownWhole()
    {
        QFETCH(QSize, size);
        QFETCH(bool, scaled);
        const QImage dropped = picture(size.width(), size.height());
        ShowPic *window = drop(encoded(dropped, "bmp"));
        QVERIFY(window);
        verifyAllInView(window);
        const QImage shown = shownImage(window);
        if (!scaled) {
            QCOMPARE(shown, dropped);
            return;
        }
        QVERIFY(shown.width() < size.width());
        const double proportion = double(size.width()) / size.height();
        QVERIFY(qAbs(double(shown.width()) / shown.height() - proportion) < 0.02);
        // The window holds the picture as dropped, for copy and save.
        QCOMPARE(window->picture(), dropped);
    }

    void copyPutsThePictureOnTheClipboard()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("别的文字"));
        QTRY_COMPARE(clipboard->text(), QStringLiteral("别的文字"));
        const QImage dropped = picture(200, 150);
        ShowPic *window = drop(encoded(dropped));
        QVERIFY(window);
        QVERIFY(UserView::clickButton(window, QStringLiteral("复制")));
        QTRY_VERIFY(!clipboard->image().isNull());
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), dropped);
        QVERIFY(clipboard->text().isEmpty());
    }

    void closedByItsButtonAndTheCloseBox_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("关闭") << true;
        QTest::newRow("close box") << false;
    }

    void closedByItsButtonAndTheCloseBox()
    {
        QFETCH(bool, byButton);
        const QPointer<ShowPic> window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        if (byButton)
            QVERIFY(UserView::clickButton(window, QStringLiteral("关闭")));
        else
            QVERIFY(window->windowHandle()->close());
        // The window, and the picture it held, are gone.
        QTRY_VERIFY(!window);
        QVERIFY(!viewer->window());
        QVERIFY(UserView::openWindows<ShowPic>().isEmpty());
    }

    void tabMovesThroughTheButtonsInOrder_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("visited");
        QTest::newRow("Tab") << Qt::KeyboardModifiers()
                             << QStringList{QStringLiteral("保存"), QStringLiteral("关闭"),
                                            QStringLiteral("复制")};
        QTest::newRow("Shift+Tab")
            << Qt::KeyboardModifiers(Qt::ShiftModifier)
            << QStringList{QStringLiteral("关闭"), QStringLiteral("保存"), QStringLiteral("复制")};
    }
    void tabMovesThroughTheButtonsInOrder()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, visited);
        ShowPic *window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        const auto focusedCaption = [window] {
            QWidget *focused = QApplication::focusWidget();
            while (focused && focused->parentWidget() != window)
                focused = focused->parentWidget();
            const auto *button = qobject_cast<Button *>(focused);
            return button ? button->Caption() : QString();
        };
        // The keyboard starts on the first button.
        QTRY_COMPARE(focusedCaption(), QStringLiteral("复制"));
        QStringList seen;
        for (qsizetype i = 0; i < visited.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            seen.append(focusedCaption());
        }
        QCOMPARE(seen, visited);
    }

    void theHostClosesTheViewer()
    {
        const QPointer<ShowPic> window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        viewer->close();
        QTRY_VERIFY(!window);
        viewer->close();
    }

    void aSecondPictureReplacesTheFirstInTheSameWindow()
    {
        ShowPic *first = drop(encoded(picture(200, 150)));
        QVERIFY(first);
        const QPoint place = first->frameGeometry().topLeft();
        const QImage second = picture(120, 300).mirrored(true, false);
        ShowPic *window = drop(encoded(second));
        QCOMPARE(window, first);
        QCOMPARE(UserView::openWindows<ShowPic>().size(), 1);
        QCOMPARE(shownImage(window), second);
        QCOMPARE(window->frameGeometry().topLeft(), place);
        verifyAllInView(window);
    }

    void theViewerOutlivesTheMainWindow()
    {
        const QPointer<ShowPic> window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        mainWindow.reset();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QVERIFY(!window->parent());
    }

    void saveWritesTheFormTheNameAsks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << QStringLiteral("图.png") << QStringLiteral("图.png")
                             << QByteArray("png");
        QTest::newRow("no suffix: PNG")
            << QStringLiteral("图") << QStringLiteral("图.png") << QByteArray("png");
        QTest::newRow("JPEG") << QStringLiteral("图.jpg") << QStringLiteral("图.jpg")
                              << QByteArray("jpeg");
        QTest::newRow("BMP") << QStringLiteral("图.bmp") << QStringLiteral("图.bmp")
                             << QByteArray("bmp");
    }

    void saveWritesTheFormTheNameAsks()
    {
        QFETCH(QString, name);
        QFETCH(QString, written);
        QFETCH(QByteArray, format);
        const QImage dropped = picture(200, 150);
        ShowPic *window = drop(encoded(dropped, "bmp"));
        QVERIFY(window);
        QTemporaryDir folder;
        QVERIFY(UserView::clickButton(window, QStringLiteral("保存")));
        QVERIFY(typeIntoFileDialog(folder.filePath(name)));
        const QString path = folder.filePath(written);
        QTRY_VERIFY(QFileInfo(path).size() > 0);
        QImageReader reader(path);
        QCOMPARE(reader.format(), format);
        const QImage read = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(read.size(), dropped.size());
        if (format != "jpeg")
            QCOMPARE(read, dropped);
        QVERIFY(!waitForTopLevel<QMessageBox>(0));
    }

    void anUnwritablePlaceIsToldToTheUser()
    {
        ShowPic *window = drop(encoded(picture(200, 150)));
        QVERIFY(window);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("没有/图.png"));
        QVERIFY(UserView::clickButton(window, QStringLiteral("保存")));
        QVERIFY(typeIntoFileDialog(path));
        auto *box = waitForTopLevel<QMessageBox>();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("图像浏览器"));
        QVERIFY(box->text().startsWith(QStringLiteral("无法将图片保存到“%1”").arg(path)));
        QVERIFY(!QFileInfo::exists(path));
        box->close();
    }

    void aPictureThatCannotBeShownIsToldToTheUser_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray header = encoded(picture(200, 150)).left(8);
        QTest::newRow("corrupt PNG")
            << header + QByteArray(500, '\x5a')
            << QStringLiteral("无法显示拖放的图片：它已损坏，或者不是能识别的图片格式。");
        QTest::newRow("not a picture")
            << QByteArray("这不是图片")
            << QStringLiteral("无法显示拖放的图片：它已损坏，或者不是能识别的图片格式。");
        // A few bytes that declare 30000 x 30000 pixels.
        QTest::newRow("too large to hold")
            << QByteArray("P6\n30000 30000\n255\n") + QByteArray(64, '\x7f')
            << QStringLiteral("这张图片太大（30000 × 30000 像素），无法显示。");
    }

    void aPictureThatCannotBeShownIsToldToTheUser()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY(!viewer->show(bytes, {}, mainWindow.get()));
        QVERIFY(!viewer->window());
        auto *box = waitForTopLevel<QMessageBox>();
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QStringLiteral("图像浏览器"));
        QCOMPARE(box->text(), message);
        box->close();
        QTRY_VERIFY(!waitForTopLevel<QMessageBox>(0));

        // An open viewer keeps its picture.
        const QImage shown = picture(200, 150);
        ShowPic *window = drop(encoded(shown));
        QVERIFY(window);
        QVERIFY(!viewer->show(bytes, {}, mainWindow.get()));
        box = waitForTopLevel<QMessageBox>();
        QVERIFY(box);
        QCOMPARE(box->text(), message);
        box->close();
        QCOMPARE(viewer->window(), window);
        QCOMPARE(shownImage(window), shown);
    }
};

QUILLET_TEST_MAIN(ShowPicTest)
#include "tst_showpic.moc"
