// The hover pattern of the skinned faces, driven with real pointer reports through the
// window system: the state table, the pointer's hold and the redraws it saves.
//
// Every pointer report goes through the window, as a real one does, so presses start
// Qt's implicit grab and the window sends the faces their enter and leave events.

#include "eventcounter.h"
#include "skinface.h"
#include "testmain.h"

#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>

#include <memory>

namespace {

using Look = HoverTracker::Look;

QPixmap swatch(const QColor &color, QSize size = QSize(40, 20))
{
    QPixmap picture(size);
    picture.fill(color);
    return picture;
}

} // namespace

class HoverTest : public QObject
{
    Q_OBJECT

public:
    enum class Interest
    {
        TrackingOff,
        Hidden,
        Disabled,
        Reparented,
        Destroyed,
        WindowDeactivated,
        DialogShown,
        PopupShown
    };
    Q_ENUM(Interest)

private:
    std::unique_ptr<QWidget> window;
    SkinFace::Looks looks;
    SkinFace *face = nullptr;
    // A widget away from the faces whose repaint shows that the window has drawn
    // everything that was waiting to be drawn.
    QWidget *sentinel = nullptr;
    EventCounter *sentinelPaints = nullptr;

    Look shown(const SkinFace *of) const
    {
        if (of->isShowing(looks.hover))
            return Look::Hover;
        if (of->isShowing(looks.pressed))
            return Look::Pressed;
        return Look::Normal;
    }
    Look shown() const { return shown(face); }
    QPoint centre() const { return face->rect().center(); }
    // A point of the window, left of the face, in the face's own coordinates.
    QPoint outside() const { return QPoint(-30, face->height() / 2); }
    void flushPaints()
    {
        const int before = sentinelPaints->count;
        sentinel->update();
        QTRY_VERIFY(sentinelPaints->count > before);
    }

private Q_SLOTS:
    void init()
    {
        looks = {swatch(Qt::gray), swatch(Qt::cyan), swatch(Qt::darkBlue)};
        window = std::make_unique<QWidget>();
        window->resize(300, 200);
        face = new SkinFace(looks, window.get());
        face->move(100, 80);
        sentinel = new QWidget(window.get());
        sentinel->setGeometry(0, 180, 20, 20);
        sentinelPaints = new EventCounter(sentinel, QEvent::Paint);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // Park the pointer on the window, away from the face.
        QTest::mouseMove(window.get(), QPoint(10, 10));
    }

    void cleanup()
    {
        window.reset();
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void startsNormalAndTakesItsPictureSize()
    {
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(face->size(), QSize(40, 20));
    }

    void clickActsOnceOnTheReleaseOnly()
    {
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Hover);
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QCOMPARE(shown(), Look::Pressed);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(face, Qt::LeftButton, {}, centre());
        QCOMPARE(clicked.count(), 1);
    }

    void releasePoint_data()
    {
        // The face is 40 x 20 pixels.
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("acts");
        QTest::newRow("right edge") << QPoint(40, 10) << true;
        QTest::newRow("bottom edge") << QPoint(20, 20) << true;
        QTest::newRow("bottom-right corner") << QPoint(40, 20) << true;
        QTest::newRow("top-left corner") << QPoint(0, 0) << true;
        QTest::newRow("past the right edge") << QPoint(41, 10) << false;
        QTest::newRow("past the bottom edge") << QPoint(20, 21) << false;
        QTest::newRow("past the left edge") << QPoint(-1, 10) << false;
        QTest::newRow("past the top edge") << QPoint(20, -1) << false;
    }

    // Released without a move in between: only the release point decides.
    void releasePoint()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, acts);
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mouseRelease(face, Qt::LeftButton, {}, point);
        QCOMPARE(clicked.count(), acts ? 1 : 0);
        QCOMPARE(shown(), Look::Normal);
    }

    void otherButtonsChangeNothing_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }

    void otherButtonsChangeNothing()
    {
        QFETCH(Qt::MouseButton, button);
        QSignalSpy clicked(face, &SkinFace::clicked);
        QSignalSpy pressed(face->tracker(), &HoverTracker::pressed);

        QTest::mouseMove(face, centre());
        QTest::mousePress(face, button, {}, centre());
        QCOMPARE(shown(), Look::Hover);
        QTest::mouseRelease(face, button, {}, centre());
        QCOMPARE(shown(), Look::Hover);

        // Nor while the left button holds the face pressed.
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mousePress(face, button, {}, centre());
        QCOMPARE(shown(), Look::Pressed);
        QTest::mouseRelease(face, button, {}, centre());
        QCOMPARE(shown(), Look::Pressed);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseRelease(face, Qt::LeftButton, {}, centre());
        QCOMPARE(clicked.count(), 1);

        // Faces that act on the press itself hear of every button.
        QList<Qt::MouseButton> buttons;
        for (const QList<QVariant> &report : std::as_const(pressed))
            buttons.append(report.at(0).value<Qt::MouseButton>());
        QCOMPARE(buttons, (QList<Qt::MouseButton>{button, Qt::LeftButton, button}));
    }

    void leftAndRightHeldShowsHover()
    {
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mousePress(face, Qt::RightButton, {}, centre());
        QCOMPARE(shown(), Look::Pressed);
        QTest::mouseMove(face, centre() + QPoint(1, 0));
        QCOMPARE(shown(), Look::Hover);

        // Letting go of the right button alone changes nothing until the next move.
        QTest::mouseRelease(face, Qt::RightButton, {}, centre() + QPoint(1, 0));
        QCOMPARE(shown(), Look::Hover);
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Pressed);

        QTest::mouseRelease(face, Qt::LeftButton, {}, centre());
        QCOMPARE(clicked.count(), 1);
    }

    void normalAfterAClickUntilTheNextMove()
    {
        QTest::mouseMove(face, centre());
        QTest::mouseClick(face, Qt::LeftButton, {}, centre());
        QCOMPARE(shown(), Look::Normal);
        QTest::mouseMove(face, centre() + QPoint(2, 1));
        QCOMPARE(shown(), Look::Hover);
    }

    void pressLeaveAndReleaseElsewhereDoesNothing()
    {
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mouseMove(face, centre());
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(clicked.count(), 0);
    }

    // Dragging from one face onto another and letting go there is no click on either.
    void pressOnOneFaceAndReleaseOnAnotherDoesNothing()
    {
        auto *other = new SkinFace(looks, window.get());
        other->move(160, 80);
        other->show();
        QSignalSpy clicked(face, &SkinFace::clicked);
        QSignalSpy otherClicked(other, &SkinFace::clicked);
        QTest::mouseMove(face, centre());
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mouseMove(other, other->rect().center());
        QCOMPARE(shown(face), Look::Normal);
        QTest::mouseRelease(other, Qt::LeftButton, {}, other->rect().center());
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(otherClicked.count(), 0);
        QTest::mouseMove(other, other->rect().center() + QPoint(1, 0));
        QCOMPARE(shown(other), Look::Hover);
    }

    void pressLeaveAndComeBackActs()
    {
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Pressed);
        QTest::mouseRelease(face, Qt::LeftButton, {}, centre());
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(clicked.count(), 1);
    }

    // A move onto the window around the face is the face's first move outside.
    void theFirstMoveOutsideTurnsTheFaceNormal()
    {
        QSignalSpy outsideMoves(face->tracker(), &HoverTracker::movedOutside);
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Hover);

        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(outsideMoves.count(), 1);
        QTest::mouseMove(window.get(), face->mapToParent(outside()) + QPoint(0, 5));
        QCOMPARE(outsideMoves.count(), 1);
    }

    // While the left button is held the window keeps sending the face the moves; the
    // face takes only the first one outside as its own.
    void aDragOutsideIsReportedOnce()
    {
        QSignalSpy outsideMoves(face->tracker(), &HoverTracker::movedOutside);
        QTest::mouseMove(face, centre());
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        for (int step = 1; step <= 3; ++step)
            QTest::mouseMove(window.get(), face->mapToParent(outside()) + QPoint(0, step));
        QTest::mouseRelease(window.get(), Qt::LeftButton, {},
                            face->mapToParent(outside()) + QPoint(0, 3));
        QCOMPARE(outsideMoves.count(), 1);
        QCOMPARE(outsideMoves.at(0).at(0).toPointF(), QPointF(outside() + QPoint(0, 1)));
        QCOMPARE(shown(), Look::Normal);
    }

    // A control going away stops its faces first: the leave a hovered face gets as it
    // is destroyed, after the control, reports nothing to the control.
    void aControlGoingAwayHearsNothingFromItsFaces_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("stopped") << true;
        QTest::newRow("not stopped") << false;
    }

    void aControlGoingAwayHearsNothingFromItsFaces()
    {
        QFETCH(bool, stopped);
        auto *control = new QWidget(window.get());
        control->setGeometry(0, 0, 300, 180);
        auto *inner = new QWidget(control);
        inner->setGeometry(10, 10, 40, 20);
        auto *tracker = new HoverTracker(inner, HoverTracker::Mode::Highlight);
        control->show();
        QStringList heard;
        connect(tracker, &HoverTracker::lookWanted, control,
                [&heard](HoverTracker::Look look) { heard.append(QTest::toString(look)); });
        connect(tracker, &HoverTracker::movedOutside, control,
                [&heard] { heard.append(QStringLiteral("outside")); });
        QTest::mouseMove(inner, inner->rect().center());
        QCOMPARE(heard.size(), 1);
        heard.clear();

        if (stopped)
            HoverTracker::stopTrackingWithin(control);
        delete control;
        // Without the stop, what the control hears is the destroyed face's leave.
        QCOMPARE(heard.isEmpty(), stopped);
    }

    void movingOntoAnotherFaceHandsTheLightOver()
    {
        auto *other = new SkinFace(looks, window.get());
        other->move(160, 80);
        other->show();
        QTest::mouseMove(face, centre());
        QTest::mouseMove(other, other->rect().center());
        QCOMPARE(shown(face), Look::Normal);
        QCOMPARE(shown(other), Look::Hover);
    }

    // A face inside another face (a close button on a tab) keeps its moves to itself:
    // the outer face does not light up while the pointer is over the inner one.
    void anInnerFaceKeepsItsMoves()
    {
        const SkinFace::Looks small{swatch(Qt::gray, QSize(10, 10)),
                                    swatch(Qt::cyan, QSize(10, 10)),
                                    swatch(Qt::darkBlue, QSize(10, 10))};
        auto *inner = new SkinFace(small, face);
        inner->move(25, 5);
        inner->show();

        QTest::mouseMove(inner, QPoint(5, 5));
        QVERIFY(inner->isShowing(small.hover));
        QCOMPARE(shown(face), Look::Normal);

        QTest::mouseMove(face, QPoint(5, 5));
        QVERIFY(inner->isShowing(small.normal));
        QCOMPARE(shown(face), Look::Hover);
    }

    void aHiddenFaceShowsNormalAgain()
    {
        QTest::mouseMove(face, centre());
        face->hide();
        face->show();
        QCOMPARE(shown(), Look::Normal);
    }

    void nothingOutlivesTheFacesInterest_data()
    {
        QTest::addColumn<Interest>("ended");
        QTest::addColumn<bool>("buttonHeld");
        for (const bool held : {false, true}) {
            const char *how = held ? "button held" : "hovered";
            QTest::addRow("tracking off, %s", how) << Interest::TrackingOff << held;
            QTest::addRow("hidden, %s", how) << Interest::Hidden << held;
            QTest::addRow("disabled, %s", how) << Interest::Disabled << held;
            QTest::addRow("reparented, %s", how) << Interest::Reparented << held;
            QTest::addRow("destroyed, %s", how) << Interest::Destroyed << held;
        }
        QTest::newRow("window deactivated") << Interest::WindowDeactivated << false;
        QTest::newRow("dialog shown") << Interest::DialogShown << false;
        QTest::newRow("pop-up shown") << Interest::PopupShown << false;
    }

    // Once the face has lost its interest in the pointer, clicks go where they are
    // aimed: at the other window, then at another widget of the face's window.
    void nothingOutlivesTheFacesInterest()
    {
        QFETCH(Interest, ended);
        QFETCH(bool, buttonHeld);
        auto *field = new QLineEdit(window.get());
        field->setGeometry(10, 140, 100, 24);
        field->show();
        auto *fieldPresses = new EventCounter(field, QEvent::MouseButtonPress);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));

        const QPoint faceCentre = face->geometry().center();
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Hover);
        if (buttonHeld)
            QTest::mousePress(face, Qt::LeftButton, {}, centre());

        std::unique_ptr<QLineEdit> other;
        switch (ended) {
        case Interest::TrackingOff:
            face->tracker()->setTracking(false);
            break;
        case Interest::Hidden:
            face->hide();
            break;
        case Interest::Disabled:
            face->setEnabled(false);
            break;
        case Interest::Reparented:
            face->setParent(sentinel);
            face->show();
            break;
        case Interest::Destroyed:
            delete face;
            face = nullptr;
            break;
        case Interest::WindowDeactivated:
        case Interest::DialogShown:
        case Interest::PopupShown:
            other = std::make_unique<QLineEdit>();
            if (ended == Interest::PopupShown)
                other->setWindowFlags(Qt::Popup);
            if (ended == Interest::DialogShown)
                other->setWindowModality(Qt::ApplicationModal);
            other->setGeometry(
                QRect(window->geometry().bottomLeft() + QPoint(0, 50), QSize(100, 24)));
            other->show();
            other->activateWindow();
            QVERIFY(QTest::qWaitForWindowExposed(other.get()));
            break;
        }
        if (buttonHeld)
            QTest::mouseRelease(window.get(), Qt::LeftButton, {}, faceCentre);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);

        if (other) {
            auto *otherPresses = new EventCounter(other.get(), QEvent::MouseButtonPress);
            QTest::mouseMove(other.get(), QPoint(5, 5));
            QTest::mouseClick(other.get(), Qt::LeftButton, {}, QPoint(5, 5));
            QCOMPARE(otherPresses->count, 1);
            if (ended != Interest::PopupShown)
                QCOMPARE(shown(), Look::Normal);
            other.reset();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        }
        QTest::mouseMove(field, QPoint(5, 5));
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(fieldPresses->count, 1);
        if (face && ended != Interest::TrackingOff && ended != Interest::PopupShown)
            QCOMPARE(shown(), Look::Normal);
    }

    void aBurstOfMovesRedrawsTheFaceOnce()
    {
        auto *paints = new EventCounter(face, QEvent::Paint);
        flushPaints();
        paints->count = 0;

        for (int x = 2; x < face->width(); x += 2) {
            QTest::mouseMove(face, QPoint(x, face->height() / 2));
            flushPaints();
        }
        QCOMPARE(shown(), Look::Hover);
        QCOMPARE(paints->count, 1);

        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        flushPaints();
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(paints->count, 2);
    }
};

QUILLET_TEST_MAIN(HoverTest)
#include "tst_hover.moc"
