// The address bar's width-driven layout: the places in twips, the 8300 threshold, the
// fixed height, and the elements' pixel places on screen.
#include "barfixture.h"
#include "testmain.h"
#include "twips.h"

namespace {

AddressBarLayout::Sizes faceSizes()
{
    AddressBarLayout::Sizes sizes;
    sizes.navigationButton = QSizeF(330, 330);
    sizes.refreshButton = QSizeF(330, 330);
    sizes.stopButton = QSizeF(330, 330);
    sizes.searchButton = QSizeF(330, 330);
    sizes.selector = QSizeF(195, 330);
    sizes.dropButton = QSizeF(285, 270);
    sizes.iconSize = 240;
    sizes.listHeight = 300;
    return sizes;
}

QRect pixels(const QRectF &twips)
{
    return Twips::toPixels(twips.left(), twips.top(), twips.width(), twips.height());
}

} // namespace

class AddressBarLayoutTest : public QObject
{
    Q_OBJECT

private:
    BarFixture f;

    QRect placeOf(const char *name) const { return f.element(name)->geometry(); }

private Q_SLOTS:
    void cleanup() { f.reset(); }

    void elementsSitInTheirContainers_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("elements");
        QTest::newRow("bar") << QString()
                             << QStringList{"MButton",  "HomeButton",    "BButton",    "FButton",
                                            "Picture1", "RefreshButton", "StopButton", "Picture2",
                                            "SButton",  "Selsch",        "Combo1",     "Combo2"};
        QTest::newRow("URL frame")
            << "Picture1"
            << QStringList{"Image1", "Text1", "btClick", "Line1", "Line2", "Line3", "Line4"};
        QTest::newRow("search frame")
            << "Picture2" << QStringList{"Text2", "SBt", "Line5", "Line6", "Line7", "Line8"};
    }

    void elementsSitInTheirContainers()
    {
        QFETCH(QString, container);
        QFETCH(QStringList, elements);
        QVERIFY(f.show());
        QWidget *parent = container.isEmpty() ? f.bar : f.element(container.toLatin1().constData());
        for (const QString &name : elements) {
            const QWidget *element = f.element(name.toLatin1().constData());
            QVERIFY2(element && element->parentWidget() == parent, qPrintable(name));
        }
        // The lists' boxes are never seen, only their dropped-down lists.
        QVERIFY(!f.element("Combo1")->isVisible());
        QVERIFY(!f.element("Combo2")->isVisible());
    }

    void narrowestWidthLaysOutAsWorkedOut()
    {
        const auto l = AddressBarLayout::forWidth(8300, faceSizes());
        QCOMPARE(l.MButton, QRectF(0, 0, 330, 330));
        QCOMPARE(l.HomeButton.topLeft(), QPointF(400, 0));
        QCOMPARE(l.BButton.topLeft(), QPointF(820, 0));
        QCOMPARE(l.FButton.topLeft(), QPointF(1180, 0));
        QCOMPARE(l.Picture1, QRectF(1550, 0, 4150, 330));
        QCOMPARE(l.Picture1.right(), 5700.0);
        QCOMPARE(l.RefreshButton.topLeft(), QPointF(5730, 0));
        QCOMPARE(l.StopButton.topLeft(), QPointF(6075, 0));
        QCOMPARE(l.Picture2, QRectF(6465, 0, 1270, 330));
        QCOMPARE(l.Picture2.right(), 7735.0);
        QCOMPARE(l.SButton, QRectF(7775, 0, 330, 330));
        QCOMPARE(l.Selsch, QRectF(8105, 0, 195, 330));
        QCOMPARE(l.Selsch.right(), 8300.0);

        QCOMPARE(l.Image1, QRectF(30, 45, 240, 240));
        QCOMPARE(l.Text1, QRectF(300, 60, 3505, 210));
        QCOMPARE(l.btClick, QRectF(3835, 30, 285, 270));
        QCOMPARE(l.Text2, QRectF(60, 60, 865, 210));
        QCOMPARE(l.SBt, QRectF(955, 30, 285, 270));

        // The closed lists sit on their frames' bottom edges, as wide as the frames.
        QCOMPARE(l.Combo1, QRectF(1550, 30, 4150, 300));
        QCOMPARE(l.Combo2, QRectF(6465, 30, 1270, 300));

        QCOMPARE(l.Line1, QLineF(0, 0, 4150, 0));
        QCOMPARE(l.Line2, QLineF(0, 0, 0, 330));
        QCOMPARE(l.Line3, QLineF(4135, 0, 4135, 330));
        QCOMPARE(l.Line4, QLineF(0, 315, 4150, 315));
        QCOMPARE(l.Line7, QLineF(1255, 0, 1255, 330));
        QCOMPARE(l.Line8, QLineF(0, 315, 1270, 315));
    }

    void searchPairEndsAtTheRightEdge_data()
    {
        QTest::addColumn<double>("width");
        QTest::newRow("8300") << 8300.0;
        QTest::newRow("8301") << 8301.0;
        QTest::newRow("10335") << 10335.0;
        QTest::newRow("25000") << 25000.0;
    }

    void searchPairEndsAtTheRightEdge()
    {
        QFETCH(double, width);
        const auto l = AddressBarLayout::forWidth(width, faceSizes());
        QCOMPARE(l.Selsch.right(), width);
        QCOMPARE(l.SButton.right(), l.Selsch.left());
        QCOMPARE(l.Picture1.width(), width / 2);
        QCOMPARE(l.Picture2.right(), width - 565);
        QCOMPARE(l.Text1.right(), l.btClick.left() - 30);
        QCOMPARE(l.Text2.right(), l.SBt.left() - 30);
    }

    void barPlacesItsElementsFromTheLayout()
    {
        QVERIFY(f.show(8300));
        const auto l = AddressBarLayout::forWidth(8300, faceSizes());
        QCOMPARE(placeOf("Picture1"), pixels(l.Picture1));
        QCOMPARE(placeOf("RefreshButton"), pixels(l.RefreshButton));
        QCOMPARE(placeOf("StopButton"), pixels(l.StopButton));
        QCOMPARE(placeOf("Picture2"), pixels(l.Picture2));
        QCOMPARE(placeOf("SButton"), pixels(l.SButton));
        QCOMPARE(placeOf("Selsch"), pixels(l.Selsch));
        QCOMPARE(placeOf("Text1"), pixels(l.Text1));
        QCOMPARE(placeOf("btClick"), pixels(l.btClick));
        QCOMPARE(placeOf("Text2"), pixels(l.Text2));
        QCOMPARE(placeOf("SBt"), pixels(l.SBt));
        QCOMPARE(placeOf("Combo1"), pixels(l.Combo1));
        // Lines are one pixel thick, drawn up to their end point.
        QCOMPARE(placeOf("Line1"), QRect(0, 0, f.element("Picture1")->width(), 1));
        QCOMPARE(placeOf("Line3"), pixels(QRectF(4135, 0, 15, 330)));
        QCOMPARE(placeOf("Line8"), pixels(QRectF(0, 315, 1270, 15)));
        QCOMPARE(f.bar->geometryTwips().size(), QSizeF(8300, 330));
    }

    void narrowerThan8300KeepsTheLastLayout()
    {
        QVERIFY(f.show(9000));
        const QRect wide = placeOf("Picture1");
        const QRect selector = placeOf("Selsch");
        f.bar->setGeometryTwips(0, 0, 8299, 500);
        QCOMPARE(placeOf("Picture1"), wide);
        QCOMPARE(placeOf("Selsch"), selector);
        // Nothing runs: not even the fixed height is put back.
        QCOMPARE(f.bar->geometryTwips().size(), QSizeF(8299, 500));

        f.bar->setGeometryTwips(0, 0, 8300, 330);
        QCOMPARE(placeOf("Picture1"), pixels(QRectF(1550, 0, 4150, 330)));
        QCOMPARE(placeOf("Selsch"), pixels(QRectF(8105, 0, 195, 330)));
    }

    void heightSnapsBackTo330()
    {
        QVERIFY(f.show(9000));
        f.bar->setGeometryTwips(0, 0, 9000, 500);
        QCOMPARE(f.bar->geometryTwips().size(), QSizeF(9000, 330));
        QCOMPARE(f.bar->height(), 22);

        // A resize in pixels, as a window manager would make it, snaps back as well.
        f.bar->resize(700, 40);
        QCOMPARE(f.bar->size(), QSize(700, 22));
        QCOMPARE(f.bar->geometryTwips().size(), QSizeF(10500, 330));
        QCOMPARE(placeOf("Selsch").right() + 1, 700);
    }
};

QUILLET_TEST_MAIN(AddressBarLayoutTest)
#include "tst_addressbarlayout.moc"
