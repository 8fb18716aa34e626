// The status bar: its texts, the progress fill and the width-driven layout, in twips.
#include "statbar.h"
#include "testmain.h"
#include "twips.h"

#include <QLabel>

#include <memory>

class StatBarTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window;
    StatBar *bar = nullptr;

    QWidget *element(const char *name) const
    {
        return bar->findChild<QWidget *>(QLatin1String(name));
    }
    QString percentage() const { return static_cast<QLabel *>(element("ProgressH"))->text(); }
    QPoint position(const char *name) const { return element(name)->pos(); }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->resize(Twips::toPixels(QSizeF(10500, 9000)));
        bar = new StatBar(window.get());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void startsReadyWithAFullBar()
    {
        QCOMPARE(bar->linkInfo(), QStringLiteral("就绪"));
        QCOMPARE(percentage(), QStringLiteral("100%"));
        QCOMPARE(bar->Value(), 940);
        QCOMPARE(element("Progressbg")->grab().toImage().pixelColor(1, 1), QColor(191, 216, 247));
        QCOMPARE(bar->height(), Twips::toPixels(360));
        QCOMPARE(element("SplitBar")->size(), QSize(2, 20));
        QCOMPARE(element("ProgressBar")->size(), Twips::toPixels(QSizeF(1000, 250)));
        // Icon 60 from the left edge and 240 wide, then the text 60 further on.
        QCOMPARE(position("Label1").x(), Twips::toPixels(360));
    }

    void value_data()
    {
        QTest::addColumn<int>("written");
        QTest::addColumn<int>("fillWidth"); // twips
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << 0 << 0 << QStringLiteral("0%");
        QTest::newRow("half") << 50 << 470 << QStringLiteral("50%");
        QTest::newRow("57") << 57 << 536 << QStringLiteral("57%");
        QTest::newRow("full") << 100 << 940 << QStringLiteral("100%");
        QTest::newRow("past full") << 150 << 1410 << QStringLiteral("150%");
        QTest::newRow("negative counts as 0") << -5 << 0 << QStringLiteral("0%");
    }

    void value()
    {
        QFETCH(int, written);
        QFETCH(int, fillWidth);
        QFETCH(QString, shown);
        bar->setValue(written);
        QCOMPARE(bar->Value(), fillWidth);
        QCOMPARE(percentage(), shown);
        QWidget *fill = element("Progressbg");
        QCOMPARE(fill->geometry(), Twips::toPixels(30, 30, fillWidth, 190));
        QVERIFY(fill->isVisibleTo(bar));
        QVERIFY(element("ProgressH")->isVisibleTo(bar));
    }

    void linkInfoReplacesTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("opening") << QStringLiteral("正在打开: http://127.0.0.1/a.htm");
        QTest::newRow("empty") << QString();
        QTest::newRow("markup") << QStringLiteral("<b>bold</b>");
    }

    void linkInfoReplacesTheText()
    {
        QFETCH(QString, text);
        bar->setGeometryTwips(QRectF(0, 0, 9000, 360));
        bar->setLinkInfo(text);
        QCOMPARE(bar->linkInfo(), text);
        // Shown as written, markup included, and sized to it.
        const auto *label = static_cast<QLabel *>(element("Label1"));
        QVERIFY(qAbs(label->width() - label->fontMetrics().horizontalAdvance(text)) <= 1);
    }

    void aLongTextEndsAtTheSeparator()
    {
        bar->setGeometryTwips(QRectF(0, 0, 6000, 360));
        bar->setLinkInfo(QStringLiteral("正在打开: http://127.0.0.1/") +
                         QString(300, QLatin1Char('x')));
        QCOMPARE(element("Label1")->geometry().right() + 1, position("SplitBar").x());

        // Given more room, it shows more.
        bar->setGeometryTwips(QRectF(0, 0, 9000, 360));
        QCOMPARE(element("Label1")->geometry().right() + 1, position("SplitBar").x());
        bar->setLinkInfo(QStringLiteral("就绪"));
        QVERIFY(element("Label1")->width() < position("SplitBar").x() / 2);
    }

    void layout_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("separatorLeft");
        QTest::newRow("2515") << 2515.0 << 1012.0;
        QTest::newRow("2501") << 2501.0 << 1000.8;
        QTest::newRow("design width") << 9735.0 << 6788.0;
    }

    void layout()
    {
        QFETCH(double, width);
        QFETCH(double, separatorLeft);
        bar->setGeometryTwips(QRectF(0, 8280, width, 360));
        QCOMPARE(bar->geometryTwips(), QRectF(0, 8280, width, 360));
        QCOMPARE(position("SplitBar"), Twips::toPixels(separatorLeft, 35));
        QCOMPARE(position("ProgressBar"), Twips::toPixels(separatorLeft + 100, 55));
        QCOMPARE(position("ProgressH").x(), Twips::toPixels(separatorLeft + 1200));
        // The status text keeps its place.
        QCOMPARE(position("Label1").x(), Twips::toPixels(360));
    }

    void nothingMovesAt2500OrLess()
    {
        bar->setGeometryTwips(QRectF(0, 0, 9000, 360));
        const QPoint separator = position("SplitBar");
        const QPoint frame = position("ProgressBar");
        const QPoint shown = position("ProgressH");

        bar->setGeometryTwips(QRectF(0, 0, 2500, 600));
        QCOMPARE(bar->geometryTwips(), QRectF(0, 0, 2500, 600));
        QCOMPARE(position("SplitBar"), separator);
        QCOMPARE(position("ProgressBar"), frame);
        QCOMPARE(position("ProgressH"), shown);
    }

    void heightSnapsBackTo360_data()
    {
        QTest::addColumn<double>("height");
        QTest::newRow("taller") << 600.0;
        QTest::newRow("one twip more") << 361.0;
        QTest::newRow("shorter") << 15.0;
        QTest::newRow("zero") << 0.0;
    }

    void heightSnapsBackTo360()
    {
        QFETCH(double, height);
        bar->setGeometryTwips(QRectF(0, 0, 9000, height));
        QCOMPARE(bar->geometryTwips(), QRectF(0, 0, 9000, 360));
        QCOMPARE(bar->height(), Twips::toPixels(360));
    }

    // A size given in pixels, as a window system gives it, follows the same rule.
    void pixelResizeFollowsTheRule()
    {
        bar->resize(Twips::toPixels(9000), 100);
        QCOMPARE(bar->geometryTwips().size(), QSizeF(9000, 360));
        QCOMPARE(position("SplitBar"), Twips::toPixels(6200, 35));
    }
};

QUILLET_TEST_MAIN(StatBarTest)
#include "tst_statbar.moc"
