// The address bar's faces driven by real pointer events: the navigation buttons, the
// drop buttons and their lists, and the search button lit together with the engine
// selector.
#include "barfixture.h"
#include "droplist.h"
#include "skinface.h"
#include "testmain.h"

#include <QListWidget>
#include <QScreen>
#include <QSignalSpy>

#include <algorithm>

using Look = HoverTracker::Look;

class AddressBarFacesTest : public QObject
{
    Q_OBJECT

private:
    BarFixture f;

    SkinFace *face(const char *name) const { return f.element<SkinFace>(name); }
    SkinFace *button() const { return face("SButton"); }
    SkinFace *selector() const { return face("Selsch"); }
    DropList *list(const char *name) const { return f.element<DropList>(name); }
    // The pointer comes to `position` over `widget` with no button held and moves on by a
    // pixel there, routed as the window system routes moves: the first move after the
    // pointer left a face still goes to that face.
    static void hover(QWidget *widget, QPoint position)
    {
        QTest::mouseMove(widget, position);
        QTest::mouseMove(widget, position + QPoint(1, 0));
    }
    void compareLooks(Look buttonLook, Look selectorLook) const
    {
        QCOMPARE(button()->look(), buttonLook);
        QCOMPARE(selector()->look(), selectorLook);
    }
    // `image` is a resource path.
    static bool showsImage(const SkinFace *shown, const QString &image)
    {
        const auto format = QImage::Format_ARGB32;
        return shown->picture().toImage().convertToFormat(format) ==
               QImage(image).convertToFormat(format);
    }

private Q_SLOTS:
    void init() { QVERIFY(f.show()); }
    void cleanup() { f.reset(); }

    void facesStartWithTheirNormalImages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QSize>("size");
        const QSize button(22, 22);
        QTest::newRow("MButton") << "MButton"
                                 << ":/addressbar/images/M" << button;
        QTest::newRow("HomeButton") << "HomeButton"
                                    << ":/addressbar/images/H" << button;
        QTest::newRow("BButton") << "BButton"
                                 << ":/addressbar/images/B" << button;
        QTest::newRow("FButton") << "FButton"
                                 << ":/addressbar/images/F" << button;
        QTest::newRow("RefreshButton") << "RefreshButton"
                                       << ":/addressbar/images/Rs" << button;
        QTest::newRow("StopButton") << "StopButton"
                                    << ":/addressbar/images/St" << button;
        QTest::newRow("SButton") << "SButton"
                                 << ":/addressbar/images/Sr" << button;
        QTest::newRow("Selsch") << "Selsch"
                                << ":/addressbar/images/S" << QSize(13, 22);
        QTest::newRow("btClick") << "btClick"
                                 << ":/skin/images/T" << QSize(19, 18);
        QTest::newRow("SBt") << "SBt"
                             << ":/skin/images/T" << QSize(19, 18);
    }

    void facesStartWithTheirNormalImages()
    {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QFETCH(QSize, size);
        auto *shown = face(name.toLatin1().constData());
        QVERIFY(shown);
        QCOMPARE(shown->size(), size);
        QVERIFY(showsImage(shown, prefix + QStringLiteral("1.png")));
        // The three looks are told apart at a glance: no two images are alike.
        const QImage looks[] = {QImage(QStringLiteral("%1%2.png").arg(prefix).arg(1)),
                                QImage(QStringLiteral("%1%2.png").arg(prefix).arg(2)),
                                QImage(QStringLiteral("%1%2.png").arg(prefix).arg(3))};
        for (const QImage &look : looks)
            QCOMPARE(look.size(), size);
        QVERIFY(looks[0] != looks[1] && looks[1] != looks[2] && looks[0] != looks[2]);
    }

    void navigationButtonsActOnALeftClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("signal");
        QTest::newRow("MButton") << "MButton" << QByteArray("ShowMenu()");
        QTest::newRow("HomeButton") << "HomeButton" << QByteArray("GoHome()");
        QTest::newRow("BButton") << "BButton" << QByteArray("Goback()");
        QTest::newRow("FButton") << "FButton" << QByteArray("Goforward()");
        QTest::newRow("RefreshButton") << "RefreshButton" << QByteArray("RefreshPage()");
        QTest::newRow("StopButton") << "StopButton" << QByteArray("StopClick()");
    }

    void navigationButtonsActOnALeftClick()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, signal);
        const QMetaObject *meta = f.bar->metaObject();
        QSignalSpy action(f.bar, meta->method(meta->indexOfSignal(signal.constData())));
        QVERIFY(action.isValid());
        SkinFace *pressed = face(name.toLatin1().constData());

        QTest::mouseClick(pressed, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(action.count(), 0);
        QTest::mousePress(pressed, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
        QCOMPARE(action.count(), 0);
        QCOMPARE(pressed->look(), Look::Pressed);
        QTest::mouseRelease(pressed, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 5));
        QCOMPARE(action.count(), 1);
        QCOMPARE(pressed->look(), Look::Normal);
    }

    void urlDropButtonOpensTheHistoryUnderTheFrame()
    {
        QWidget *frame = f.element("Picture1");
        DropList *history = list("Combo1");
        QTest::mouseClick(face("btClick"), Qt::RightButton, {}, QPoint(3, 3));
        QVERIFY(!history->isDroppedDown());

        // Even an empty history drops down.
        QTest::mouseClick(face("btClick"), Qt::LeftButton, {}, QPoint(3, 3));
        QVERIFY(history->isDroppedDown());
        QCOMPARE(face("btClick")->look(), Look::Normal);
        const QRect dropped = history->list()->geometry();
        QCOMPARE(dropped.topLeft(), frame->mapToGlobal(QPoint(0, frame->height())));
        QCOMPARE(dropped.size(), QSize(frame->width(), 400));

        QSignalSpy go(f.bar, &URLEdit::GoURL);
        QTest::keyClick(history->list(), Qt::Key_Escape);
        QVERIFY(!history->isDroppedDown());
        QCOMPARE(go.count(), 0);
    }

    void droppedListStaysOnTheScreen_data()
    {
        QTest::addColumn<QString>("windowAt");
        QTest::addColumn<QString>("side");
        QTest::newRow("room below") << "top"
                                    << "below";
        QTest::newRow("low on the screen") << "bottom"
                                           << "above";
        QTest::newRow("room on neither side") << "middle"
                                              << "larger";
        QTest::newRow("frame past the right edge") << "right"
                                                   << "below";
    }

    void droppedListStaysOnTheScreen()
    {
        QFETCH(QString, windowAt);
        QFETCH(QString, side);
        const QRect screen = f.window->screen()->availableGeometry();
        QPoint corner(screen.left(), screen.top());
        if (windowAt == QLatin1String("bottom"))
            corner.setY(screen.bottom() - 40);
        else if (windowAt == QLatin1String("middle"))
            corner.setY(screen.center().y() - 20); // a little more room below than above
        else if (windowAt == QLatin1String("right"))
            corner.setX(screen.right() - 200);
        f.window->move(corner);
        QTRY_COMPARE(f.window->frameGeometry().topLeft(), corner);

        QWidget *frame = f.element("Picture1");
        const QRect framed(frame->mapToGlobal(QPoint(0, 0)), frame->size());
        const int roomBelow = screen.bottom() - framed.bottom();
        const int roomAbove = framed.top() - screen.top();
        if (side == QLatin1String("larger")) {
            QVERIFY(roomBelow < 400 && roomAbove < 400);
            side = roomBelow >= roomAbove ? QStringLiteral("below") : QStringLiteral("above");
        }
        const int height = std::min(400, side == QLatin1String("below") ? roomBelow : roomAbove);

        QWindow *window = f.window->windowHandle();
        const QPoint dropButton = face("btClick")->mapTo(f.window.get(), QPoint(3, 3));
        QTest::mouseMove(window, dropButton);
        QTest::mousePress(window, Qt::LeftButton, {}, dropButton);
        QTest::mouseRelease(window, Qt::LeftButton, {}, dropButton);
        QVERIFY(list("Combo1")->isDroppedDown());
        const QRect dropped = list("Combo1")->list()->geometry();
        QVERIFY2(screen.contains(dropped), "the list is off the screen");
        QCOMPARE(dropped.size(), QSize(framed.width(), height));
        if (side == QLatin1String("below"))
            QCOMPARE(dropped.top(), framed.bottom() + 1);
        else
            QCOMPARE(dropped.bottom() + 1, framed.top());
        if (windowAt == QLatin1String("right"))
            QCOMPARE(dropped.right(), screen.right());
        else
            QCOMPARE(dropped.left(), framed.left());
        list("Combo1")->list()->hide();
    }

    void choosingAHistoryEntryGoesThere_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byKeyboard");
        QTest::addColumn<QString>("url");
        QTest::newRow("full address") << 1 << false << "http://a.test/";
        QTest::newRow("completed like Enter") << 0 << false << "http://b.test";
        QTest::newRow("arrow and Enter") << 1 << true << "http://a.test/";
    }

    void choosingAHistoryEntryGoesThere()
    {
        QFETCH(int, row);
        QFETCH(bool, byKeyboard);
        QFETCH(QString, url);
        f.bar->AddURL(QStringLiteral("http://a.test/"));
        f.bar->AddURL(QStringLiteral("b.test"));
        QSignalSpy go(f.bar, &URLEdit::GoURL);
        QTest::mouseClick(face("btClick"), Qt::LeftButton, {}, QPoint(3, 3));
        QListWidget *dropped = list("Combo1")->list();
        QVERIFY(QTest::qWaitForWindowExposed(dropped));
        if (byKeyboard) {
            dropped->setCurrentRow(0);
            QTest::keyClick(dropped, Qt::Key_Down);
            QTest::keyClick(dropped, Qt::Key_Return);
        } else {
            const QRect entry = dropped->visualItemRect(dropped->item(row));
            QTest::mouseClick(dropped->viewport(), Qt::LeftButton, {}, entry.center());
        }

        QCOMPARE(go.count(), 1);
        QCOMPARE(go.at(0).at(0).toBool(), false);
        QCOMPARE(go.at(0).at(1).toString(), url);
        QCOMPARE(f.bar->URL(), url);
        QVERIFY(!dropped->isVisible());
        // The host's AddURL moves the entry; choosing alone does not.
        QCOMPARE(f.bar->history(), (QStringList{"b.test", "http://a.test/"}));
    }

    void searchDropButtonOpensAnEmptyList()
    {
        SkinFace *drop = face("SBt");
        hover(drop, QPoint(4, 4));
        QCOMPARE(drop->look(), Look::Hover);
        // A right release resets the look but opens nothing.
        QTest::mouseClick(drop, Qt::RightButton, {}, QPoint(4, 4));
        QCOMPARE(drop->look(), Look::Normal);
        QVERIFY(!list("Combo2")->isDroppedDown());

        QTest::mouseClick(drop, Qt::LeftButton, {}, QPoint(4, 4));
        QVERIFY(list("Combo2")->isDroppedDown());
        QCOMPARE(list("Combo2")->list()->count(), 0);
        QCOMPARE(list("Combo2")->list()->size(), QSize(f.element("Picture2")->width(), 400));
        list("Combo2")->list()->hide();
    }

    void searchPairLightsTogether()
    {
        hover(button(), QPoint(5, 5));
        compareLooks(Look::Hover, Look::Hover);
        hover(selector(), QPoint(5, 5));
        compareLooks(Look::Hover, Look::Hover);
        hover(f.element("Picture2"), QPoint(5, 5));
        compareLooks(Look::Normal, Look::Normal);

        // Held on the button: a pressed button beside a normal selector.
        QTest::mousePress(button(), Qt::LeftButton, {}, QPoint(5, 5));
        compareLooks(Look::Pressed, Look::Normal);
        QTest::mouseMove(button(), QPoint(6, 5));
        compareLooks(Look::Pressed, Look::Normal);
        QTest::mouseMove(button(), QPoint(-3, 5));
        compareLooks(Look::Normal, Look::Normal);
        QTest::mouseRelease(button(), Qt::LeftButton, {}, QPoint(-3, 5));

        // Held on the selector: a pressed selector beside a lit button.
        QTest::mousePress(selector(), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(selector(), QPoint(6, 5));
        compareLooks(Look::Hover, Look::Pressed);
        QTest::mouseRelease(selector(), Qt::LeftButton, {}, QPoint(6, 5));
    }

    void searchButtonReleaseTouchesOnlyTheButton()
    {
        QTest::mousePress(button(), Qt::LeftButton, {}, QPoint(5, 5));
        selector()->showLook(Look::Hover);
        QTest::mouseRelease(button(), Qt::LeftButton, {}, QPoint(5, 5));
        compareLooks(Look::Normal, Look::Hover);
    }

    void searchButtonClickSearches_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("searches");
        QTest::addColumn<bool>("ctrl");
        const QPoint inside(5, 5);
        QTest::newRow("plain") << Qt::KeyboardModifiers() << inside << 1 << false;
        QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << inside << 1 << true;
        QTest::newRow("right edge is inside")
            << Qt::KeyboardModifiers() << QPoint(22, 22) << 1 << false;
        QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << inside << 0 << false;
        QTest::newRow("ctrl+alt") << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::AltModifier)
                                  << inside << 0 << false;
        QTest::newRow("released outside") << Qt::KeyboardModifiers() << QPoint(23, 5) << 0 << false;
    }

    void searchButtonClickSearches()
    {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, searches);
        QFETCH(bool, ctrl);
        QSignalSpy serch(f.bar, &URLEdit::Serch);
        QTest::mousePress(button(), Qt::LeftButton, modifiers, QPoint(5, 5));
        QCOMPARE(serch.count(), 0);
        QTest::mouseRelease(button(), Qt::LeftButton, modifiers, releaseAt);
        QCOMPARE(serch.count(), searches);
        QCOMPARE(button()->look(), Look::Normal);
        if (searches) {
            QCOMPARE(serch.at(0).at(0).toString(), QStringLiteral("Search"));
            QCOMPARE(serch.at(0).at(1).toBool(), ctrl);
        }
    }

    void selectorRaisesSelectSerchSiteOnThePress_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QPointF>("point");
        // The selector's left is the bar's width less 195; the press is 5, 7 pixels in.
        QTest::newRow("8300") << 8300.0 << QPointF(8105 + 75, 105);
        QTest::newRow("12000") << 12000.0 << QPointF(11805 + 75, 105);
    }

    void selectorRaisesSelectSerchSiteOnThePress()
    {
        QFETCH(double, width);
        QFETCH(QPointF, point);
        f.bar->setGeometryTwips(0, 0, width, URLEdit::FixedHeight);
        QSignalSpy select(f.bar, &URLEdit::SelectSerchSite);

        QTest::mousePress(selector(), Qt::RightButton, {}, QPoint(5, 7));
        QTest::mouseRelease(selector(), Qt::RightButton, {}, QPoint(5, 7));
        QCOMPARE(select.count(), 0);

        for (int presses = 1; presses <= 2; ++presses) {
            QTest::mousePress(selector(), Qt::LeftButton, {}, QPoint(5, 7));
            QCOMPARE(select.count(), presses);
            QCOMPARE(QPointF(select.last().at(0).toDouble(), select.last().at(1).toDouble()),
                     point);
            QTest::mouseRelease(selector(), Qt::LeftButton, {}, QPoint(5, 7));
            // The pressed look stays until the pointer moves again.
            QCOMPARE(selector()->look(), Look::Pressed);
        }
        hover(selector(), QPoint(6, 7));
        QCOMPARE(selector()->look(), Look::Hover);
    }
};

QUILLET_TEST_MAIN(AddressBarFacesTest)
#include "tst_addressbarfaces.moc"
