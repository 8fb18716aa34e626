// The skinned text box driven through its window: characters offered to the host
// first (KeyPress) and what the host makes of them, Ctrl+A, Chang, input-method text,
// the width-driven layout with its fixed height, the empty drop-down list and the
// persisted "Text".
#include "droplist.h"
#include "editbox.h"
#include "eventcounter.h"
#include "propertybag.h"
#include "skinface.h"
#include "testmain.h"
#include "twips.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>

#include <memory>

class EditBoxTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> window;
    EditBox *box = nullptr;
    // What the host saw in KeyPress, and the log of KeyPress and Chang in order.
    QList<int> offered;
    QStringList events;

    QWindow *handle() const { return window->windowHandle(); }
    template<typename Element = QWidget> Element *element(const char *name) const
    {
        return box->findChild<Element *>(QLatin1String(name));
    }
    QLineEdit *textBox() const { return element<QLineEdit>("Text1"); }
    SkinFace *dropButton() const { return element<SkinFace>("cBt"); }
    DropList *list() const { return element<DropList>("Combo1"); }
    // Keys typed into the window, to whatever has its focus.
    void type(const QString &text) const
    {
        for (const QChar character : text)
            QTest::keyClick(handle(), character.toLatin1());
    }
    // A host that turns `from` into `to`, reading the character as a handler does.
    void hostReplaces(int from, int to)
    {
        connect(box, &EditBox::KeyPress, this, [from, to](char16_t &KeyAscii) {
            if (KeyAscii == from)
                KeyAscii = static_cast<char16_t>(to);
        });
    }
    static QRect pixels(double left, double top, double width, double height)
    {
        return Twips::toPixels(QRectF(left, top, width, height));
    }
    void clickDropButton(Qt::MouseButton button, QPoint at)
    {
        const QPoint inWindow = dropButton()->mapTo(window.get(), at);
        QTest::mouseMove(handle(), inWindow);
        QTest::mousePress(handle(), button, {}, inWindow);
        QTest::mouseRelease(handle(), button, {}, inWindow);
    }

private Q_SLOTS:
    void init()
    {
        offered.clear();
        events.clear();
        window = std::make_unique<QWidget>();
        window->resize(420, 80);
        box = new EditBox(window.get());
        box->setGeometryTwips(150, 150, 5000, EditBox::FixedHeight);
        connect(box, &EditBox::KeyPress, this, [this](char16_t &KeyAscii) {
            offered.append(KeyAscii);
            events.append(QStringLiteral("KeyPress"));
        });
        connect(box, &EditBox::Chang, this, [this] { events.append(QStringLiteral("Chang")); });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        box->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), textBox());
    }

    void cleanup() { window.reset(); }

    void hostSeesEveryCharacterFirst_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Qt::Key>("lastKey");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");

        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const Qt::Key noKey = Qt::Key_unknown;
        QTest::newRow("host leaves them")
            << -1 << 0 << "cab" << noKey << none << QList<int>{'c', 'a', 'b'} << "cab"
            << "";
        QTest::newRow("host turns a into b")
            << int('a') << int('b') << "cab" << noKey << none << QList<int>{'c', 'a', 'b'} << "cbb"
            << "";
        QTest::newRow("host swallows a")
            << int('a') << 0 << "cab" << noKey << none << QList<int>{'c', 'a', 'b'} << "cb"
            << "";
        QTest::newRow("host swallows enter")
            << 13 << 0 << "ab" << Qt::Key_Return << none << QList<int>{'a', 'b', 13} << "ab"
            << "";
        QTest::newRow("host turns enter into a")
            << 13 << int('a') << "ab" << Qt::Key_Return << none << QList<int>{'a', 'b', 13} << "aba"
            << "";
        QTest::newRow("ctrl+a") << -1 << 0 << "abc" << Qt::Key_A << ctrl
                                << QList<int>{'a', 'b', 'c', 1} << "abc"
                                << "abc";
        QTest::newRow("ctrl+a changed first")
            << 1 << int('x') << "abc" << Qt::Key_A << ctrl << QList<int>{'a', 'b', 'c', 1} << "abcx"
            << "";
        QTest::newRow("host turns z into ctrl+a")
            << int('z') << 1 << "abz" << noKey << none << QList<int>{'a', 'b', 'z'} << "ab"
            << "ab";
        QTest::newRow("host turns a into backspace")
            << int('a') << 8 << "bca" << noKey << none << QList<int>{'b', 'c', 'a'} << "b"
            << "";
        // Keys that type nothing are not offered.
        QTest::newRow("arrow") << -1 << 0 << "ab" << Qt::Key_Left << none << QList<int>{'a', 'b'}
                               << "ab"
                               << "";
    }

    void hostSeesEveryCharacterFirst()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, typed);
        QFETCH(Qt::Key, lastKey);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QList<int>, codes);
        QFETCH(QString, text);
        QFETCH(QString, selected);
        hostReplaces(from, to);
        const auto *windowKeys = new EventCounter(window.get(), QEvent::KeyPress);
        type(typed);
        if (lastKey != Qt::Key_unknown)
            QTest::keyClick(handle(), lastKey, modifiers);
        QCOMPARE(offered, codes);
        QCOMPARE(textBox()->text(), text);
        QCOMPARE(box->Text(), text);
        QCOMPARE(textBox()->selectedText(), selected);
        if (!selected.isEmpty())
            QCOMPARE(textBox()->selectionStart(), 0);
        // A swallowed Enter goes no further, not even to the window around the box.
        if (lastKey == Qt::Key_Return && to == 0)
            QCOMPARE(windowKeys->count, 0);
    }

    void typingOffersThenReportsTheChange()
    {
        type(QStringLiteral("a"));
        QCOMPARE(events, (QStringList{"KeyPress", "Chang"}));
        QTest::keyClick(handle(), Qt::Key_Backspace);
        QCOMPARE(offered, (QList<int>{'a', 8}));
        QCOMPARE(events, (QStringList{"KeyPress", "Chang", "KeyPress", "Chang"}));
        QCOMPARE(box->Text(), QString());
        // A swallowed character changes nothing.
        hostReplaces('b', 0);
        type(QStringLiteral("b"));
        QCOMPARE(events.size(), 5);
        QCOMPARE(events.last(), QStringLiteral("KeyPress"));
    }

    void textWritesReportTheirChange()
    {
        QSignalSpy changed(box, &EditBox::PropertyChanged);
        box->setText(QStringLiteral("http://x.test/"));
        QCOMPARE(events, QStringList{"Chang"});
        QCOMPARE(textBox()->text(), QStringLiteral("http://x.test/"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("Text"));
        // The same text again changes nothing.
        box->setText(QStringLiteral("http://x.test/"));
        QCOMPARE(events, QStringList{"Chang"});
        QVERIFY(offered.isEmpty());
    }

    void inputMethodTextReachesTheBox_data()
    {
        QTest::addColumn<int>("swallowed");
        QTest::addColumn<QString>("text");
        QTest::newRow("as committed") << 0 << "中文";
        QTest::newRow("host swallows one") << int(u'文') << "中";
    }

    void inputMethodTextReachesTheBox()
    {
        QFETCH(int, swallowed);
        QFETCH(QString, text);
        if (swallowed)
            hostReplaces(swallowed, 0);

        // Composing shows the input method's own text and types nothing yet.
        QInputMethodEvent composing(QStringLiteral("zhongwen"), {});
        QCoreApplication::sendEvent(QApplication::focusWidget(), &composing);
        QVERIFY(offered.isEmpty());
        QInputMethodEvent committed;
        committed.setCommitString(QStringLiteral("中文"));
        QCoreApplication::sendEvent(QApplication::focusWidget(), &committed);

        QCOMPARE(offered, (QList<int>{u'中', u'文'}));
        QCOMPARE(textBox()->text(), text);
        QCOMPARE(textBox()->displayText(), text);
        QCOMPARE(events.count(QStringLiteral("Chang")), 1);
    }

    void layoutFollowsTheWidth_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("textWidth");
        QTest::newRow("5000") << 5000.0 << 4655.0;
        QTest::newRow("1500") << 1500.0 << 1155.0;
        // Narrower than its drop button: no room for the text.
        QTest::newRow("300") << 300.0 << 0.0;
    }

    void layoutFollowsTheWidth()
    {
        QFETCH(double, width);
        QFETCH(double, textWidth);
        box->setGeometryTwips(150, 150, width, EditBox::FixedHeight);
        QCOMPARE(element("Picture1")->geometry(), pixels(0, 0, width, 330));
        QCOMPARE(textBox()->geometry(), pixels(60, 60, textWidth, 210));
        QCOMPARE(dropButton()->geometry(), pixels(width - 315, 30, 285, 270));
        QCOMPARE(dropButton()->size(), QSize(19, 18));
        // Left, top, right and bottom edges, one pixel thick.
        QCOMPARE(element("Line1")->geometry(), pixels(0, 0, 15, 330));
        QCOMPARE(element("Line2")->geometry(), pixels(0, 0, width, 15));
        QCOMPARE(element("Line3")->geometry(), pixels(width - 15, 0, 15, 330));
        QCOMPARE(element("Line4")->geometry(), pixels(0, 315, width, 15));
        QCOMPARE(element("Line1")->palette().color(QPalette::Window), QColor(126, 157, 185));
        // The list's own box is never seen; it sits 5 above the frame's foot.
        QCOMPARE(list()->geometry(),
                 pixels(0, 330 - DropList::BoxHeight - 5, width, DropList::BoxHeight));
        QVERIFY(!list()->isVisible());
        QCOMPARE(box->geometryTwips(), QRectF(150, 150, width, 330));
    }

    void heightIsPutBackAndTheBoxLaidOutAgain()
    {
        // A hovered drop button goes back to normal with the layout.
        const QPoint onButton = dropButton()->mapTo(window.get(), QPoint(5, 5));
        QTest::mouseMove(handle(), onButton);
        QCOMPARE(dropButton()->look(), HoverTracker::Look::Hover);

        box->setGeometryTwips(150, 150, 6000, 500);
        QCOMPARE(box->geometryTwips(), QRectF(150, 150, 6000, 330));
        QCOMPARE(box->height(), 22);
        QCOMPARE(dropButton()->pos(), Twips::toPixels(6000 - 315, 30));
        QCOMPARE(dropButton()->look(), HoverTracker::Look::Normal);

        // A resize in pixels, as a layout of the window would make it.
        box->resize(300, 40);
        QCOMPARE(box->size(), QSize(300, 22));
        QCOMPARE(textBox()->geometry(), pixels(60, 60, 4500 - 345, 210));
    }

    void dropButtonOpensAnEmptyListBelowTheFrame_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("opens");
        QTest::newRow("left") << Qt::LeftButton << 5 << true;
        QTest::newRow("left, rightmost column") << Qt::LeftButton << 18 << true;
        QTest::newRow("right") << Qt::RightButton << 5 << false;
    }

    void dropButtonOpensAnEmptyListBelowTheFrame()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, x);
        QFETCH(bool, opens);
        clickDropButton(button, QPoint(x, 9));
        QCOMPARE(list()->isDroppedDown(), opens);
        if (!opens)
            return;
        QCOMPARE(dropButton()->look(), HoverTracker::Look::Normal);
        const QWidget *frame = element("Picture1");
        const QRect dropped = list()->list()->geometry();
        QCOMPARE(dropped.topLeft(), frame->mapToGlobal(QPoint(0, frame->height())));
        QCOMPARE(dropped.size(), QSize(frame->width(), DropList::DroppedHeight));
        QCOMPARE(list()->list()->count(), 0);
        QVERIFY(QTest::qWaitForWindowExposed(list()->list()));
        QTest::keyClick(list()->list(), Qt::Key_Return);
        QVERIFY(!list()->isDroppedDown());
        QCOMPARE(box->Text(), QString());
    }

    void persistedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("stored");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("address") << "c:\\a.htm" << true;
        QTest::newRow("chinese") << "新浪网" << true;
    }

    void persistedText()
    {
        QFETCH(QString, text);
        QFETCH(bool, stored);
        box->setText(text);
        PropertyBag saved;
        box->WriteProperties(saved);
        QCOMPARE(saved.contains(QStringLiteral("Text")), stored);

        auto *loaded = new EditBox(window.get());
        loaded->setText(QStringLiteral("before loading"));
        loaded->ReadProperties(saved);
        QCOMPARE(loaded->Text(), text);
        QCOMPARE(loaded->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), text);
    }
};

QUILLET_TEST_MAIN(EditBoxTest)
#include "tst_editbox.moc"
