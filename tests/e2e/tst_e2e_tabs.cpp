// Quillet as a user drives it: the pointer and the keyboard of a real X server, pages
// and searches answered by the loopback server, and the results read off the screen.
#include "desktop.h"
#include "loopbackserver.h"
#include "quilletwindow.h"

#include <QTest>
#include <QWidget>

#include <memory>

using Face = QuilletWindow::Face;

namespace {

struct Page
{
    QString path;
    QColor colour;
};

// Pages told apart by their colour, which fills the whole page area.
const Page Red{QStringLiteral("/red.htm"), QColor(220, 30, 30)};
const Page Green{QStringLiteral("/green.htm"), QColor(30, 180, 60)};
const Page Blue{QStringLiteral("/blue.htm"), QColor(40, 60, 210)};
const Page Yellow{QStringLiteral("/yellow.htm"), QColor(230, 200, 20)};

// Under the pointer, a page that answers clicks turns this colour: once it shows, the
// page takes the pointer's input.
const QColor Hovered(120, 120, 120);

QString colourPage(const QColor &colour, const QString &onClick = {})
{
    const QString hover =
        onClick.isEmpty() ? QString()
                          : QStringLiteral("<style>body:hover{background:%1 !important}</style>")
                                .arg(Hovered.name());
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title>"
                          "%2</head><body style=\"margin:0;height:100vh;background:%1\" "
                          "onclick=\"%3\"></body></html>")
        .arg(colour.name(), hover, onClick);
}

bool near(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3 &&
           qAbs(a.blue() - b.blue()) <= 3;
}

} // namespace

// Counts the presses a widget of the test's own receives.
class PressCounter final : public QObject
{
public:
    PressCounter(QWidget *widget, int *count)
        : QObject(widget)
        , m_count(count)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++*m_count;
        return false;
    }

private:
    int *m_count;
};

class E2ETabsTest : public QObject
{
    Q_OBJECT

private:
    LoopbackServer server;
    std::unique_ptr<QuilletWindow> quillet;

    QString address(const Page &page) const { return server.url(page.path).toString(); }
    quint16 proxyPort() const { return static_cast<quint16>(server.url({}).port()); }

    bool pageShows(const Page &page) const
    {
        return near(quillet->pageColour(E2E::screenshot()), page.colour);
    }
    bool requested(const QString &target) const { return server.requests().contains(target); }

    // The looks of the first `count` faces of the strip.
    QList<Face> faces(int count) const
    {
        const QImage shot = E2E::screenshot();
        QList<Face> looks;
        for (int position = 0; position < count; ++position)
            looks.append(quillet->faceLook(shot, position));
        return looks;
    }
    static QList<Face> selectedAt(int position, int count)
    {
        QList<Face> looks(count, Face::Normal);
        looks[position] = Face::Selected;
        return looks;
    }

    // Clicks into the URL box, types the address of `page` and ends it with `key`.
    void typeAddress(const Page &page, const QString &key)
    {
        E2E::Input::click(quillet->urlBox());
        E2E::Input::type(address(page));
        E2E::Input::key(key);
    }
    // Opens `page` in a new tab from the URL box, at `position` in the strip; false
    // when it did not show there.
    [[nodiscard]] bool openTab(const Page &page, int position)
    {
        typeAddress(page, QStringLiteral("ctrl+Return"));
        return QTest::qWaitFor(
            [&] {
                return pageShows(page) &&
                       faces(position + 2) ==
                           selectedAt(position, position + 1) + QList{Face::None};
            },
            E2E::DefaultTimeout);
    }
    // Clicks the selected page at `offset` from page(), once the page shows that it
    // follows the pointer; false when it never did.
    [[nodiscard]] bool clickPage(QPoint offset)
    {
        const QPoint point = quillet->page() + offset;
        E2E::Input::moveTo(point);
        if (!QTest::qWaitFor([&] { return near(quillet->pageColour(E2E::screenshot()), Hovered); },
                             E2E::DefaultTimeout))
            return false;
        E2E::Input::click(point);
        return true;
    }
    // Moves the pointer to a place of the window where it lights nothing.
    void restPointer() { E2E::Input::moveTo(quillet->page()); }

private Q_SLOTS:
    void initTestCase()
    {
        for (const Page &page : {Red, Green, Blue, Yellow})
            server.serve(page.path, colourPage(page.colour).toUtf8());
        server.serve(QStringLiteral("/opener.htm"),
                     colourPage(Red.colour, QStringLiteral("window.open('/closer.htm')")).toUtf8());
        server.serve(QStringLiteral("/closer.htm"),
                     colourPage(Green.colour, QStringLiteral("window.close()")).toUtf8());
        server.serve(QStringLiteral("/q"), colourPage(Blue.colour).toUtf8());
    }

    void init()
    {
        quillet = std::make_unique<QuilletWindow>(E2E::programPath("quillet"), proxyPort());
        QVERIFY2(quillet->isValid(), "Quillet's window did not appear");
        E2E_TRY_COMPARE(faces(1), selectedAt(0, 1));
    }

    void cleanup()
    {
        E2E::saveScreenshotOnFailure();
        quillet.reset();
    }

    // The fault that made the browser unusable: after a click on a tab, every later
    // click in the window went back to that tab.
    void clickOnTabThenAddressBar()
    {
        QVERIFY(openTab(Red, 1));
        E2E::Input::click(quillet->face(0).center());
        E2E_TRY_COMPARE(faces(2), selectedAt(0, 2));

        typeAddress(Green, QStringLiteral("Return"));
        E2E_TRY_VERIFY(requested(address(Green)));
        E2E_TRY_VERIFY(pageShows(Green));
        QCOMPARE(faces(3), (QList<Face>{Face::Selected, Face::Normal, Face::None}));

        E2E::Input::click(quillet->face(1).center());
        E2E_TRY_COMPARE(faces(2), selectedAt(1, 2));
        E2E_TRY_VERIFY(pageShows(Red));
    }

    // Only the selected face shows T0, wherever the last click went; a press on the
    // selected tab changes nothing.
    void selectedFaceFollowsClicks()
    {
        QVERIFY(openTab(Red, 1));
        QVERIFY(openTab(Green, 2));
        const Page shown[] = {{}, Red, Green};
        for (int position : {0, 2, 1, 1, 0}) {
            E2E::Input::click(quillet->face(position).center());
            E2E_TRY_COMPARE(faces(3), selectedAt(position, 3));
            if (position > 0)
                E2E_TRY_VERIFY(pageShows(shown[position]));
        }
        E2E::Input::press(quillet->face(2).center());
        E2E_TRY_COMPARE(faces(3), selectedAt(2, 3));
        QVERIFY(pageShows(Green));
        E2E::Input::release();
        E2E::Input::press(quillet->face(2).center());
        E2E::Input::release();
        E2E_TRY_VERIFY(pageShows(Green));
        QCOMPARE(faces(3), selectedAt(2, 3));
    }

    // Hover lights a tab that is not selected, and only while the pointer is on it.
    void hoverLightsUnselectedTab()
    {
        QVERIFY(openTab(Red, 1));
        restPointer();
        E2E_TRY_COMPARE(faces(2), selectedAt(1, 2));

        E2E::Input::moveTo(quillet->face(0).center());
        E2E_TRY_COMPARE(faces(2), (QList<Face>{Face::Hovered, Face::Selected}));
        E2E::Input::moveTo(quillet->face(1).center());
        E2E_TRY_COMPARE(faces(2), selectedAt(1, 2));
        E2E::Input::moveTo(quillet->face(0).center() + QPoint(20, 0));
        E2E_TRY_COMPARE(faces(2), (QList<Face>{Face::Hovered, Face::Selected}));
        restPointer();
        E2E_TRY_COMPARE(faces(2), selectedAt(1, 2));
    }

    // A lit face keeps no hold on the X pointer: a window of another program that comes
    // up over it gets its own clicks.
    void litFaceLeavesOtherProgramsTheirClicks()
    {
        QVERIFY(openTab(Red, 1));
        const QRect face = quillet->face(0);
        E2E::Input::moveTo(face.center());
        E2E_TRY_COMPARE(faces(2), (QList<Face>{Face::Hovered, Face::Selected}));

        QWidget other(nullptr, Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
        other.setGeometry(face.adjusted(-4, -4, 4, 4));
        int presses = 0;
        PressCounter counter(&other, &presses);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        E2E::Input::click(face.center() + QPoint(5, 0));
        E2E_TRY_COMPARE(presses, 1);
        other.hide();
        restPointer();
        E2E_TRY_COMPARE(faces(2), selectedAt(1, 2));
        QVERIFY(pageShows(Red));
    }

    // The close button shows on the selected tab only, closes it, and the rightmost
    // remaining tab is selected.
    void closeButtonClosesSelectedTab()
    {
        QVERIFY(openTab(Red, 1));
        QVERIFY(openTab(Green, 2));
        QVERIFY(openTab(Blue, 3));
        E2E::Input::click(quillet->face(2).center());
        E2E_TRY_COMPARE(faces(4), selectedAt(2, 4));
        E2E_TRY_VERIFY(pageShows(Green));
        {
            const QImage shot = E2E::screenshot();
            for (int position = 0; position < 4; ++position)
                QCOMPARE(quillet->showsCloseButton(shot, position), position == 2);
        }

        E2E::Input::click(quillet->closeButton(2));
        // Blue's tab moves into the closed one's place and is selected.
        E2E_TRY_COMPARE(faces(4),
                        (QList<Face>{Face::Normal, Face::Normal, Face::Selected, Face::None}));
        E2E_TRY_VERIFY(pageShows(Blue));
        QVERIFY(quillet->showsCloseButton(E2E::screenshot(), 2));

        E2E::Input::click(quillet->closeButton(2));
        E2E_TRY_COMPARE(faces(3), (QList<Face>{Face::Normal, Face::Selected, Face::None}));
        E2E_TRY_VERIFY(pageShows(Red));
    }

    void addressBarKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QList<Face>>("looks");
        QTest::newRow("Enter: the selected tab")
            << QStringLiteral("Return") << QList<Face>{Face::Selected, Face::None};
        QTest::newRow("Ctrl+Enter: a new tab")
            << QStringLiteral("ctrl+Return") << QList<Face>{Face::Normal, Face::Selected};
    }

    void addressBarKeys()
    {
        QFETCH(QString, key);
        QFETCH(QList<Face>, looks);

        typeAddress(Yellow, key);
        E2E_TRY_VERIFY(requested(address(Yellow)));
        E2E_TRY_VERIFY(pageShows(Yellow));
        E2E_TRY_COMPARE(faces(2), looks);
    }

    void search_data()
    {
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("clickIntoTheBox");
        QTest::newRow("Enter, typed where the choice left the focus") << false << false;
        QTest::newRow("the search button, after a click into the box") << true << true;
    }

    // A search goes to the engine chosen in the engine menu, with the text as typed:
    // choosing an engine hands the search box the focus with its text selected, and so
    // does a click that moves the focus into the box.
    void search()
    {
        QFETCH(bool, button);
        QFETCH(bool, clickIntoTheBox);

        E2E::Input::click(quillet->engineSelector());
        E2E::Input::moveTo(quillet->engineRow(0));
        E2E_TRY_VERIFY(quillet->showsCheckMark(E2E::screenshot(), 0));
        E2E::Input::click(quillet->engineRow(3));

        if (clickIntoTheBox) {
            E2E::Input::click(quillet->urlBox());
            E2E::Input::click(quillet->searchBox());
        }
        E2E::Input::type(QStringLiteral("abc"));
        if (button)
            E2E::Input::click(quillet->searchButton());
        else
            E2E::Input::key(QStringLiteral("Return"));
        E2E_TRY_VERIFY(requested(QStringLiteral("http://www.soso.com/q?pid=s.idx&w=abc")));
        E2E_TRY_VERIFY(pageShows(Blue));
        QCOMPARE(faces(2), (QList<Face>{Face::Selected, Face::None}));
    }

    // The engine menu opens from the selector with the first engine checked, and a
    // choice moves the check mark.
    void engineMenuMovesCheckMark()
    {
        E2E::Input::click(quillet->engineSelector());
        E2E::Input::moveTo(quillet->engineRow(0));
        E2E_TRY_VERIFY(quillet->showsCheckMark(E2E::screenshot(), 0));
        QVERIFY(!quillet->showsCheckMark(E2E::screenshot(), 4));

        E2E::Input::click(quillet->engineRow(4));
        E2E_TRY_VERIFY(!quillet->showsCheckMark(E2E::screenshot(), 4));

        E2E::Input::click(quillet->engineSelector());
        E2E::Input::moveTo(quillet->engineRow(1));
        E2E_TRY_VERIFY(quillet->showsCheckMark(E2E::screenshot(), 4));
        QVERIFY(!quillet->showsCheckMark(E2E::screenshot(), 0));
    }

    // A page's window.open opens a new rightmost tab, selected; window.close() in it
    // closes that tab.
    void pageOpensAndClosesWindow()
    {
        typeAddress({QStringLiteral("/opener.htm"), Red.colour}, QStringLiteral("Return"));
        E2E_TRY_VERIFY(pageShows(Red));

        QVERIFY(clickPage(QPoint(0, 0)));
        // Off the page, which would otherwise show its hover colour.
        E2E::Input::moveTo(quillet->at(30, 30));
        E2E_TRY_VERIFY(pageShows(Green));
        E2E_TRY_COMPARE(faces(3), (QList<Face>{Face::Normal, Face::Selected, Face::None}));

        QVERIFY(clickPage(QPoint(10, 10)));
        E2E_TRY_COMPARE(faces(2), (QList<Face>{Face::Selected, Face::None}));
        E2E::Input::moveTo(quillet->at(30, 30));
        E2E_TRY_VERIFY(pageShows(Red));
    }
};

QUILLET_E2E_MAIN(E2ETabsTest)
#include "tst_e2e_tabs.moc"
