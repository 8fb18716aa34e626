// The menu-bar button: its three looks and the open flag under pointer moves, presses
// and the host's calls, its events, its fixed size and its persisted caption.
#include "captionlabel.h"
#include "menubt.h"
#include "menucolors.h"
#include "picturebox.h"
#include "propertybag.h"
#include "testmain.h"
#include "twips.h"

#include <QPainter>
#include <QSignalSpy>

namespace {

// The points of `picture` that are not `background`: the caption's ink on a plain fill.
QList<QPoint> inkOf(const QImage &picture, const QColor &background)
{
    QList<QPoint> ink;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixelColor(x, y) != background)
                ink.append(QPoint(x, y));
        }
    }
    return ink;
}

QRect boundsOf(const QList<QPoint> &points)
{
    QRect bounds;
    for (const QPoint &point : points)
        bounds |= QRect(point, QSize(1, 1));
    return bounds;
}

} // namespace

class MenuBtTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    MenuBt *button = nullptr;

    PictureBox *fill() const { return button->findChild<PictureBox *>(QStringLiteral("Picture2")); }
    CaptionLabel *caption() const
    {
        return button->findChild<CaptionLabel *>(QStringLiteral("Label1"));
    }
    QString look() const
    {
        const QColor outline =
            button->findChild<PictureBox *>(QStringLiteral("Picture1"))->backgroundColor();
        const QColor inside = fill()->backgroundColor();
        if (caption()->backgroundColor() != inside)
            return QStringLiteral("caption differs from fill");
        if (outline == MenuColors::Background && inside == MenuColors::Background)
            return QStringLiteral("normal");
        if (outline == MenuColors::HoverOutline && inside == MenuColors::HoverFill)
            return QStringLiteral("hover");
        if (outline == MenuColors::Border && inside == MenuColors::Background)
            return QStringLiteral("open");
        return QStringLiteral("unknown");
    }
    // One step of a scenario, by name.
    void run(const QString &step)
    {
        static int x = 10;
        x = x == 10 ? 11 : 10; // successive moves to the same point are not reported
        if (step == QLatin1String("move"))
            QTest::mouseMove(fill(), QPoint(x, 8));
        else if (step == QLatin1String("leave"))
            QTest::mouseMove(fill(), QPoint(fill()->width() + x, 8));
        else if (step == QLatin1String("left click"))
            QTest::mouseClick(fill(), Qt::LeftButton, {}, QPoint(x, 8));
        else if (step == QLatin1String("right click"))
            QTest::mouseClick(fill(), Qt::RightButton, {}, QPoint(x, 8));
        else if (step == QLatin1String("ShowMS(true)"))
            button->ShowMS(true);
        else if (step == QLatin1String("ShowMS(false)"))
            button->ShowMS(false);
        else if (step == QLatin1String("SetColor(true)"))
            button->SetColor(true);
        else if (step == QLatin1String("SetColor(false)"))
            button->SetColor(false);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(300, 100);
        button = new MenuBt(host.get());
        button->move(4, 35);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        // Away from where the last test left the pointer: a move to the point the
        // pointer is already at is not reported.
        QTest::mouseMove(host.get(), QPoint(299, 99));
    }

    void cleanup() { host.reset(); }

    void looks_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("look");
        QTest::addColumn<bool>("open");
        const auto steps = [](const char *list) {
            return QString::fromLatin1(list).split(QLatin1Char(','), Qt::SkipEmptyParts);
        };
        QTest::newRow("created") << steps("") << "normal" << false;
        QTest::newRow("pointer over") << steps("move") << "hover" << false;
        QTest::newRow("pointer left") << steps("move,leave") << "normal" << false;
        QTest::newRow("left click opens") << steps("move,left click") << "open" << true;
        QTest::newRow("right click changes nothing")
            << steps("move,right click") << "hover" << false;
        QTest::newRow("ShowMS(true)") << steps("ShowMS(true)") << "open" << true;
        QTest::newRow("open ignores moves")
            << steps("ShowMS(true),move,leave,move") << "open" << true;
        QTest::newRow("open ignores SetColor(true)")
            << steps("ShowMS(true),SetColor(true)") << "open" << true;
        QTest::newRow("ShowMS(false) keeps colours")
            << steps("ShowMS(true),ShowMS(false)") << "open" << false;
        QTest::newRow("closing pair")
            << steps("ShowMS(true),ShowMS(false),SetColor(false)") << "normal" << false;
        QTest::newRow("closed follows the pointer again")
            << steps("ShowMS(true),ShowMS(false),move") << "hover" << false;
        QTest::newRow("SetColor(false) while open")
            << steps("ShowMS(true),SetColor(false)") << "normal" << true;
        QTest::newRow("still open: moves leave it white")
            << steps("ShowMS(true),SetColor(false),move") << "normal" << true;
        QTest::newRow("SetColor(true)") << steps("SetColor(true)") << "hover" << false;
    }

    void looks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, look);
        QFETCH(bool, open);
        for (const QString &step : std::as_const(steps))
            run(step);
        QCOMPARE(this->look(), look);
        QCOMPARE(button->isOpen(), open);
    }

    void mouseDownForEveryButton_data()
    {
        QTest::addColumn<Qt::MouseButton>("pressed");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }

    void mouseDownForEveryButton()
    {
        QFETCH(Qt::MouseButton, pressed);
        // The host sees the open look already set when it handles a left press.
        bool openInHandler = false;
        connect(button, &MenuBt::MouseDown, this, [&] { openInHandler = button->isOpen(); });
        QSignalSpy down(button, &MenuBt::MouseDown);
        const QPoint at = caption()->geometry().center();
        QTest::mousePress(fill(), pressed, Qt::ControlModifier, at);
        QTest::mouseRelease(fill(), pressed, Qt::ControlModifier, at);
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).value<Qt::MouseButton>(), pressed);
        QCOMPARE(down.at(0).at(1).value<Qt::KeyboardModifiers>(),
                 Qt::KeyboardModifiers(Qt::ControlModifier));
        QCOMPARE(down.at(0).at(2).toDouble(), Twips::fromPixels(at.x()));
        QCOMPARE(down.at(0).at(3).toDouble(), Twips::fromPixels(at.y()));
        QCOMPARE(openInHandler, pressed == Qt::LeftButton);
    }

    void mouseOnForEveryMoveInside()
    {
        QSignalSpy on(button, &MenuBt::MouseOn);
        QTest::mouseMove(fill(), QPoint(5, 5));
        QTest::mouseMove(fill(), QPoint(6, 5));
        QCOMPARE(on.count(), 2);
        button->ShowMS(true);
        QTest::mouseMove(fill(), caption()->geometry().center());
        QCOMPARE(on.count(), 3);
        QTest::mouseMove(fill(), QPoint(-3, 5));
        QCOMPARE(on.count(), 3);
    }

    void sizeIsFixed()
    {
        QCOMPARE(Twips::fromPixels(button->size()), QSizeF(870, 270));
        button->resize(200, 90);
        QCOMPARE(Twips::fromPixels(button->size()), QSizeF(870, 270));
        QCOMPARE(Twips::fromPixels(fill()->geometry()), QRectF(15, 15, 840, 240));
    }

    void captionStaysCentred_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("default") << QStringLiteral("菜单(&M)");
        QTest::newRow("short") << QStringLiteral("文件(&F)");
        QTest::newRow("wider than the fill") << QStringLiteral("一个非常非常长的菜单标题(&L)");
    }

    void captionStaysCentred()
    {
        QFETCH(QString, text);
        button->setMCaption(text);
        QCOMPARE(button->MCaption(), text);
        QCOMPARE(caption()->text(), text);
        const double left = Twips::fromPixels(caption()->x());
        const double width = Twips::fromPixels(caption()->width());
        QVERIFY(qAbs(left - (840 - width) / 2) <= Twips::PerPixel);
        QCOMPARE(Twips::fromPixels(caption()->y()), 30.0);
    }

    void menuBarCaptionShowsWhole_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("文件(&F)") << QStringLiteral("文件(&F)");
        QTest::newRow("编辑(&E)") << QStringLiteral("编辑(&E)");
        QTest::newRow("查看(&V)") << QStringLiteral("查看(&V)");
        QTest::newRow("帮助(&H)") << QStringLiteral("帮助(&H)");
    }

    // On the button's picture, every point the caption draws lies inside the fill, the
    // access letter is underlined there, and nothing of the text is left out.
    void menuBarCaptionShowsWhole()
    {
        QFETCH(QString, text);
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        QString plain = text;
        plain.remove(amp, 1);
        button->setMCaption(plain);
        const QImage withoutUnderline = button->grab().toImage();
        button->setMCaption(text);
        const QImage shown = button->grab().toImage();
        // The caption drawn on its own, where the fill does not cut it.
        const QImage whole = caption()->grab().toImage();

        const QRect fillArea(fill()->mapTo(button, QPoint()), fill()->size());
        const QPoint at = caption()->mapTo(button, QPoint());
        const QList<QPoint> ink = inkOf(whole, MenuColors::Background);
        QVERIFY(!ink.isEmpty());
        for (const QPoint &point : ink) {
            QVERIFY2(fillArea.contains(point + at),
                     qPrintable(QStringLiteral("ink at (%1, %2) outside the fill %3 x %4 at "
                                               "(%5, %6)")
                                    .arg(point.x() + at.x())
                                    .arg(point.y() + at.y())
                                    .arg(fillArea.width())
                                    .arg(fillArea.height())
                                    .arg(fillArea.x())
                                    .arg(fillArea.y())));
            QCOMPARE(shown.pixelColor(point + at), whole.pixelColor(point));
        }

        // A row of ink below the access letter that the plain caption does not have,
        // under at least half the letter's width.
        const QFontMetrics metrics = caption()->fontMetrics();
        const int letterLeft = at.x() + metrics.horizontalAdvance(plain.left(amp));
        const int letterWidth = metrics.horizontalAdvance(plain.mid(amp, 1));
        int letterBottom = -1;
        for (const QPoint &point : inkOf(withoutUnderline, MenuColors::Background)) {
            if (point.x() >= letterLeft && point.x() < letterLeft + letterWidth)
                letterBottom = qMax(letterBottom, point.y());
        }
        QVERIFY2(letterBottom >= 0, "the access letter is not drawn");
        int underlined = 0;
        for (int y = letterBottom + 1; y < shown.height(); ++y) {
            int added = 0;
            for (int x = letterLeft; x < letterLeft + letterWidth; ++x)
                added += shown.pixelColor(x, y) != withoutUnderline.pixelColor(x, y) ? 1 : 0;
            underlined = qMax(underlined, added);
        }
        QVERIFY2(2 * underlined >= letterWidth, "no underline under the access letter");

        // Not elided: the ink spans as wide as the whole text drawn without any bound.
        QImage unbounded(metrics.horizontalAdvance(plain) * 2, metrics.height() * 2,
                         QImage::Format_ARGB32);
        unbounded.fill(MenuColors::Background);
        QPainter painter(&unbounded);
        painter.setFont(caption()->font());
        painter.setPen(Qt::black);
        painter.drawText(QPoint(0, metrics.ascent()), plain);
        painter.end();
        QCOMPARE(boundsOf(ink).width(), boundsOf(inkOf(unbounded, MenuColors::Background)).width());
    }

    // The underline sits at the same height on every button: the captions share a
    // baseline whatever their characters reach.
    void menuBarCaptionsShareABaseline()
    {
        QList<int> underlineRows;
        for (const QString &text : {QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"),
                                    QStringLiteral("查看(&V)"), QStringLiteral("帮助(&H)")}) {
            QString plain = text;
            plain.remove(QLatin1Char('&'));
            button->setMCaption(plain);
            const QImage withoutUnderline = button->grab().toImage();
            button->setMCaption(text);
            const QImage shown = button->grab().toImage();
            int row = -1;
            for (int y = 0; y < shown.height() && row < 0; ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    if (shown.pixelColor(x, y) != withoutUnderline.pixelColor(x, y)) {
                        row = y;
                        break;
                    }
                }
            }
            underlineRows.append(row);
        }
        QVERIFY(underlineRows.first() >= 0);
        QCOMPARE(underlineRows, QList<int>(4, underlineRows.first()));
    }

    void captionIsPersistedOnlyWhenNotDefault()
    {
        PropertyBag saved;
        button->WriteProperties(saved);
        QVERIFY(saved.values().isEmpty());

        QSignalSpy changed(button, &MenuBt::PropertyChanged);
        button->setMCaption(QStringLiteral("帮助(&H)"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("MCaption"));
        button->WriteProperties(saved);
        QCOMPARE(saved.values(),
                 (QVariantMap{{QStringLiteral("MCaption"), QStringLiteral("帮助(&H)")}}));

        MenuBt loaded;
        QSignalSpy loadChanged(&loaded, &MenuBt::PropertyChanged);
        loaded.ReadProperties(saved);
        QCOMPARE(loaded.MCaption(), QStringLiteral("帮助(&H)"));
        QVERIFY(loadChanged.isEmpty());
        MenuBt fresh;
        fresh.ReadProperties(PropertyBag());
        QCOMPARE(fresh.MCaption(), QStringLiteral("菜单(&M)"));
    }
};

QUILLET_TEST_MAIN(MenuBtTest)
#include "tst_menubt.moc"
