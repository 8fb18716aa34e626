// The main-menu panel's two buttons: their looks on screen under the pointer and the
// host's resets, the moves and presses they report, the arrow, their fixed sizes and
// their persisted properties.
#include "captionlabel.h"
#include "mmenubutton.h"
#include "picturebox.h"
#include "propertybag.h"
#include "screen.h"
#include "tbutton.h"
#include "testmain.h"
#include "twips.h"

#include <QCursor>
#include <QFontInfo>
#include <QSignalSpy>

namespace {

QImage image(const char *name)
{
    return QImage(QStringLiteral(":/menus/images/%1.png").arg(QLatin1String(name)));
}

} // namespace

class PanelButtonsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    MMenuButton *large = nullptr;
    TButton *option = nullptr;

    PanelButton *button(const QString &kind) const
    {
        return kind == QLatin1String("MMenuButton") ? static_cast<PanelButton *>(large) : option;
    }
    QWidget *child(QWidget *parent, const char *name) const
    {
        auto *found = parent->findChild<QWidget *>(QLatin1String(name));
        Q_ASSERT(found);
        return found;
    }
    // Moves the pointer over the host's window to `at` in `widget`.
    void pointTo(QWidget *widget, QPoint at)
    {
        QTest::mouseMove(host.get(), widget->mapTo(host.get(), at));
    }
    void pointAway() { QTest::mouseMove(host.get(), QPoint(host->width() - 2, 2)); }
    // Where the large button's icon, arrow and a bare corner of its face show their
    // pictures: "normal", "hover" or "none".
    QString largeLook() const
    {
        const QImage shown = Screen::of(large);
        const auto which = [&](const char *name, const QImage &normal, const QImage &hover) {
            const QWidget *box = large->findChild<QWidget *>(QLatin1String(name));
            const QPoint at = Screen::placeIn(box, large);
            if (box->isHidden())
                return QStringLiteral("none");
            if (Screen::shows(shown, at, hover))
                return QStringLiteral("hover");
            return Screen::shows(shown, at, normal) ? QStringLiteral("normal")
                                                    : QStringLiteral("wrong");
        };
        const QString face = shown.pixel(2, 2) == image("MBg").pixel(2, 2) ? QStringLiteral("hover")
                             : shown.pixelColor(2, 2) == Qt::white ? QStringLiteral("normal")
                                                                   : QStringLiteral("wrong");
        return face + QLatin1Char('/') + which("MMBt", image("New1"), image("New2")) +
               QLatin1Char('/') + which("MMt", image("G1"), image("G2"));
    }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 160);
        large = new MMenuButton(host.get());
        large->move(10, 10);
        large->setMore(true);
        large->SetIcon(QPixmap::fromImage(image("New1")), QPixmap::fromImage(image("New2")));
        option = new TButton(host.get());
        option->move(10, 70);
        option->SetIcon(QPixmap::fromImage(image("Tab1")), QPixmap::fromImage(image("Tab2")));
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        pointAway();
    }

    void cleanup() { host.reset(); }

    void largeButtonLooks_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("look"); // face / icon / arrow
        QTest::newRow("created") << ""
                                 << "normal/normal/normal";
        QTest::newRow("over the face") << "face"
                                       << "hover/hover/hover";
        QTest::newRow("over the caption") << "caption"
                                          << "hover/hover/hover";
        QTest::newRow("over the icon") << "icon"
                                       << "hover/hover/hover";
        QTest::newRow("over the arrow") << "arrow"
                                        << "hover/hover/hover";
        QTest::newRow("left again") << "face,away"
                                    << "normal/normal/normal";
        QTest::newRow("ClearBg while lit") << "face,ClearBg"
                                           << "normal/normal/normal";
        QTest::newRow("More off while lit") << "face,More off"
                                            << "hover/hover/none";
        QTest::newRow("More on again") << "More off,More on"
                                       << "normal/normal/normal";
    }

    void largeButtonLooks()
    {
        QFETCH(QString, steps);
        QFETCH(QString, look);
        QWidget *face = child(large, "Mbt");
        const auto centreOf = [&](const char *name) {
            QWidget *element = child(face, name);
            return element->mapTo(face, element->rect().center());
        };
        for (const QString &step : steps.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("face"))
                pointTo(face, QPoint(60, 3));
            else if (step == QLatin1String("caption"))
                pointTo(face, centreOf("Label1"));
            else if (step == QLatin1String("icon"))
                pointTo(face, centreOf("MMBt"));
            else if (step == QLatin1String("arrow"))
                pointTo(face, centreOf("MMt"));
            else if (step == QLatin1String("away"))
                pointAway();
            else if (step == QLatin1String("ClearBg"))
                large->ClearBg();
            else
                large->setMore(step == QLatin1String("More on"));
        }
        QCOMPARE(largeLook(), look);
    }

    void optionButtonLooks()
    {
        QWidget *face = child(option, "Tbt");
        const QPoint icon = Screen::placeIn(child(face, "Mbt"), option);
        QCOMPARE(icon, Twips::toPixels(90, 90));
        QVERIFY(Screen::shows(Screen::of(option), icon, image("Tab1")));
        QCOMPARE(Screen::of(option).pixelColor(2, 2), QColor(233, 234, 238));

        pointTo(face, Screen::placeIn(child(face, "Tstr2"), face) + QPoint(3, 3));
        QImage shown = Screen::of(option);
        QVERIFY(Screen::shows(shown, icon, image("Tab2")));
        QCOMPARE(shown.pixel(2, 2), image("T1").pixel(2, 2));

        option->setdefskin();
        shown = Screen::of(option);
        QVERIFY(Screen::shows(shown, icon, image("Tab1")));
        QCOMPARE(shown.pixelColor(2, 2), QColor(233, 234, 238));
    }

    // Before SetIcon there is no icon, and the pointer lights the background alone.
    void noIconBeforeSetIcon_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("background");
        QTest::newRow("MMenuButton") << "MMenuButton"
                                     << "MBg";
        QTest::newRow("TButton") << "TButton"
                                 << "T1";
    }

    void noIconBeforeSetIcon()
    {
        QFETCH(QString, kind);
        QFETCH(QString, background);
        PanelButton *bare = kind == QLatin1String("MMenuButton")
                                ? static_cast<PanelButton *>(new MMenuButton(host.get()))
                                : new TButton(host.get());
        bare->move(60, 10);
        bare->show();
        bare->raise();
        auto *icon = bare->findChild<PictureBox *>(
            kind == QLatin1String("MMenuButton") ? QStringLiteral("MMBt") : QStringLiteral("Mbt"));
        QVERIFY(icon->isHidden());
        QWidget *face = icon->parentWidget();
        pointTo(face, face->rect().center());
        QVERIFY(icon->isHidden());
        QCOMPARE(Screen::of(bare).pixel(2, 2), image(qPrintable(background)).pixel(2, 2));
    }

    // Every move is reported, the one that finds the pointer outside too.
    void movesAreReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("MMenuButton") << "MMenuButton";
        QTest::newRow("TButton") << "TButton";
    }

    void movesAreReported()
    {
        QFETCH(QString, kind);
        PanelButton *subject = button(kind);
        QWidget *face = subject->findChildren<PictureBox *>().first();
        QSignalSpy moves(subject, &PanelButton::MouseMove);
        pointTo(face, QPoint(20, 10));
        pointTo(face, QPoint(21, 12));
        QCOMPARE(moves.count(), 2);
        QCOMPARE(moves.at(1).at(2).toDouble(), 21.0 * 15);
        QCOMPARE(moves.at(1).at(3).toDouble(), 12.0 * 15);

        pointAway();
        QCOMPARE(moves.count(), 3);
        pointAway();
        QCOMPARE(moves.count(), 3);

        // Dragged off with the left button held, the face still gets the move: it is
        // reported with the point outside it and the button held.
        pointTo(face, QPoint(20, 10));
        QTest::mousePress(host.get(), Qt::LeftButton, {}, face->mapTo(host.get(), QPoint(20, 10)));
        moves.clear();
        pointTo(face, QPoint(face->width() + 30, 10));
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
        QVERIFY(moves.at(0).at(2).toDouble() > Twips::fromPixels(face->width()));
        QTest::mouseRelease(host.get(), Qt::LeftButton, {},
                            face->mapTo(host.get(), QPoint(face->width() + 30, 10)));
        QVERIFY(static_cast<PictureBox *>(face)->picture().isNull());

        // Moved off with no button held, the face hears only the window system's leave:
        // the report says where the platform puts the pointer.
        QCursor::setPos(face->mapToGlobal(QPoint(20, 10)));
        QTRY_VERIFY(!static_cast<PictureBox *>(face)->picture().isNull());
        QCursor::setPos(face->mapToGlobal(QPoint(face->width() + 40, 5)));
        QTRY_VERIFY(static_cast<PictureBox *>(face)->picture().isNull());
        QCOMPARE(moves.last().at(2).toDouble(), Twips::fromPixels(face->width() + 40));
        QCOMPARE(moves.last().at(3).toDouble(), Twips::fromPixels(5));
    }

    void presses_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<Qt::MouseButton>("pressed");
        QTest::addColumn<bool>("reported");
        QTest::newRow("MMenuButton, left") << "MMenuButton" << Qt::LeftButton << true;
        QTest::newRow("MMenuButton, right") << "MMenuButton" << Qt::RightButton << false;
        QTest::newRow("MMenuButton, middle") << "MMenuButton" << Qt::MiddleButton << false;
        QTest::newRow("TButton, left") << "TButton" << Qt::LeftButton << true;
        QTest::newRow("TButton, right") << "TButton" << Qt::RightButton << true;
        QTest::newRow("TButton, middle") << "TButton" << Qt::MiddleButton << true;
    }

    void presses()
    {
        QFETCH(QString, kind);
        QFETCH(Qt::MouseButton, pressed);
        QFETCH(bool, reported);
        PanelButton *subject = button(kind);
        // On the caption or title: the face takes it, in its own coordinates.
        QWidget *text = subject->findChild<CaptionLabel *>();
        const QPoint at = text->mapTo(host.get(), QPoint(2, 2));
        QSignalSpy downs(subject, &PanelButton::MouseDown);
        QTest::mouseMove(host.get(), at);
        QTest::mousePress(host.get(), pressed, Qt::ShiftModifier, at);
        QCOMPARE(downs.count(), reported ? 1 : 0);
        if (reported) {
            QCOMPARE(downs.at(0).at(0).value<Qt::MouseButton>(), pressed);
            QCOMPARE(downs.at(0).at(1).value<Qt::KeyboardModifiers>(),
                     Qt::KeyboardModifiers(Qt::ShiftModifier));
            const QPoint inFace = text->mapTo(text->parentWidget(), QPoint(2, 2));
            QCOMPARE(downs.at(0).at(2).toDouble(), Twips::fromPixels(inFace.x()));
            QCOMPARE(downs.at(0).at(3).toDouble(), Twips::fromPixels(inFace.y()));
        }
        QTest::mouseRelease(host.get(), pressed, Qt::ShiftModifier, at);
    }

    void captionIsCentred()
    {
        large->setCaption(QStringLiteral("打开网页"));
        QWidget *caption = child(child(large, "Mbt"), "Label1");
        const QRect face = large->rect();
        QVERIFY(qAbs(caption->geometry().center().x() - face.center().x()) <= 1);
        QVERIFY(qAbs(caption->geometry().center().y() - face.center().y()) <= 1);
    }

    void fixedSize_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSizeF>("twips");
        QTest::newRow("MMenuButton") << "MMenuButton" << QSizeF(1905, 660);
        QTest::newRow("TButton") << "TButton" << QSizeF(4815, 975);
    }

    void fixedSize()
    {
        QFETCH(QString, kind);
        QFETCH(QSizeF, twips);
        PanelButton *subject = button(kind);
        subject->resize(40, 300);
        QCOMPARE(subject->size(), Twips::toPixels(twips));
        subject->setGeometry(0, 0, 900, 10);
        QCOMPARE(subject->size(), Twips::toPixels(twips));
    }

    void persistedProperties_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Caption") << "Caption" << QVariant(QStringLiteral("菜单"))
                                 << QVariant(QStringLiteral("新建"));
        QTest::newRow("More") << "More" << QVariant(false) << QVariant(true);
        QTest::newRow("TName") << "TName" << QVariant(QStringLiteral("选项"))
                               << QVariant(QStringLiteral("当前页"));
        QTest::newRow("THelp") << "THelp" << QVariant(QStringLiteral("说明"))
                               << QVariant(QStringLiteral("在当前页面打开"));
    }

    void persistedProperties()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, defaultValue);
        QFETCH(QVariant, value);
        const bool isLarge = key == QLatin1String("Caption") || key == QLatin1String("More");
        const auto read = [&](const QWidget *subject) -> QVariant {
            if (isLarge) {
                const auto *b = static_cast<const MMenuButton *>(subject);
                return key == QLatin1String("Caption") ? QVariant(b->Caption())
                                                       : QVariant(b->More());
            }
            const auto *b = static_cast<const TButton *>(subject);
            return key == QLatin1String("TName") ? b->TName() : b->THelp();
        };
        const auto write = [&](QWidget *subject, const QVariant &v) {
            if (key == QLatin1String("Caption"))
                static_cast<MMenuButton *>(subject)->setCaption(v.toString());
            else if (key == QLatin1String("More"))
                static_cast<MMenuButton *>(subject)->setMore(v.toBool());
            else if (key == QLatin1String("TName"))
                static_cast<TButton *>(subject)->setTName(v.toString());
            else
                static_cast<TButton *>(subject)->setTHelp(v.toString());
        };
        const auto save = [&](const QWidget *subject, PropertyBag &bag) {
            if (isLarge)
                static_cast<const MMenuButton *>(subject)->WriteProperties(bag);
            else
                static_cast<const TButton *>(subject)->WriteProperties(bag);
        };
        const auto load = [&](QWidget *subject, const PropertyBag &bag) {
            if (isLarge)
                static_cast<MMenuButton *>(subject)->ReadProperties(bag);
            else
                static_cast<TButton *>(subject)->ReadProperties(bag);
        };
        const auto create = [&]() -> QWidget * {
            if (isLarge)
                return new MMenuButton(host.get());
            return new TButton(host.get());
        };

        QWidget *fresh = create();
        QCOMPARE(read(fresh), defaultValue);
        PropertyBag saved;
        save(fresh, saved);
        QVERIFY(saved.values().isEmpty());

        QSignalSpy changed(fresh, SIGNAL(PropertyChanged(QString)));
        write(fresh, value);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), key);
        save(fresh, saved);
        QCOMPARE(saved.values(), (QVariantMap{{key, value}}));

        QWidget *loaded = create();
        load(loaded, saved);
        QCOMPARE(read(loaded), value);
        load(loaded, PropertyBag());
        QCOMPARE(read(loaded), defaultValue);
    }

    // The arrow shows exactly when More is set, also when loaded from the saved design.
    void loadedMoreShowsTheArrow()
    {
        auto *loaded = new MMenuButton(host.get());
        QWidget *arrow = child(loaded, "MMt");
        QVERIFY(arrow->isHidden());
        PropertyBag bag;
        bag.WriteProperty(QStringLiteral("More"), true, false);
        loaded->ReadProperties(bag);
        QVERIFY(!arrow->isHidden());
        loaded->move(60, 10);
        loaded->show();
        loaded->raise();
        QVERIFY(Screen::shows(Screen::of(loaded), Screen::placeIn(arrow, loaded), image("G1")));
    }

    // The title is a bold CJK face, and its label holds the ink of every glyph.
    void titleIsBoldAndWhole()
    {
        auto *title = option->findChild<CaptionLabel *>(QStringLiteral("Tstr1"));
        QVERIFY(QFontInfo(title->font()).bold());
        QVERIFY(QFontInfo(title->font()).family().contains(QLatin1String("CJK")));
        option->setTName(QStringLiteral("输入URL浏览"));
        const QRect ink = title->fontMetrics().tightBoundingRect(title->text());
        QVERIFY2(ink.width() <= title->width() && ink.height() <= title->height(),
                 qPrintable(QStringLiteral("ink %1 x %2 in %3 x %4")
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(title->width())
                                .arg(title->height())));
    }
};

QUILLET_TEST_MAIN(PanelButtonsTest)
#include "tst_panelbuttons.moc"
