// The hover pattern of the skinned faces, driven with real pointer reports through the
// window system: the state table, the pointer capture and the redraws it saves.
//
// Every pointer report goes through the window, as a real one does, so presses start
// Qt's implicit grab and moves are routed to whichever face holds the capture.
#define QTEST_QPA_MOUSE_HANDLING

#include "pointercapture.h"
#include "skinface.h"
#include "testmain.h"

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

// Counts the paint events a widget receives.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget *widget)
        : QObject(widget)
    {
        widget->installEventFilter(this);
    }

    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class HoverTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window;
    SkinFace::Looks looks;
    SkinFace *face = nullptr;
    // A widget away from the faces whose repaint shows that the window has drawn
    // everything that was waiting to be drawn.
    QWidget *sentinel = nullptr;
    PaintCounter *sentinelPaints = nullptr;

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
        sentinelPaints = new PaintCounter(sentinel);
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
        QVERIFY(!PointerCapture::isCapturedBy(face));
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(clicked.count(), 0);
    }

    void pressLeaveAndComeBackActs()
    {
        QSignalSpy clicked(face, &SkinFace::clicked);
        QTest::mousePress(face, Qt::LeftButton, {}, centre());
        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Pressed);
        QVERIFY(PointerCapture::isCapturedBy(face));
        QTest::mouseRelease(face, Qt::LeftButton, {}, centre());
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(clicked.count(), 1);
    }

    // The window has no idea the pointer left the face's area for a point of the
    // window itself; only the capture brings that move to the face.
    void theCaptureBringsTheFirstMoveOutside()
    {
        QTest::mouseMove(face, centre());
        QCOMPARE(shown(), Look::Hover);
        QVERIFY(PointerCapture::isCapturedBy(face));

        QTest::mouseMove(window.get(), face->mapToParent(outside()));
        QCOMPARE(shown(), Look::Normal);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void theFirstMoveOntoAnotherFaceOnlyLeavesThisOne()
    {
        auto *other = new SkinFace(looks, window.get());
        other->move(160, 80);
        other->show();
        QTest::mouseMove(face, centre());
        QTest::mouseMove(other, other->rect().center());
        QCOMPARE(shown(face), Look::Normal);
        QCOMPARE(shown(other), Look::Normal);
        QTest::mouseMove(other, other->rect().center() + QPoint(1, 0));
        QCOMPARE(shown(other), Look::Hover);
        QVERIFY(PointerCapture::isCapturedBy(other));
    }

    // A face inside another face (a close button on a tab) keeps its moves to itself:
    // the outer face neither lights up nor takes the capture from it.
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
        QVERIFY(PointerCapture::isCapturedBy(inner));
        QCOMPARE(shown(face), Look::Normal);

        QTest::mouseMove(face, QPoint(5, 5));
        QVERIFY(inner->isShowing(small.normal));
        QVERIFY(!PointerCapture::isCapturedBy(inner));
        QTest::mouseMove(face, QPoint(6, 5));
        QCOMPARE(shown(face), Look::Hover);
    }

    void aHiddenFaceGivesUpTheCapture()
    {
        QTest::mouseMove(face, centre());
        QVERIFY(PointerCapture::isCapturedBy(face));
        face->hide();
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        face->show();
        QCOMPARE(shown(), Look::Normal);
    }

    void hidingTheWindowFreesTheFace()
    {
        QTest::mouseMove(face, centre());
        window->hide();
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }

    void aBurstOfMovesRedrawsTheFaceOnce()
    {
        auto *paints = new PaintCounter(face);
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
