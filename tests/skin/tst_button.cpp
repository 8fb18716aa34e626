// The skinned push button driven as a user drives it, through the window: its five
// looks under focus, pointer and Enter, its one Click per click, the caption's place,
// the fixed size and the persisted caption.
#include "button.h"
#include "picturebox.h"
#include "propertybag.h"
#include "testmain.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>

#include <memory>

class ButtonTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window;
    QLineEdit *other = nullptr;
    Button *button = nullptr;

    QWindow *handle() const { return window->windowHandle(); }
    PictureBox *face() const { return button->findChild<PictureBox *>(QStringLiteral("MButton")); }
    QLabel *caption() const { return button->findChild<QLabel *>(QStringLiteral("btStr")); }
    // The look the face shows, by the number of its image; -1 for none of them.
    int shownImage() const
    {
        const QImage shown = face()->picture().toImage().convertToFormat(QImage::Format_RGB32);
        for (int i = 0; i < 5; ++i) {
            const QImage image(QStringLiteral(":/skin/images/bt%1.png").arg(i));
            if (shown == image.convertToFormat(QImage::Format_RGB32))
                return i;
        }
        return -1;
    }
    // Where the caption sits at rest (shift 0, 0) or pressed (20, 5), in pixels.
    QPoint captionPlace(double right, double down) const
    {
        const QSizeF size = Twips::fromPixels(caption()->size());
        return Twips::toPixels((Button::Width - size.width()) / 2 + right,
                               (Button::Height - size.height()) / 2 + down);
    }
    QPoint inWindow(QPoint onFace) const { return face()->mapTo(window.get(), onFace); }
    QPoint faceCentre() const { return inWindow(face()->rect().center()); }
    QPoint captionCentre() const { return inWindow(caption()->geometry().center()); }
    // Left of the button, in the window.
    QPoint offFace() const { return inWindow(QPoint(-15, 10)); }

    // The window system repeats a held key as presses and releases marked repeated.
    static void repeatEnter()
    {
        for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeated(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
            QCoreApplication::sendEvent(QApplication::focusWidget(), &repeated);
        }
    }

    void run(const QString &step)
    {
        if (step == QLatin1String("tab"))
            QTest::keyClick(handle(), Qt::Key_Tab);
        else if (step == QLatin1String("hover"))
            QTest::mouseMove(handle(), faceCentre());
        else if (step == QLatin1String("move"))
            QTest::mouseMove(handle(), faceCentre() + QPoint(1, 1));
        else if (step == QLatin1String("leave") || step == QLatin1String("drag off"))
            QTest::mouseMove(handle(), offFace());
        else if (step == QLatin1String("drag back"))
            QTest::mouseMove(handle(), faceCentre());
        else if (step == QLatin1String("press"))
            QTest::mousePress(handle(), Qt::LeftButton, {}, faceCentre());
        else if (step == QLatin1String("release"))
            QTest::mouseRelease(handle(), Qt::LeftButton, {}, faceCentre());
        else if (step == QLatin1String("release off"))
            QTest::mouseRelease(handle(), Qt::LeftButton, {}, offFace());
        else if (step == QLatin1String("press right"))
            QTest::mousePress(handle(), Qt::RightButton, {}, faceCentre());
        else if (step == QLatin1String("release right"))
            QTest::mouseRelease(handle(), Qt::RightButton, {}, faceCentre());
        else if (step == QLatin1String("hover caption"))
            QTest::mouseMove(handle(), captionCentre());
        else if (step == QLatin1String("press caption"))
            QTest::mousePress(handle(), Qt::LeftButton, {}, captionCentre());
        else if (step == QLatin1String("release caption"))
            QTest::mouseRelease(handle(), Qt::LeftButton, {}, captionCentre());
        else if (step == QLatin1String("enter down"))
            QTest::keyPress(handle(), Qt::Key_Return);
        else if (step == QLatin1String("enter repeat"))
            repeatEnter();
        else if (step == QLatin1String("enter up"))
            QTest::keyRelease(handle(), Qt::Key_Return);
        else if (step == QLatin1String("space down"))
            QTest::keyPress(handle(), Qt::Key_Space);
        else if (step == QLatin1String("space up"))
            QTest::keyRelease(handle(), Qt::Key_Space);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(200, 80);
        other = new QLineEdit(window.get());
        other->setGeometry(10, 50, 100, 24);
        button = new Button(window.get());
        button->move(30, 10);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        other->setFocus(Qt::OtherFocusReason);
        // The pointer rests on the window, away from the button.
        QTest::mouseMove(handle(), QPoint(150, 60));
    }

    void cleanup() { window.reset(); }

    void looks_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("image");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("captionPressed");

        QTest::newRow("created") << QStringList{} << 0 << 0 << false;
        QTest::newRow("tabbed to") << QStringList{"tab"} << 1 << 0 << false;
        QTest::newRow("tabbed away") << QStringList{"tab", "tab"} << 0 << 0 << false;
        QTest::newRow("hovered") << QStringList{"hover"} << 2 << 0 << false;
        QTest::newRow("hovered with the focus") << QStringList{"tab", "hover"} << 3 << 0 << false;
        QTest::newRow("left with the focus")
            << QStringList{"tab", "hover", "leave"} << 1 << 0 << false;
        QTest::newRow("left held") << QStringList{"hover", "press"} << 4 << 0 << true;
        QTest::newRow("left click") << QStringList{"hover", "press", "release"} << 1 << 1 << false;
        QTest::newRow("hover after a click")
            << QStringList{"hover", "press", "release", "move"} << 3 << 1 << false;
        QTest::newRow("dragged off")
            << QStringList{"hover", "press", "drag off"} << 1 << 0 << false;
        QTest::newRow("released off")
            << QStringList{"hover", "press", "drag off", "release off"} << 1 << 0 << false;
        QTest::newRow("dragged back")
            << QStringList{"hover", "press", "drag off", "drag back"} << 4 << 0 << true;
        QTest::newRow("released back")
            << QStringList{"hover", "press", "drag off", "drag back", "release"} << 1 << 1 << false;
        QTest::newRow("left and right held")
            << QStringList{"hover", "press", "press right", "move"} << 3 << 0 << true;
        QTest::newRow("right click")
            << QStringList{"hover", "press right", "release right"} << 1 << 0 << false;
        QTest::newRow("clicked on the caption")
            << QStringList{"hover caption", "press caption", "release caption"} << 1 << 1 << false;
        QTest::newRow("enter held") << QStringList{"tab", "enter down"} << 4 << 0 << false;
        QTest::newRow("enter released")
            << QStringList{"tab", "enter down", "enter up"} << 1 << 1 << false;
        QTest::newRow("enter held long")
            << QStringList{"tab", "enter down", "enter repeat", "enter repeat", "enter up"} << 1
            << 1 << false;
        // Enter pressed in the box before the button had the focus.
        QTest::newRow("enter from elsewhere")
            << QStringList{"enter down", "tab", "enter up"} << 1 << 0 << false;
        QTest::newRow("space held") << QStringList{"tab", "space down"} << 1 << 0 << false;
        QTest::newRow("space released")
            << QStringList{"tab", "space down", "space up"} << 1 << 0 << false;
    }

    void looks()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, image);
        QFETCH(int, clicks);
        QFETCH(bool, captionPressed);
        QSignalSpy clicked(button, &Button::Click);
        for (const QString &step : std::as_const(steps))
            run(step);
        QCOMPARE(shownImage(), image);
        QCOMPARE(clicked.count(), clicks);
        QCOMPARE(caption()->pos(), captionPressed ? captionPlace(20, 5) : captionPlace(0, 0));
    }

    void theFaceTakesTheFocusGivenToTheButton()
    {
        button->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), face());
        QCOMPARE(shownImage(), 1);
    }

    void captionWritesRecentreAndKeepTheSize()
    {
        QCOMPARE(button->Caption(), QStringLiteral("Button"));
        QSignalSpy changed(button, &Button::PropertyChanged);
        const int shortWidth = caption()->width();
        button->setCaption(QStringLiteral("确定并打开这一页"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Caption"));
        QCOMPARE(caption()->text(), QStringLiteral("确定并打开这一页"));
        QVERIFY(caption()->width() > shortWidth);
        QCOMPARE(caption()->pos(), captionPlace(0, 0));

        button->resize(200, 60);
        QCOMPARE(button->size(), QSize(73, 23));
        QCOMPARE(face()->geometry(), QRect(0, 0, 73, 23));
    }

    // A press dragged off leaves the caption centred, and a Caption write puts a
    // pressed caption back in the centre.
    void aCaptionWriteWhilePressedCentresIt()
    {
        run(QStringLiteral("hover"));
        run(QStringLiteral("press"));
        QCOMPARE(caption()->pos(), captionPlace(20, 5));
        button->setCaption(QStringLiteral("取消"));
        QCOMPARE(caption()->pos(), captionPlace(0, 0));
        run(QStringLiteral("release"));
    }

    void persistedCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("stored");
        QTest::newRow("default") << "Button" << false;
        QTest::newRow("chinese") << "浏览" << true;
        QTest::newRow("empty") << "" << true;
    }

    void persistedCaption()
    {
        QFETCH(QString, caption);
        QFETCH(bool, stored);
        button->setCaption(caption);
        PropertyBag saved;
        button->WriteProperties(saved);
        QCOMPARE(saved.contains(QStringLiteral("Caption")), stored);

        auto *loaded = new Button(window.get());
        loaded->ReadProperties(saved);
        QCOMPARE(loaded->Caption(), caption);
        auto *shown = loaded->findChild<QLabel *>(QStringLiteral("btStr"));
        const QSizeF size = Twips::fromPixels(shown->size());
        QCOMPARE(shown->pos(), Twips::toPixels((Button::Width - size.width()) / 2,
                                               (Button::Height - size.height()) / 2));
    }
};

QUILLET_TEST_MAIN(ButtonTest)
#include "tst_button.moc"
