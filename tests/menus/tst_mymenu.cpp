// The pop-up menu: rows and sizes, the border, hover colours, presses, accelerators,
// the check mark, the reset on showing and the auto-hide check.
#include "captionlabel.h"
#include "menucolors.h"
#include "mymenu.h"
#include "picturebox.h"
#include "testmain.h"
#include "twips.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

namespace {

QStringList engineRows()
{
    return {QStringLiteral("百度搜索"), QStringLiteral("Google"), QStringLiteral("Yahoo"),
            QStringLiteral("腾讯搜搜"), QStringLiteral("迅雷狗狗")};
}

QStringList viewRows()
{
    return {QStringLiteral("后退(&B)"),   QStringLiteral("前进(&F)"),  QStringLiteral("停止(&S)"),
            QStringLiteral("刷新(&R)"),   QStringLiteral("主页(&H)"),  QStringLiteral("空白页(&L)"),
            QStringLiteral("收藏夹(&F)"), QStringLiteral("源文件(&C)")};
}

QList<qint16> rowList(std::initializer_list<int> rows)
{
    QList<qint16> list;
    for (const int row : rows)
        list.append(static_cast<qint16>(row));
    return list;
}

} // namespace

class MyMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    MyMenu *menu = nullptr;

    template<typename T = QWidget> T *element(const QString &name) const
    {
        return menu->findChild<T *>(name);
    }
    PictureBox *rowFace(int row) const
    {
        return element<PictureBox>(QStringLiteral("MMu%1").arg(row));
    }
    PictureBox *checkMark(int row) const
    {
        return element<PictureBox>(QStringLiteral("MIcon%1").arg(row));
    }
    QRectF twips(const QWidget *widget) const { return Twips::fromPixels(widget->geometry()); }
    void fill(const QStringList &captions)
    {
        for (int i = 0; i < captions.size(); ++i)
            menu->AddMenu(static_cast<qint16>(i), captions.at(i));
    }
    void showMenu()
    {
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }
    // The look row `row` shows: "lit" (hover colours, strips hidden), "normal" (white,
    // strips shown), or "mixed".
    QString look(int row) const
    {
        const QString n = QString::number(row);
        const bool lit = rowFace(row)->backgroundColor() == MenuColors::HoverFill;
        const QColor frame = lit ? MenuColors::HoverOutline : MenuColors::Background;
        const QColor fill = lit ? MenuColors::HoverFill : MenuColors::Background;
        if (element<PictureBox>(QStringLiteral("MMenu") + n)->backgroundColor() != frame ||
            element<CaptionLabel>(QStringLiteral("Mstr") + n)->backgroundColor() != fill ||
            rowFace(row)->backgroundColor() != fill ||
            element(QStringLiteral("MBg") + n)->isHidden() != lit ||
            element(QStringLiteral("M2") + n)->isHidden() != lit)
            return QStringLiteral("mixed");
        return lit ? QStringLiteral("lit") : QStringLiteral("normal");
    }
    QList<qint16> checkedRows() const
    {
        QList<qint16> rows;
        for (qint16 i = 0; i < menu->itemCount(); ++i) {
            if (!checkMark(i)->isHidden() && !checkMark(i)->picture().isNull())
                rows.append(i);
        }
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 400);
        menu = new MyMenu(host.get());
        menu->move(20, 20);
        menu->hide();
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
        // Away from where the last test left the pointer: a move to the point the
        // pointer is already at is not reported.
        QTest::mouseMove(host.get(), QPoint(399, 399));
    }

    void cleanup() { host.reset(); }

    void newMenuHasOneDefaultRow()
    {
        QCOMPARE(menu->itemCount(), 1);
        QCOMPARE(element<CaptionLabel>(QStringLiteral("Mstr0"))->text(),
                 QStringLiteral("菜单(&M)"));
        QCOMPARE(twips(menu), QRectF(300, 300, 2325, 390));
        menu->AddMenu(0, QStringLiteral("新建(&N)"));
        QCOMPARE(menu->itemCount(), 1);
        QCOMPARE(element<CaptionLabel>(QStringLiteral("Mstr0"))->text(),
                 QStringLiteral("新建(&N)"));
        QCOMPARE(Twips::fromPixels(menu->size()), QSizeF(2325, 390));
    }

    void sizeFollowsRows_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<double>("height");
        QTest::newRow("1 row") << 1 << 390.0;
        QTest::newRow("5 rows") << 5 << 1710.0;
        QTest::newRow("7 rows") << 7 << 2370.0;
    }

    void sizeFollowsRows()
    {
        QFETCH(int, rows);
        QFETCH(double, height);
        fill(viewRows().mid(0, rows));
        QCOMPARE(menu->itemCount(), rows);
        QCOMPARE(Twips::fromPixels(menu->size()), QSizeF(2325, height));
        QCOMPARE(twips(element(QStringLiteral("Picture2"))), QRectF(0, 0, 2325, height));
        const QString last = QString::number(rows - 1);
        QCOMPARE(twips(element(QStringLiteral("MMenu") + last)),
                 QRectF(30, 30 + 330 * (rows - 1), 2265, 330));
        QCOMPARE(twips(rowFace(rows - 1)), QRectF(15, 15, 2235, 300));
        QCOMPARE(twips(element(QStringLiteral("MBg") + last)), QRectF(-15, 0, 315, 300));
        QCOMPARE(element(QStringLiteral("Mstr") + last)->pos(), Twips::toPixels(420, 60));
        QCOMPARE(twips(element(QStringLiteral("Line4"))), QRectF(0, height - 15, 2325, 15));
        QCOMPARE(twips(element(QStringLiteral("Line3"))), QRectF(2310, 0, 15, height));
    }

    void rowsAreAddedOnlyInOrder()
    {
        fill(engineRows().mid(0, 2));
        menu->AddMenu(5, QStringLiteral("跳过"));
        QCOMPARE(menu->itemCount(), 2);
        menu->AddMenu(1, QStringLiteral("替换"));
        QCOMPARE(menu->itemCount(), 2);
        QCOMPARE(element<CaptionLabel>(QStringLiteral("Mstr1"))->text(), QStringLiteral("替换"));
    }

    void childMenuClosesTopBorderUntilNextRow()
    {
        const auto topLine = [this] {
            return twips(element(QStringLiteral("Line2")));
        };
        QCOMPARE(topLine(), QRectF(855, 0, 2325 - 855, 15));
        fill(engineRows());
        menu->SetChilMenu(true);
        QCOMPARE(topLine(), QRectF(0, 0, 2325, 15));
        menu->AddMenu(5, QStringLiteral("更多"));
        QCOMPARE(topLine(), QRectF(855, 0, 2325 - 855, 15));
        menu->SetChilMenu(true);
        menu->SetChilMenu(false);
        QCOMPARE(topLine(), QRectF(855, 0, 2325 - 855, 15));
    }

    void hoverLightsTheRowOnEveryMove()
    {
        fill(engineRows());
        showMenu();
        QSignalSpy on(menu, &MyMenu::MouseOn);
        QSignalSpy out(menu, &MyMenu::Mouseout);

        QTest::mouseMove(rowFace(2), QPoint(100, 10));
        QTest::mouseMove(rowFace(2), QPoint(101, 10));
        // Over the caption: the row sees the move.
        QTest::mouseMove(rowFace(2), element(QStringLiteral("Mstr2"))->geometry().center());
        QCOMPARE(on.count(), 3);
        QCOMPARE(on.at(0).at(0).value<qint16>(), 2);
        QCOMPARE(look(2), "lit");
        QCOMPARE(look(1), "normal");
        QCOMPARE(out.count(), 0);

        // The row's last pixel is still inside; the next one is not.
        QTest::mouseMove(rowFace(2), QPoint(rowFace(2)->width() - 1, 5));
        QCOMPARE(look(2), "lit");
        QTest::mouseMove(rowFace(2), QPoint(rowFace(2)->width(), 5));
        QCOMPARE(out.count(), 1);
        QCOMPARE(out.at(0).at(0).value<qint16>(), 2);
        QCOMPARE(look(2), "normal");

        QTest::mouseMove(rowFace(3), QPoint(50, 10));
        QCOMPARE(look(3), "lit");
        QCOMPARE(look(2), "normal");
        QCOMPARE(out.count(), 1);
        QCOMPARE(on.last().at(0).value<qint16>(), 3);
    }

    void pressOfAnyButtonIsReportedAtOnce_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("left") << Qt::LeftButton << Qt::KeyboardModifiers();
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers();
        QTest::newRow("ctrl+left") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier);
    }

    void pressOfAnyButtonIsReportedAtOnce()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        fill(engineRows());
        menu->checkItem(1);
        showMenu();
        QSignalSpy down(menu, &MyMenu::MouseDown);

        QTest::mouseMove(rowFace(1), QPoint(40, 6));
        QTest::mousePress(rowFace(1), button, modifiers, QPoint(40, 6));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(0).value<qint16>(), 1);
        QCOMPARE(down.at(0).at(1).value<Qt::MouseButton>(), button);
        QCOMPARE(down.at(0).at(2).value<Qt::KeyboardModifiers>(), modifiers);
        QCOMPARE(down.at(0).at(3).toDouble(), 600.0);
        QCOMPARE(down.at(0).at(4).toDouble(), 90.0);
        // No pressed look and no release handling: the row stays lit.
        QCOMPARE(look(1), "lit");
        QTest::mouseRelease(rowFace(1), button, modifiers, QPoint(40, 6));
        QCOMPARE(look(1), "lit");
        QCOMPARE(down.count(), 1);

        // A press on the check mark reaches the row, in row coordinates.
        const QPoint onMark = checkMark(1)->geometry().center();
        QTest::mousePress(rowFace(1), button, modifiers, onMark);
        QTest::mouseRelease(rowFace(1), button, modifiers, onMark);
        QCOMPARE(down.count(), 2);
        QCOMPARE(down.at(1).at(3).toDouble(), Twips::fromPixels(onMark.x()));
    }

    void acceleratorsRaiseEveryMatchingRow_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("key");
        QTest::addColumn<QList<qint16>>("rows");
        QTest::newRow("Google answers L") << engineRows() << int(Qt::Key_L) << rowList({1});
        QTest::newRow("Yahoo answers O") << engineRows() << int(Qt::Key_O) << rowList({2});
        QTest::newRow("no Chinese caption answers")
            << engineRows() << int(Qt::Key_S) << rowList({});
        QTest::newRow("two rows share F") << viewRows() << int(Qt::Key_F) << rowList({1, 6});
        QTest::newRow("access letter C") << viewRows() << int(Qt::Key_C) << rowList({7});
        QTest::newRow("enter does nothing") << viewRows() << int(Qt::Key_Return) << rowList({});
        QTest::newRow("escape does nothing") << viewRows() << int(Qt::Key_Escape) << rowList({});
        QTest::newRow("one-letter caption") << QStringList{QStringLiteral("x"), QStringLiteral("")}
                                            << int(Qt::Key_X) << rowList({0});
    }

    void acceleratorsRaiseEveryMatchingRow()
    {
        QFETCH(QStringList, captions);
        QFETCH(int, key);
        QFETCH(QList<qint16>, rows);
        fill(captions);
        showMenu();
        QSignalSpy down(menu, &MyMenu::MouseDown);

        // Both cases of a letter, the second with Shift held as typed.
        const Qt::KeyboardModifiers cases[] = {Qt::NoModifier, Qt::ShiftModifier};
        for (const Qt::KeyboardModifiers modifiers : cases) {
            down.clear();
            QTest::keyClick(rowFace(0), Qt::Key(key), modifiers);
            QList<qint16> raised;
            for (const QList<QVariant> &event : std::as_const(down)) {
                raised.append(event.at(0).value<qint16>());
                QCOMPARE(event.at(1).value<Qt::MouseButton>(), Qt::LeftButton);
                QCOMPARE(event.at(2).value<Qt::KeyboardModifiers>(), modifiers);
                QCOMPARE(event.at(3).toDouble(), 0.0);
                QCOMPARE(event.at(4).toDouble(), 0.0);
            }
            QCOMPARE(raised, rows);
        }
    }

    void lowerCaseLetterTypedIntoTheMenu()
    {
        fill(engineRows());
        showMenu();
        QSignalSpy down(menu, &MyMenu::MouseDown);
        QTest::keyClick(rowFace(0), 'o');
        QTest::keyClick(rowFace(0), 'O');
        QCOMPARE(down.count(), 2);
        QCOMPARE(down.at(0).at(0).value<qint16>(), 2);
        QCOMPARE(down.at(1).at(0).value<qint16>(), 2);
    }

    void keyCodeOfWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("code");
        QTest::newRow("a") << QStringLiteral("a") << 65;
        QTest::newRow("A") << QStringLiteral("A") << 65;
        QTest::newRow("z") << QStringLiteral("z") << 90;
        QTest::newRow("digit") << QStringLiteral("1") << 0;
        QTest::newRow("Chinese") << QStringLiteral("搜") << 0;
        QTest::newRow("bracket") << QStringLiteral(")") << 0;
        QTest::newRow("empty") << QString() << 0;
    }

    void keyCodeOfWord()
    {
        QFETCH(QString, word);
        QFETCH(int, code);
        QCOMPARE(int(MyMenu::MCaption(word)), code);
    }

    void checkMarkMoves_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("menu hidden") << false;
        QTest::newRow("menu shown") << true;
    }

    void checkMarkMoves()
    {
        QFETCH(bool, shown);
        fill(engineRows());
        if (shown)
            showMenu();
        QCOMPARE(menu->checkedIndex(), -1);
        QVERIFY(checkedRows().isEmpty());
        menu->checkItem(0);
        QCOMPARE(checkedRows(), rowList({0}));
        menu->checkItem(3);
        QCOMPARE(checkedRows(), rowList({3}));
        QCOMPARE(menu->checkedIndex(), 3);
        menu->checkItem(3);
        QCOMPARE(checkedRows(), rowList({3}));
        QVERIFY(checkMark(0)->picture().isNull());

        // It survives hiding and showing, placed at the row's right end.
        menu->hide();
        showMenu();
        QCOMPARE(checkedRows(), rowList({3}));
        QCOMPARE(twips(checkMark(3)), QRectF(1935, 0, 300, 300));
    }

    void showingResetsRowsAndFocusesRowZero()
    {
        fill(engineRows());
        QApplication::setActiveWindow(host.get());
        QVERIFY(QTest::qWaitForWindowActive(host.get()));
        showMenu();
        QTest::mouseMove(rowFace(4), QPoint(30, 8));
        QCOMPARE(look(4), "lit");
        menu->hide();
        host->setFocus();
        showMenu();
        QCOMPARE(look(4), "normal");
        QCOMPARE(QApplication::focusWidget(), rowFace(0));
    }

    void autoHideChecksThePointer_data()
    {
        QTest::addColumn<QPoint>("offset"); // from the menu's top-left corner, in pixels
        QTest::addColumn<bool>("hides");
        const QSize size = Twips::toPixels(QSizeF(2325, 390));
        QTest::newRow("inside") << QPoint(1, 1) << false;
        QTest::newRow("inside, bottom right")
            << QPoint(size.width() - 1, size.height() - 1) << false;
        QTest::newRow("left edge") << QPoint(0, 10) << true;
        QTest::newRow("top edge") << QPoint(10, 0) << true;
        QTest::newRow("right edge") << QPoint(size.width(), 10) << true;
        QTest::newRow("bottom edge") << QPoint(10, size.height()) << true;
        QTest::newRow("outside") << QPoint(-40, 200) << true;
    }

    void autoHideChecksThePointer()
    {
        QFETCH(QPoint, offset);
        QFETCH(bool, hides);
        int checks = 0;
        menu->setPointerSource([&] {
            ++checks;
            return menu->mapToGlobal(QPoint(0, 0)) + offset;
        });
        QSignalSpy hide(menu, &MyMenu::Hide);
        showMenu();
        // Hide comes on every check that finds the pointer outside, until hidden.
        QTRY_VERIFY_WITH_TIMEOUT(checks >= 2, 5000);
        QCOMPARE(hide.count() >= 2, hides);
        QCOMPARE(hide.isEmpty(), !hides);
    }

    // The check runs on the timer's timeouts only, every 700 ms, and only while shown.
    void autoHideChecksEvery700MsWhileShown()
    {
        fill(engineRows());
        auto *timer = menu->findChild<QTimer *>(QStringLiteral("autoHide"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 700);
        QVERIFY(!timer->isSingleShot());
        QVERIFY(!timer->isActive());

        int checks = 0;
        menu->setPointerSource([&] {
            ++checks;
            return menu->mapToGlobal(QPoint(-5, -5));
        });
        // Connected after the menu's own check, so each timeout sees its check done.
        QList<int> checksAtTimeout;
        connect(timer, &QTimer::timeout, this, [&] { checksAtTimeout.append(checks); });
        QSignalSpy hide(menu, &MyMenu::Hide);

        showMenu();
        QVERIFY(timer->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(checksAtTimeout.size() >= 2, 5000);
        QCOMPARE(checksAtTimeout.mid(0, 2), (QList<int>{1, 2}));
        QCOMPARE(hide.count(), checks);

        menu->hide();
        QVERIFY(!timer->isActive());
        showMenu();
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 700);
    }
};

QUILLET_TEST_MAIN(MyMenuTest)
#include "tst_mymenu.moc"
