// The main-menu panel: what hovering its large buttons shows, the events of its commands
// and of the bottom bar, the background press, the reset at each showing, the
// auto-hide check, its fixed size and rounded clip, and its looks on screen.
#include "captionlabel.h"
#include "mmenu.h"
#include "mmenubutton.h"
#include "picturebox.h"
#include "screen.h"
#include "tbutton.h"
#include "testmain.h"
#include "twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

QImage image(const QString &name)
{
    return QImage(QStringLiteral(":/menus/images/%1.png").arg(name));
}

} // namespace

class MMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    MMenu *panel = nullptr;
    QPoint pointer; // what the auto-hide check reads, in the panel's coordinates
    QStringList events;

    QWidget *child(const QString &name) const
    {
        auto *found = panel->findChild<QWidget *>(name);
        Q_ASSERT(found);
        return found;
    }
    QString description() const
    {
        return child(QStringLiteral("Picture2"))
            ->findChild<CaptionLabel *>(QStringLiteral("Label1"))
            ->text();
    }
    // The sub-panel shown, or "none".
    QString subPanelShown() const
    {
        QStringList shown;
        for (const char *name : {"Picture3", "Picture4", "Picture5"}) {
            if (child(QLatin1String(name))->isVisible())
                shown.append(QLatin1String(name));
        }
        return shown.isEmpty() ? QStringLiteral("none") : shown.join(QLatin1Char(','));
    }
    QPoint inHost(QWidget *widget, QPoint at) const { return widget->mapTo(host.get(), at); }
    void pointTo(QWidget *widget, QPoint at) { QTest::mouseMove(host.get(), inHost(widget, at)); }
    void pointTo(const QString &name) { pointTo(child(name), QPoint(20, 8)); }
    void pointAway() { QTest::mouseMove(host.get(), QPoint(host->width() - 2, 2)); }
    void showPanel()
    {
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(520, 500);
        panel = new MMenu(host.get());
        panel->move(20, 10);
        panel->hide();
        pointer = QPoint(100, 100);
        panel->setPointerSource([this] { return panel->mapToGlobal(pointer); });
        events.clear();
        const std::pair<const char *, void (MMenu::*)()> signalsOfPanel[] = {
            {"PrintPage", &MMenu::PrintPage},   {"BefoPrint", &MMenu::BefoPrint},
            {"HideMenu", &MMenu::HideMenu},     {"OptionClick", &MMenu::OptionClick},
            {"CloseClick", &MMenu::CloseClick}, {"OpenClick", &MMenu::OpenClick},
            {"NewPage", &MMenu::NewPage},       {"InputURL", &MMenu::InputURL},
            {"SaveFile", &MMenu::SaveFile}};
        for (const auto &[name, signal] : signalsOfPanel)
            connect(panel, signal, this, [this, n = QLatin1String(name)] { events.append(n); });
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        pointAway();
        showPanel();
    }

    void cleanup() { host.reset(); }

    void hoverShowsDescriptionAndSubPanel_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("subPanel");
        QTest::newRow("nothing yet") << QStringList() << ""
                                     << "none";
        QTest::newRow("新建") << QStringList{"MMenuButton1"} << "新建一个页面浏览"
                              << "Picture4";
        QTest::newRow("打开") << QStringList{"MMenuButton2"} << "打开网络上的URL或本地的文件"
                              << "Picture3";
        QTest::newRow("保存") << QStringList{"MMenuButton4"} << "保存当前页面"
                              << "none";
        QTest::newRow("打印") << QStringList{"MMenuButton3"} << "打印当前的页面"
                              << "Picture5";
        QTest::newRow("新建, then 保存")
            << QStringList{"MMenuButton1", "MMenuButton4"} << "保存当前页面"
            << "none";
        QTest::newRow("打印, then 打开")
            << QStringList{"MMenuButton3", "MMenuButton2"} << "打开网络上的URL或本地的文件"
            << "Picture3";
        QTest::newRow("新建, then into its sub-panel")
            << QStringList{"MMenuButton1", "TButton3", "TButton4"} << "新建一个页面浏览"
            << "Picture4";
        QTest::newRow("打开, then off the panel")
            << QStringList{"MMenuButton2", "away"} << "打开网络上的URL或本地的文件"
            << "Picture3";
    }

    void hoverShowsDescriptionAndSubPanel()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, text);
        QFETCH(QString, subPanel);
        for (const QString &step : path) {
            if (step == QLatin1String("away"))
                pointAway();
            else
                pointTo(step);
        }
        QCOMPARE(description(), text);
        QCOMPARE(subPanelShown(), subPanel);
        QVERIFY(events.isEmpty());
    }

    // Whatever was hovered when the panel was hidden, it shows again clean.
    void eachShowingStartsClean()
    {
        pointTo(QStringLiteral("MMenuButton1"));
        pointTo(QStringLiteral("TButton3"));
        auto *option = panel->findChild<TButton *>(QStringLiteral("TButton3"));
        QCOMPARE(Screen::of(option).pixel(2, 2), image(QStringLiteral("T1")).pixel(2, 2));
        panel->hide();
        showPanel();
        QCOMPARE(description(), QString());
        QCOMPARE(subPanelShown(), "none");
        // Shown again, the sub-panel's buttons are back to normal.
        child(QStringLiteral("Picture4"))->show();
        QCOMPARE(Screen::of(option).pixelColor(2, 2), QColor(233, 234, 238));
        auto *large = panel->findChild<MMenuButton *>(QStringLiteral("MMenuButton1"));
        QCOMPARE(Screen::of(large).pixelColor(2, 2), QColor(Qt::white));
    }

    void commands_data()
    {
        QTest::addColumn<QString>("hovered"); // the large button that opens the sub-panel
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QStringList>("raised");
        const auto left = Qt::LeftButton;
        QTest::newRow("当前页") << "MMenuButton2"
                                << "TButton1" << left << QStringList{"OpenClick", "HideMenu"};
        QTest::newRow("新页面") << "MMenuButton2"
                                << "TButton2" << left << QStringList{"HideMenu", "NewPage"};
        QTest::newRow("空白页") << "MMenuButton1"
                                << "TButton3" << left << QStringList{"NewPage", "HideMenu"};
        QTest::newRow("输入URL浏览") << "MMenuButton1"
                                     << "TButton4" << left << QStringList{"InputURL", "HideMenu"};
        QTest::newRow("打印") << "MMenuButton3"
                              << "TButton5" << left << QStringList{"HideMenu", "PrintPage"};
        QTest::newRow("打印预览") << "MMenuButton3"
                                  << "TButton6" << left << QStringList{"HideMenu", "BefoPrint"};
        QTest::newRow("保存") << ""
                              << "MMenuButton4" << left << QStringList{"HideMenu", "SaveFile"};
        QTest::newRow("新建") << ""
                              << "MMenuButton1" << left << QStringList();
        QTest::newRow("打开") << ""
                              << "MMenuButton2" << left << QStringList();
        QTest::newRow("large 打印") << ""
                                    << "MMenuButton3" << left << QStringList();
        QTest::newRow("选项 on the press") << ""
                                           << "XBt" << left << QStringList{"OptionClick"};
        QTest::newRow("background") << ""
                                    << "background" << left << QStringList{"HideMenu"};
        QTest::newRow("a frame piece") << ""
                                       << "MLeft" << left << QStringList();
        QTest::newRow("the description strip") << ""
                                               << "Picture2" << left << QStringList();
        QTest::newRow("right on 空白页") << "MMenuButton1"
                                         << "TButton3" << Qt::RightButton << QStringList();
        QTest::newRow("right on 保存") << ""
                                       << "MMenuButton4" << Qt::RightButton << QStringList();
        QTest::newRow("right on the background")
            << ""
            << "background" << Qt::RightButton << QStringList();
        QTest::newRow("right on 选项") << ""
                                       << "XBt" << Qt::RightButton << QStringList();
    }

    void commands()
    {
        QFETCH(QString, hovered);
        QFETCH(QString, pressed);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QStringList, raised);
        if (!hovered.isEmpty())
            pointTo(hovered);
        // The background: between the command column's bottom and the bottom bar.
        const QPoint at = pressed == QLatin1String("background")
                              ? inHost(panel, Twips::toPixels(3000, 5000))
                              : inHost(child(pressed), QPoint(3, 3));
        QTest::mouseMove(host.get(), at);
        QTest::mousePress(host.get(), button, {}, at);
        QCOMPARE(events, raised);
        QTest::mouseRelease(host.get(), button, {}, at);
        QCOMPARE(events, raised);
    }

    void closeButton_data()
    {
        QTest::addColumn<QPoint>("releasedAt"); // from the close button's top-left corner
        QTest::addColumn<QStringList>("raised");
        const QSize size = image(QStringLiteral("C1")).size();
        QTest::newRow("inside") << QPoint(10, 10) << QStringList{"CloseClick"};
        QTest::newRow("on the right edge") << QPoint(size.width(), 10) << QStringList{"CloseClick"};
        QTest::newRow("outside") << QPoint(size.width() + 20, 10) << QStringList();
        QTest::newRow("outside the panel") << QPoint(0, 60) << QStringList();
    }

    void closeButton()
    {
        QFETCH(QPoint, releasedAt);
        QFETCH(QStringList, raised);
        QWidget *close = child(QStringLiteral("cBt"));
        pointTo(close, QPoint(10, 10));
        QTest::mousePress(host.get(), Qt::LeftButton, {}, inHost(close, QPoint(10, 10)));
        QVERIFY(events.isEmpty());
        pointTo(close, releasedAt);
        QTest::mouseRelease(host.get(), Qt::LeftButton, {}, inHost(close, releasedAt));
        QCOMPARE(events, raised);
    }

    // The bottom bar's buttons show their hover picture under the pointer only.
    void bottomBarLooks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("选项") << "XBt"
                              << "X";
        QTest::newRow("关闭") << "cBt"
                              << "C";
    }

    void bottomBarLooks()
    {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QWidget *face = child(name);
        const QImage normal = image(prefix + QLatin1Char('1'));
        const QImage hover = image(prefix + QLatin1Char('2'));
        QCOMPARE(face->size(), normal.size());
        QVERIFY(Screen::shows(Screen::of(panel), face->pos(), normal));
        pointTo(face, QPoint(8, 8));
        QVERIFY(Screen::shows(Screen::of(panel), face->pos(), hover));
        pointTo(face, QPoint(8, face->height() + 10));
        QVERIFY(Screen::shows(Screen::of(panel), face->pos(), normal));
        QVERIFY(events.isEmpty());
    }

    void autoHide_data()
    {
        QTest::addColumn<QPoint>("offset"); // from the panel's top-left corner, in pixels
        QTest::addColumn<bool>("hides");
        const QSize size = Twips::toPixels(QSizeF(7025, 6745));
        QTest::newRow("inside") << QPoint(1, 1) << false;
        QTest::newRow("inside, bottom right")
            << QPoint(size.width() - 1, size.height() - 1) << false;
        QTest::newRow("left edge") << QPoint(0, 100) << true;
        QTest::newRow("top edge") << QPoint(100, 0) << true;
        QTest::newRow("right edge") << QPoint(size.width(), 100) << true;
        QTest::newRow("bottom edge") << QPoint(100, size.height()) << true;
        QTest::newRow("outside") << QPoint(-40, 600) << true;
    }

    // Each check that finds the pointer outside asks to hide and empties the description.
    void autoHide()
    {
        QFETCH(QPoint, offset);
        QFETCH(bool, hides);
        auto *timer = panel->findChild<QTimer *>(QStringLiteral("autoHide"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 700);
        QVERIFY(timer->isActive());
        int checks = 0;
        panel->setPointerSource([&] {
            ++checks;
            return panel->mapToGlobal(offset);
        });
        pointTo(QStringLiteral("MMenuButton1"));
        QCOMPARE(description(), "新建一个页面浏览");
        QTRY_VERIFY_WITH_TIMEOUT(checks >= 2, 5000);
        QCOMPARE(events.count(QStringLiteral("HideMenu")) >= 2, hides);
        QCOMPARE(events.isEmpty(), !hides);
        QCOMPARE(description().isEmpty(), hides);

        panel->hide();
        QVERIFY(!timer->isActive());
    }

    void fixedSizeAndRoundedClip()
    {
        const QSize size = Twips::toPixels(QSizeF(7025, 6745));
        panel->resize(200, 900);
        QCOMPARE(panel->size(), size);
        const QRegion clip = panel->mask();
        QCOMPARE(clip.boundingRect(), QRect(0, 0, 468, 449));
        for (const QPoint corner : {QPoint(0, 0), QPoint(467, 0), QPoint(0, 448), QPoint(467, 448)})
            QVERIFY2(!clip.contains(corner),
                     qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
        for (const QPoint inner : {QPoint(3, 0), QPoint(0, 3), QPoint(464, 448), QPoint(234, 224)})
            QVERIFY(clip.contains(inner));
    }

    void elementsArePlaced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips"); // relative to the element's parent
        QTest::newRow("TLeft") << "TLeft" << QRectF(0, 0, 90, 270);
        QTest::newRow("Tmain") << "Tmain" << QRectF(90, 0, 7025, 270);
        QTest::newRow("TRight") << "TRight" << QRectF(6915, 0, 90, 270);
        QTest::newRow("MLeft") << "MLeft" << QRectF(0, 270, 90, 6475);
        QTest::newRow("MRight") << "MRight" << QRectF(6915, 270, 90, 6475);
        QTest::newRow("LDown") << "LDown" << QRectF(0, 6290, 90, 435);
        QTest::newRow("MDown") << "MDown" << QRectF(90, 6290, 6935, 435);
        QTest::newRow("RDown") << "RDown" << QRectF(6915, 6290, 90, 435);
        QTest::newRow("Picture1") << "Picture1" << QRectF(90, 270, 1905, 6000);
        QTest::newRow("Line1") << "Line1" << QRectF(2010, 270, 15, 6000);
        QTest::newRow("Picture2") << "Picture2" << QRectF(2025, 270, 4890, 435);
        QTest::newRow("Line2") << "Line2" << QRectF(15, 420, 4845, 15);
        QTest::newRow("Picture3") << "Picture3" << QRectF(2065, 735, 4815, 1950);
        QTest::newRow("MMenuButton1") << "MMenuButton1" << QRectF(0, 0, 1905, 660);
        QTest::newRow("MMenuButton2") << "MMenuButton2" << QRectF(0, 660, 1905, 660);
        QTest::newRow("MMenuButton4") << "MMenuButton4" << QRectF(0, 1320, 1905, 660);
        QTest::newRow("MMenuButton3") << "MMenuButton3" << QRectF(0, 1980, 1905, 660);
        QTest::newRow("TButton2") << "TButton2" << QRectF(0, 975, 4815, 975);
        QTest::newRow("XBt") << "XBt" << QRectF(3330, 6340, 1575, 330);
        QTest::newRow("cBt") << "cBt" << QRectF(5295, 6340, 1635, 330);
    }

    void elementsArePlaced()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        QCOMPARE(child(name)->geometry(), Twips::toPixels(twips));
    }

    // The captions and texts the panel gives its buttons, with their icons on screen.
    void buttonTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("icon");
        QTest::newRow("MMenuButton1") << "MMenuButton1"
                                      << "新建"
                                      << ""
                                      << "New";
        QTest::newRow("MMenuButton2") << "MMenuButton2"
                                      << "打开"
                                      << ""
                                      << "Open";
        QTest::newRow("MMenuButton3") << "MMenuButton3"
                                      << "打印"
                                      << ""
                                      << "Print";
        QTest::newRow("MMenuButton4") << "MMenuButton4"
                                      << "保存"
                                      << ""
                                      << "Save";
        QTest::newRow("TButton1") << "TButton1"
                                  << "当前页"
                                  << "在当前页面打开"
                                  << "Current";
        QTest::newRow("TButton2") << "TButton2"
                                  << "新页面"
                                  << "建立一个新选项卡打开"
                                  << "Tab";
        QTest::newRow("TButton3") << "TButton3"
                                  << "空白页"
                                  << "新建一个空白选项卡"
                                  << "Blank";
        QTest::newRow("TButton4") << "TButton4"
                                  << "输入URL浏览"
                                  << "输入新URL或本地文件路径打开"
                                  << "Address";
        QTest::newRow("TButton5") << "TButton5"
                                  << "打印"
                                  << "打印当前浏览的页面"
                                  << "PrintNow";
        QTest::newRow("TButton6") << "TButton6"
                                  << "打印预览"
                                  << "预览打印后的效果"
                                  << "Preview";
    }

    void buttonTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(QString, help);
        QFETCH(QString, icon);
        QWidget *button = child(name);
        if (auto *large = qobject_cast<MMenuButton *>(button)) {
            QCOMPARE(large->Caption(), title);
            QCOMPARE(large->More(), name != QLatin1String("MMenuButton4"));
        } else {
            auto *option = qobject_cast<TButton *>(button);
            QCOMPARE(option->TName(), title);
            QCOMPARE(option->THelp(), help);
            button->parentWidget()->show();
        }
        auto *iconBox = button->findChild<PictureBox *>(
            qobject_cast<MMenuButton *>(button) ? QStringLiteral("MMBt") : QStringLiteral("Mbt"));
        QVERIFY(Screen::shows(Screen::of(button), Screen::placeIn(iconBox, button),
                              image(icon + QLatin1Char('1'))));
    }
};

QUILLET_TEST_MAIN(MMenuTest)
#include "tst_mmenu.moc"
