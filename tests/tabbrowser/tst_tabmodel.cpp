// The tab model of Quillet's tabbed browser, driven through a scripted engine:
// slots, lists, face placement, selection, titles and event forwarding.
#include "picturedrophandler.h"
#include "scriptedtabs.h"
#include "tabfaces.h"
#include "testmain.h"
#include "twips.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace {

const QString Blank = QStringLiteral("空白页");

class RecordingPictureHandler final : public PictureDropHandler
{
public:
    void showPicture(const QByteArray &encoded) override
    {
        pictures.append(QImage::fromData(encoded));
    }

    QList<QImage> pictures;
};

QImage testPicture()
{
    QImage picture(200, 150, QImage::Format_ARGB32);
    picture.fill(QColor(20, 120, 220));
    picture.setPixelColor(3, 4, Qt::red);
    return picture;
}

enum class Payload
{
    Text,
    PaddedText,
    AddressList,
    FileList,
    TextBeforeUrls,
    TextBeforePicture,
    HugeText,
    Picture,
    EmptyText,
    BlankText,
    EmptyAddressList,
    Unknown,
};

// The data a user drags: what a page, an editor, a file manager or an image program
// offers.
std::unique_ptr<QMimeData> payload(Payload kind)
{
    auto data = std::make_unique<QMimeData>();
    switch (kind) {
    case Payload::Text:
        data->setText(QStringLiteral("http://dropped.test/page"));
        break;
    case Payload::PaddedText:
        data->setText(QStringLiteral("  http://dropped.test/page\n"));
        break;
    case Payload::AddressList:
        data->setUrls({QUrl(QStringLiteral("http://dropped.test/page")),
                       QUrl(QStringLiteral("http://second.test/"))});
        break;
    case Payload::FileList:
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/dropped page.html"))});
        break;
    case Payload::TextBeforeUrls:
        data->setUrls({QUrl(QStringLiteral("http://second.test/"))});
        data->setText(QStringLiteral("http://dropped.test/page"));
        break;
    case Payload::TextBeforePicture:
        data->setImageData(testPicture());
        data->setText(QStringLiteral("http://dropped.test/page"));
        break;
    case Payload::HugeText:
        data->setText(QString(100000, QLatin1Char('w')));
        break;
    case Payload::Picture:
        data->setImageData(testPicture());
        break;
    case Payload::EmptyText:
        data->setText(QString());
        break;
    case Payload::BlankText:
        data->setText(QStringLiteral(" \t\n "));
        break;
    case Payload::EmptyAddressList:
        data->setUrls({});
        break;
    case Payload::Unknown:
        data->setData(QStringLiteral("application/x-unknown"), "bytes");
        break;
    }
    return data;
}

template<typename... Slot> QList<qint16> slotList(Slot... slot)
{
    return {static_cast<qint16>(slot)...};
}

} // namespace

Q_DECLARE_METATYPE(Payload)

class TabModelTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ScriptedTabs> tabs;
    WBControl *control = nullptr;
    RecordingPictureHandler *pictures = nullptr;

    ScriptedEngine *engine(int slot) const { return tabs->engine(slot); }
    QWidget *element(const char *role, int slot) const { return tabs->element(role, slot); }
    QString title(int slot) const { return tabs->title(slot); }
    double faceLeft(int slot) const { return Twips::fromPixels(element("MTab", slot)->x()); }
    bool closeButtonShown(int slot) const { return element("Tcbt", slot)->isVisibleTo(control); }
    bool containerShown(int slot) const { return element("WBCnt", slot)->isVisibleTo(control); }
    QRectF containerTwips(int slot) const
    {
        return Twips::fromPixels(element("WBCnt", slot)->geometry());
    }
    QRectF browserTwips(int slot) const
    {
        return Twips::fromPixels(engine(slot)->widget()->geometry());
    }
    void pressFace(int slot, Qt::MouseButton button) { TabFaces::click(control, slot, button); }
    TabFaces::Look look(int slot) const { return TabFaces::look(control, slot); }
    QList<TabFaces::Look> looks() const
    {
        QList<TabFaces::Look> all{look(0)};
        for (const qint16 slot : control->openSlots())
            all.append(look(slot));
        return all;
    }
    void openTabs(int count)
    {
        for (int i = 0; i < count; ++i)
            control->NewWindow(QStringLiteral("http://example.test/%1").arg(i), false);
    }

private Q_SLOTS:
    void init()
    {
        tabs = std::make_unique<ScriptedTabs>(9000, 6000);
        control = tabs->control;
        auto handler = std::make_unique<RecordingPictureHandler>();
        pictures = handler.get();
        control->setPictureDropHandler(std::move(handler));
        QVERIFY(tabs->isActive());
        // Away from where the last test left the pointer: a move to the point the
        // pointer is already at is not reported.
        QTest::mouseMove(tabs->elsewhere, QPoint(1, 1));
    }

    void cleanup() { tabs.reset(); }

    void startsWithPermanentFirstTab()
    {
        QCOMPARE(control->CurTab(), 0);
        QCOMPARE(faceLeft(0), 60.0);
        QCOMPARE(Twips::fromPixels(element("MTab", 0)->size()), QSizeF(2700, 420));
        QVERIFY(!closeButtonShown(0));
        QVERIFY(containerShown(0));
        QCOMPARE(engine(0)->calls, QStringList{QStringLiteral("GoHome")});
        QCOMPARE(title(0), QStringLiteral("MTabBox"));
        QVERIFY(control->openSlots().isEmpty());
        QVERIFY(control->freeSlots().isEmpty());
    }

    void newTabsStandSideBySide()
    {
        openTabs(2);
        QCOMPARE(faceLeft(1), 2760.0);
        QCOMPARE(faceLeft(2), 5460.0);
        QCOMPARE(control->openSlots(), slotList(1, 2));
        QCOMPARE(control->CurTab(), 2);
        QVERIFY(closeButtonShown(2));
        QVERIFY(!closeButtonShown(1));
        QVERIFY(containerShown(2));
        QVERIFY(!containerShown(1));
        QVERIFY(!containerShown(0));
        QCOMPARE(engine(2)->navigations, QStringList{QStringLiteral("http://example.test/1")});
        QCOMPARE(containerTwips(2), QRectF(0, 480, 9000, 6000 - 480));
    }

    void closedSlotsAreReusedFirstClosedFirst()
    {
        openTabs(3);
        control->CloseTab(2);
        QCOMPARE(faceLeft(3), 5460.0);
        QCOMPARE(control->CurTab(), 3);
        QCOMPARE(control->openSlots(), slotList(1, 3));
        QCOMPARE(control->freeSlots(), slotList(2));
        QVERIFY(!element("MTab", 2)->isVisibleTo(control));
        QCOMPARE(engine(2)->navigations.last(), QStringLiteral("About:Blank"));

        control->NewWindow(QStringLiteral("http://reused.test/"), false);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(faceLeft(2), 8160.0);
        QCOMPARE(control->openSlots(), slotList(1, 3, 2));
        QVERIFY(control->freeSlots().isEmpty());

        control->NewWindow(QStringLiteral("http://fresh.test/"), false);
        QCOMPARE(control->CurTab(), 4);
        QCOMPARE(faceLeft(4), 10860.0);
    }

    void closingTheOnlyExtraTabSelectsTheFirst()
    {
        openTabs(1);
        QSignalSpy selections(control, &WBControl::SelectTab);
        control->CloseTab(1);
        QCOMPARE(control->CurTab(), 0);
        QCOMPARE(selections.count(), 1);
        QVERIFY(containerShown(0));
        QVERIFY(control->openSlots().isEmpty());
        QCOMPARE(control->freeSlots(), slotList(1));

        control->NewWindow(QString(), true);
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(faceLeft(1), 2760.0);
    }

    void closingTheRightmostSelectsTwice()
    {
        openTabs(3);
        QSignalSpy selections(control, &WBControl::SelectTab);
        control->CloseTab(3);
        QCOMPARE(selections.count(), 2);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(control->openSlots(), slotList(1, 2));
        QCOMPARE(control->freeSlots(), slotList(3));
    }

    void closingAnythingButAnOpenTabChangesNothing()
    {
        openTabs(2);
        control->CloseTab(1);
        const QStringList before = engine(2)->navigations;
        QSignalSpy selections(control, &WBControl::SelectTab);
        control->CloseTab(1); // already closed
        control->CloseTab(7); // never created
        QCOMPARE(selections.count(), 0);
        QCOMPARE(control->openSlots(), slotList(2));
        QCOMPARE(control->freeSlots(), slotList(1));
        QCOMPARE(engine(2)->navigations, before);
    }

    void aFirstTabClosingItselfIsBlankedAndKept()
    {
        openTabs(1);
        bool cancel = false;
        Q_EMIT engine(0)->WindowClosing(false, cancel);
        QVERIFY(cancel);
        QCOMPARE(engine(0)->navigations, QStringList{QStringLiteral("About:Blank")});
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(control->openSlots(), slotList(1));
        QVERIFY(control->freeSlots().isEmpty());
    }

    void blankTabStartsNoNavigation()
    {
        QSignalSpy selections(control, &WBControl::SelectTab);
        control->NewWindow(QStringLiteral("http://ignored.test/"), true);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(engine(1)->navigations.isEmpty());
        QCOMPARE(title(1), Blank);
    }

    void newTabNavigatesBeforeSelectingAndJoinsTheListLast()
    {
        QStringList seen;
        connect(control, &WBControl::SelectTab, this, [&] {
            seen.append(QStringLiteral("navigations=%1 open=%2")
                            .arg(tabs->engines->engines.back()->navigations.size())
                            .arg(control->openSlots().size()));
        });
        control->NewWindow(QStringLiteral("http://a.test/"), false);
        QCOMPARE(seen, QStringList{QStringLiteral("navigations=1 open=0")});
    }

    void openUrlTitles_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("title");
        QTest::newRow("short") << QStringLiteral("http://a.cn/") << QStringLiteral("http://a.cn/");
        QTest::newRow("long") << QStringLiteral("http://www.example.com/a/very/long/path.html")
                              << QStringLiteral("http://www");
    }

    void openUrlTitles()
    {
        QFETCH(QString, url);
        QFETCH(QString, title);
        openTabs(1);
        control->OpenURL(url);
        QCOMPARE(this->title(1), title);
        QCOMPARE(engine(1)->navigations.last(), url);
        QLabel *label = static_cast<QLabel *>(element("Tstr", 1));
        QWidget *face = element("MTab", 1);
        QCOMPARE(label->x(), (face->width() - label->width()) / 2);
    }

    void openUrlActsOnTheFirstTabToo()
    {
        control->OpenURL(QStringLiteral("http://b.cn/"));
        QCOMPARE(engine(0)->navigations, QStringList{QStringLiteral("http://b.cn/")});
        QCOMPARE(title(0), QStringLiteral("http://b.cn/"));
    }

    void addressDropsOpenInTheirTab_data()
    {
        QTest::addColumn<QByteArray>("role");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Payload>("kind");
        QTest::addColumn<QString>("address");
        const QString page = QStringLiteral("http://dropped.test/page");
        TabFaces::addDropRows("text", Payload::Text, page);
        TabFaces::addDropRows("padded text", Payload::PaddedText, page);
        TabFaces::addDropRows("address list", Payload::AddressList, page);
        TabFaces::addDropRows("file", Payload::FileList,
                              QStringLiteral("file:///tmp/dropped page.html"));
        TabFaces::addDropRows("text and urls", Payload::TextBeforeUrls, page);
        TabFaces::addDropRows("text and picture", Payload::TextBeforePicture, page);
        TabFaces::addDropRows("100,000 characters", Payload::HugeText,
                              QString(100000, QLatin1Char('w')));
    }

    // The dropped address opens in the tab it was dropped on, which is then selected as
    // by a click on its face: its page takes the keyboard.
    void addressDropsOpenInTheirTab()
    {
        QFETCH(QByteArray, role);
        QFETCH(int, slot);
        QFETCH(Payload, kind);
        QFETCH(QString, address);
        using enum TabFaces::Look;
        openTabs(2);
        tabs->elsewhere->setFocus();
        const QString titleBefore = title(slot);
        QSignalSpy selections(control, &WBControl::SelectTab);

        const auto data = payload(kind);
        const TabFaces::DragAndDrop answers = TabFaces::drop(element(role, slot), *data);

        QCOMPARE(answers.move, TabFaces::Copied);
        QCOMPARE(answers.drop, TabFaces::Copied);
        const QString opened = QStringLiteral("http://example.test/%1").arg(slot - 1);
        QCOMPARE(engine(slot)->navigations, (QStringList{opened, address}));
        QCOMPARE(engine(3 - slot)->navigations.size(), 1);
        QVERIFY(engine(0)->navigations.isEmpty());
        QCOMPARE(selections.count(), 1);
        QCOMPARE(control->CurTab(), slot);
        QList expected{Normal, Normal, Normal};
        expected[slot] = Selected;
        QCOMPARE(looks(), expected);
        QVERIFY(closeButtonShown(slot));
        QVERIFY(!closeButtonShown(3 - slot));
        QVERIFY(engine(slot)->widget()->hasFocus());
        // The tab is named by its page, once the page reports a title.
        QCOMPARE(title(slot), titleBefore);
        QVERIFY(pictures->pictures.isEmpty());
    }

    void pictureDropsGoToTheHandler_data()
    {
        QTest::addColumn<QByteArray>("role");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Payload>("kind");
        TabFaces::addDropRows("picture", Payload::Picture);
    }

    // A picture is shown by the host's handler; the tabs stay as they were.
    void pictureDropsGoToTheHandler()
    {
        QFETCH(QByteArray, role);
        QFETCH(int, slot);
        QFETCH(Payload, kind);
        using enum TabFaces::Look;
        openTabs(2);
        QSignalSpy selections(control, &WBControl::SelectTab);

        const auto data = payload(kind);
        const TabFaces::DragAndDrop answers = TabFaces::drop(element(role, slot), *data);

        QCOMPARE(answers.move, TabFaces::Copied);
        QCOMPARE(answers.drop, TabFaces::Copied);
        QCOMPARE(pictures->pictures.size(), 1);
        QCOMPARE(pictures->pictures.first().convertToFormat(QImage::Format_ARGB32), testPicture());
        QCOMPARE(selections.count(), 0);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(looks(), (QList{Normal, Normal, Selected}));
        for (const int each : {0, 1, 2})
            QCOMPARE(engine(each)->navigations.size(), each == 0 ? 0 : 1);

        // A second picture goes the same way.
        TabFaces::drop(element(role, slot), *data);
        QCOMPARE(pictures->pictures.size(), 2);
    }

    void uselessDropsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("role");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Payload>("kind");
        QTest::addColumn<Qt::DropActions>("offered");
        const Qt::DropActions any = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        TabFaces::addDropRows("empty text", Payload::EmptyText, any);
        TabFaces::addDropRows("blank text", Payload::BlankText, any);
        TabFaces::addDropRows("empty address list", Payload::EmptyAddressList, any);
        TabFaces::addDropRows("unknown data", Payload::Unknown, any);
        // Taking a drag its source only lets go of would take the data from the source.
        TabFaces::addDropRows("text that can only be moved", Payload::Text,
                              Qt::DropActions(Qt::MoveAction));
        TabFaces::addDropRows("picture that can only be moved", Payload::Picture,
                              Qt::DropActions(Qt::MoveAction));
    }

    void uselessDropsAreRefused()
    {
        QFETCH(QByteArray, role);
        QFETCH(int, slot);
        QFETCH(Payload, kind);
        QFETCH(Qt::DropActions, offered);
        using enum TabFaces::Look;
        openTabs(2);
        QSignalSpy selections(control, &WBControl::SelectTab);

        const auto data = payload(kind);
        const TabFaces::DragAndDrop answers = TabFaces::drop(element(role, slot), *data, offered);

        QCOMPARE(answers.move, TabFaces::Refused);
        QCOMPARE(answers.drop, TabFaces::Refused);
        for (const int each : {0, 1, 2})
            QCOMPARE(engine(each)->navigations.size(), each == 0 ? 0 : 1);
        QCOMPARE(selections.count(), 0);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(looks(), (QList{Normal, Normal, Selected}));
        QVERIFY(pictures->pictures.isEmpty());
    }

    void resizeLaysOutOnlyTheSelectedPage()
    {
        openTabs(3);
        control->resize(Twips::toPixels(QSizeF(12000, 9000)));
        QCOMPARE(containerTwips(3), QRectF(0, 480, 12000, 9000 - 480));
        QCOMPARE(browserTwips(3), QRectF(-15, -15, 12045, 8565));
        QCOMPARE(containerTwips(1).width(), 9000.0);

        pressFace(1, Qt::LeftButton);
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(containerTwips(1), QRectF(0, 480, 12000, 9000 - 480));
    }

    void noLayoutAtSixHundredOrLess()
    {
        const QRectF before = containerTwips(0);
        control->resize(Twips::toPixels(QSizeF(4995, 600)));
        QCOMPARE(containerTwips(0), before);
        control->resize(Twips::toPixels(QSizeF(4995, 615)));
        QCOMPARE(containerTwips(0), QRectF(0, 480, 4995, 135));
    }

    void pressesOnFaces()
    {
        openTabs(2);
        QSignalSpy selections(control, &WBControl::SelectTab);
        pressFace(1, Qt::RightButton);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(selections.count(), 0);

        pressFace(2, Qt::LeftButton);
        QCOMPARE(control->CurTab(), 2);
        QCOMPARE(selections.count(), 1);
        QVERIFY(engine(2)->widget()->hasFocus());

        // The title and the icon pass presses to their face.
        QWidget *title = element("Tstr", 1);
        TabFaces::click(control, 1, Qt::LeftButton, title->geometry().center());
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(selections.count(), 2);
        QVERIFY(engine(1)->widget()->hasFocus());
        QVERIFY(closeButtonShown(1));
        QVERIFY(!closeButtonShown(2));
    }

    void selectionFocusesThePage()
    {
        control->NewWindow(QStringLiteral("http://a.test/"), false);
        QVERIFY(engine(1)->widget()->hasFocus());

        // Pressing the tab that is already selected takes the focus back to its page.
        tabs->elsewhere->setFocus();
        QSignalSpy selections(control, &WBControl::SelectTab);
        pressFace(1, Qt::LeftButton);
        QCOMPARE(selections.count(), 1);
        QCOMPARE(control->CurTab(), 1);
        QVERIFY(engine(1)->widget()->hasFocus());
    }

    void focusGoesToTheSelectedPage()
    {
        openTabs(1);
        pressFace(0, Qt::LeftButton);
        control->window()->activateWindow();
        control->setFocus();
        QVERIFY(engine(0)->widget()->hasFocus());
    }

    void pageTitles_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("page") << QStringLiteral("http://a.cn/") << QStringLiteral("新闻")
                              << QStringLiteral("新闻");
        QTest::newRow("blank page")
            << QStringLiteral("about:blank") << QStringLiteral("about:blank") << Blank;
        QTest::newRow("blank, any case")
            << QStringLiteral("About:Blank") << QStringLiteral("x") << Blank;
        QTest::newRow("thirty characters")
            << QStringLiteral("http://a.cn/") << QStringLiteral("abcdefghijklmnopqrstuvwxyz0123")
            << QStringLiteral("abcdefghij...");
        // A dropped text the engine could not open comes back as the page's title.
        QTest::newRow("100,000 characters")
            << QStringLiteral("http://a.cn/") << QString(100000, QLatin1Char('w'))
            << QStringLiteral("wwwwwwwwww...");
        QTest::newRow("empty keeps the title")
            << QStringLiteral("http://a.cn/") << QString() << QStringLiteral("http://x.cn/");
    }

    void pageTitles()
    {
        QFETCH(QString, location);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        control->NewWindow(QStringLiteral("http://x.cn/"), false);
        engine(1)->location = location;
        QSignalSpy titles(control, &WBControl::TitleChange);
        QSignalSpy urls(control, &WBControl::URLChang);
        Q_EMIT engine(1)->TitleChange(text);
        QCOMPARE(title(1), shown);
        QCOMPARE(titles.count(), 1);
        QCOMPARE(titles.at(0).at(0).value<qint16>(), 1);
        QCOMPARE(titles.at(0).at(1).toString(), text);
        QCOMPARE(urls.count(), 1);
        QCOMPARE(urls.at(0).at(1).toString(), location);
    }

    void busyBrowsersRaiseNoUrlChange()
    {
        engine(0)->busy = true;
        QSignalSpy titles(control, &WBControl::TitleChange);
        QSignalSpy urls(control, &WBControl::URLChang);
        Q_EMIT engine(0)->TitleChange(QStringLiteral("t"));
        QCOMPARE(titles.count(), 1);
        QCOMPARE(urls.count(), 0);
    }

    void eventsCarryTheSlotNumber()
    {
        openTabs(2);
        QSignalSpy before(control, &WBControl::BeforeNavigate2);
        QSignalSpy begin(control, &WBControl::DownloadBegin);
        QSignalSpy progress(control, &WBControl::ProgressChange);
        QSignalSpy committed(control, &WBControl::NavigateComplete2);
        QSignalSpy property(control, &WBControl::PropertyChange);
        engine(1)->location = QStringLiteral("http://one.cn/");

        QVERIFY(!engine(1)->Silent());
        Q_EMIT engine(1)->BeforeNavigate2(QStringLiteral("http://next.cn/"));
        QVERIFY(engine(1)->Silent());
        Q_EMIT engine(1)->DownloadBegin();
        Q_EMIT engine(1)->ProgressChange(5000, 10000);
        Q_EMIT engine(1)->NavigateComplete2(QStringLiteral("http://next.cn/"));
        Q_EMIT engine(1)->PropertyChange(QStringLiteral("p"));

        QCOMPARE(before.takeFirst(), (QVariantList{qint16(1), QStringLiteral("http://next.cn/")}));
        QCOMPARE(begin.takeFirst(), (QVariantList{qint16(1), QStringLiteral("http://one.cn/")}));
        QCOMPARE(progress.takeFirst(), (QVariantList{qint16(1), 5000, 10000}));
        QCOMPARE(committed.takeFirst(),
                 (QVariantList{qint16(1), QStringLiteral("http://next.cn/")}));
        QCOMPARE(property.takeFirst(), (QVariantList{qint16(1), QStringLiteral("p")}));
    }

    void downloadCompleteRelaysTheSelectedBrowser()
    {
        // A width of no whole number of pixels, where +40 and +45 twips round apart.
        const double width = 9010;
        const double height = 6000;
        control->setGeometryTwips(0, 0, width, height);
        openTabs(2);
        QSignalSpy complete(control, &WBControl::DownloadComplete);
        Q_EMIT engine(1)->DownloadComplete(); // a background tab
        QCOMPARE(complete.takeFirst(), QVariantList{qint16(1)});
        QCOMPARE(engine(2)->widget()->geometry(),
                 Twips::toPixels(-20, -20, width + 45, height - 480 + 20));

        // The next layout puts the usual margins back.
        control->setGeometryTwips(0, 0, width, height + 15);
        QCOMPARE(engine(2)->widget()->geometry(),
                 Twips::toPixels(-20, -20, width + 40, height + 15 - 480 + 40));
    }

    void pagesOpeningWindowsGetANewTab()
    {
        openTabs(1);
        pressFace(0, Qt::LeftButton);
        QStringList order;
        connect(control, &WBControl::NewWindow2, this,
                [&](qint16 index) { order.append(QStringLiteral("NewWindow2 %1").arg(index)); });
        connect(control, &WBControl::SelectTab, this,
                [&] { order.append(QStringLiteral("SelectTab %1").arg(control->CurTab())); });
        BrowserEngine *target = nullptr;
        bool cancel = false;
        Q_EMIT engine(0)->NewWindow2(target, cancel);
        QCOMPARE(order,
                 (QStringList{QStringLiteral("NewWindow2 0"), QStringLiteral("SelectTab 2")}));
        QCOMPARE(target, engine(2));
        QCOMPARE(control->openSlots(), slotList(1, 2));
        QVERIFY(engine(2)->navigations.isEmpty());
        QCOMPARE(faceLeft(2), 5460.0);
    }

    void pagesClosingThemselvesCloseTheirTab()
    {
        openTabs(3);
        bool cancel = false;
        Q_EMIT engine(1)->WindowClosing(false, cancel);
        QVERIFY(cancel);
        QCOMPARE(control->openSlots(), slotList(2, 3));
        QCOMPARE(control->CurTab(), 3);
        QCOMPARE(faceLeft(2), 2760.0);
        QCOMPARE(faceLeft(3), 5460.0);
    }

    void urlPropertyUsesTheSelectedTab()
    {
        openTabs(1);
        engine(0)->location = QStringLiteral("http://zero.cn/");
        engine(1)->location = QStringLiteral("http://one.cn/");
        QCOMPARE(control->URL(), QStringLiteral("http://one.cn/"));
        control->setURL(QStringLiteral("http://written.cn/"));
        QCOMPARE(engine(1)->navigations.last(), QStringLiteral("http://written.cn/"));
        pressFace(0, Qt::LeftButton);
        QCOMPARE(control->URL(), QStringLiteral("http://zero.cn/"));
    }

    void closeButtonClosesOnReleaseInside()
    {
        openTabs(2);
        QWidget *close = element("Tcbt", 2);
        QTest::mouseMove(close, QPoint(3, 3));
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(control->CurTab(), 2);
        QTest::mouseRelease(close, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(control->CurTab(), 1);
        QCOMPARE(control->openSlots(), slotList(1));
        QCOMPARE(looks(), (QList{TabFaces::Look::Normal, TabFaces::Look::Selected}));
    }

    void closeButtonDraggedOffLeavesTheTabOpen()
    {
        openTabs(1);
        auto *close = static_cast<PictureBox *>(element("Tcbt", 1));
        const QPixmap normal = close->picture();
        QTest::mouseMove(close, QPoint(3, 3));
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseMove(element("MTab", 1), TabFaces::spot());
        QTest::mouseRelease(element("MTab", 1), Qt::LeftButton, {}, TabFaces::spot());
        QCOMPARE(control->openSlots(), slotList(1));
        QVERIFY(close->isShowing(normal));
    }

    // Each click selects the clicked tab: its face alone shows the selected picture,
    // also while the pointer rests on it.
    void onlyTheSelectedFaceLooksSelected()
    {
        using enum TabFaces::Look;
        openTabs(2);
        QCOMPARE(looks(), (QList{Normal, Normal, Selected}));
        for (const int slot : {0, 1, 2, 1}) {
            pressFace(slot, Qt::LeftButton);
            QCOMPARE(control->CurTab(), slot);
            QList expected{Normal, Normal, Normal};
            expected[slot] = Selected;
            QCOMPARE(looks(), expected);
            TabFaces::moveOnto(control, slot, TabFaces::spot() + QPoint(3, 1));
            QCOMPARE(looks(), expected);
        }
    }

    void pressingTheSelectedFaceChangesNoLook_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("right") << Qt::RightButton;
        QTest::newRow("middle") << Qt::MiddleButton;
    }

    void pressingTheSelectedFaceChangesNoLook()
    {
        QFETCH(Qt::MouseButton, button);
        using enum TabFaces::Look;
        openTabs(1);
        QSignalSpy selections(control, &WBControl::SelectTab);
        TabFaces::moveOnto(control, 1);
        QTest::mousePress(element("MTab", 1), button, {}, TabFaces::spot());
        QCOMPARE(look(1), Selected);
        QTest::mouseRelease(element("MTab", 1), button, {}, TabFaces::spot());
        QCOMPARE(looks(), (QList{Normal, Selected}));
        QCOMPARE(selections.count(), button == Qt::LeftButton ? 1 : 0);
    }

    void hoverLightsOnlyUnselectedFaces()
    {
        using enum TabFaces::Look;
        openTabs(2);
        TabFaces::moveOnto(control, 1);
        QCOMPARE(looks(), (QList{Normal, Hovered, Selected}));
        TabFaces::moveOnto(control, 0);
        QCOMPARE(looks(), (QList{Hovered, Normal, Selected}));
        TabFaces::moveOnto(control, 2);
        QCOMPARE(looks(), (QList{Normal, Normal, Selected}));

        // The face has no pressed look: held buttons keep it lit.
        TabFaces::moveOnto(control, 1);
        QTest::mousePress(element("MTab", 1), Qt::RightButton, {}, TabFaces::spot());
        QCOMPARE(look(1), Hovered);
        TabFaces::moveOnto(control, 1, TabFaces::spot() + QPoint(4, 2));
        QCOMPARE(look(1), Hovered);
        QTest::mouseRelease(element("MTab", 1), Qt::RightButton, {}, TabFaces::spot());
        QTest::mouseMove(tabs->elsewhere, QPoint(5, 5));
        QCOMPARE(looks(), (QList{Normal, Normal, Selected}));
    }

    // After a click on a tab the pointer belongs to nobody: a click elsewhere in the
    // window reaches what it is aimed at.
    void clicksElsewhereArriveAfterATabClick_data()
    {
        QTest::addColumn<int>("clicked");
        QTest::newRow("unselected tab") << 0;
        QTest::newRow("selected tab") << 1;
    }

    void clicksElsewhereArriveAfterATabClick()
    {
        QFETCH(int, clicked);
        openTabs(1);
        pressFace(clicked, Qt::LeftButton);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QTest::mouseMove(tabs->elsewhere, QPoint(5, 5));
        QTest::mouseClick(tabs->elsewhere, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(tabs->elsewhere->hasFocus());
        QCOMPARE(control->CurTab(), clicked);
    }
};

QUILLET_TEST_MAIN(TabModelTest)
#include "tst_tabmodel.moc"
