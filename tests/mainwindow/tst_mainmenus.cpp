// The main window's menu bar and pop-up menus: places, captions, rows, and the engine
// menu's check mark at start.
#include "captionlabel.h"
#include "form1.h"
#include "menubt.h"
#include "mymenu.h"
#include "scriptedengine.h"
#include "statbar.h"
#include "testmain.h"
#include "twips.h"
#include "wbcontrol.h"

class MainMenusTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Form1> window;

    QStringList rows(const MyMenu *menu) const
    {
        QStringList captions;
        for (int i = 0; i < menu->itemCount(); ++i)
            captions.append(
                menu->findChild<CaptionLabel *>(QStringLiteral("Mstr%1").arg(i))->text());
        return captions;
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<Form1>(std::make_unique<ScriptedEngineFactory>());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { window.reset(); }

    void menuBarButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("caption");
        QTest::newRow("File") << "MenuBt1" << 60.0 << QStringLiteral("文件(&F)");
        QTest::newRow("Edit") << "MenuBt2" << 930.0 << QStringLiteral("编辑(&E)");
        QTest::newRow("View") << "MenuBt3" << 1800.0 << QStringLiteral("查看(&V)");
        QTest::newRow("Help") << "MenuBt4" << 2670.0 << QStringLiteral("帮助(&H)");
    }

    void menuBarButtons()
    {
        QFETCH(QString, name);
        QFETCH(double, left);
        QFETCH(QString, caption);
        const auto *button = window->findChild<MenuBt *>(name);
        QVERIFY(button);
        QVERIFY(button->isVisible());
        // 520 twips is not a whole number of pixels: compare in pixels.
        QCOMPARE(button->geometry(), Twips::toPixels(left, 520, 870, 270));
        QCOMPARE(button->MCaption(), caption);
        QVERIFY(!button->isOpen());
    }

    void popUpMenus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("top");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("checked");
        QTest::newRow("File") << "MyMenu1" << 1800.0 << QStringList{QStringLiteral("新建(&N)"),
                                                                    QStringLiteral("打开(&O)"),
                                                                    QStringLiteral("保存(&S)"),
                                                                    QStringLiteral("打印(&P)"),
                                                                    QStringLiteral("打印预览(&V)"),
                                                                    QStringLiteral("属性(&R)"),
                                                                    QStringLiteral("关闭(&C)")}
                              << -1;
        QTest::newRow("Edit") << "MyMenu2" << 2400.0
                              << QStringList{QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                             QStringLiteral("粘贴(&P)"), QStringLiteral("全选(&A)"),
                                             QStringLiteral("查找(&F)")}
                              << -1;
        QTest::newRow("View")
            << "MyMenu3" << 3120.0
            << QStringList{QStringLiteral("后退(&B)"),   QStringLiteral("前进(&F)"),
                           QStringLiteral("停止(&S)"),   QStringLiteral("刷新(&R)"),
                           QStringLiteral("主页(&H)"),   QStringLiteral("空白页(&L)"),
                           QStringLiteral("收藏夹(&F)"), QStringLiteral("源文件(&C)")}
            << -1;
        QTest::newRow("Engines") << "MyMenu4" << 3720.0
                                 << QStringList{QStringLiteral("百度搜索"),
                                                QStringLiteral("Google"), QStringLiteral("Yahoo"),
                                                QStringLiteral("腾讯搜搜"),
                                                QStringLiteral("迅雷狗狗")}
                                 << 0;
        QTest::newRow("Help") << "MyMenu5" << 4320.0
                              << QStringList{QStringLiteral("快速入门(&Q)"),
                                             QStringLiteral("帮助(&P)"), QStringLiteral("关于(&A)")}
                              << -1;
    }

    void popUpMenus()
    {
        QFETCH(QString, name);
        QFETCH(double, top);
        QFETCH(QStringList, captions);
        QFETCH(int, checked);
        auto *menu = window->findChild<MyMenu *>(name);
        QVERIFY(menu);
        QVERIFY(menu->isHidden());
        QCOMPARE(rows(menu), captions);
        QCOMPARE(Twips::fromPixels(menu->geometry()),
                 QRectF(7800, top, 2325, 60 + 330 * captions.size()));
        QCOMPARE(menu->checkedIndex(), checked);
    }

    void popUpMenusAreDrawnAboveTheBrowserAndStatusBar()
    {
        auto *menu = window->findChild<MyMenu *>(QStringLiteral("MyMenu1"));
        for (const QWidget *below : {static_cast<QWidget *>(window->WBControl1()),
                                     static_cast<QWidget *>(window->StatBar1())}) {
            menu->hide();
            menu->move(below->geometry().center() - QPoint(10, 10));
            menu->show();
            const QPoint corner = menu->geometry().topLeft() + QPoint(2, 2);
            QVERIFY(below->geometry().contains(corner));
            QVERIFY(menu->isAncestorOf(window->childAt(corner)));
        }
    }
};

QUILLET_TEST_MAIN(MainMenusTest)
#include "tst_mainmenus.moc"
