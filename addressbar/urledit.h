#pragma once

#include "addressbarlayout.h"
#include "skinface.h"
#include "twipsgeometry.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QWidget>

class DropList;
class FrameBorder;
class PropertyBag;
class QLabel;
class QLineEdit;

// The address bar: from left to right the main-menu, home, back and forward buttons,
// the URL box with its page icon and the drop button of the history list, the refresh
// and stop buttons, the search box with its drop button, and the search button paired
// with the search-engine selector.
//
// The bar navigates nothing itself: it reports what the user asks for by its signals,
// and the host acts on them. The host feeds the history with AddURL (the URL of each
// GoURL it has opened) and writes URL when the selected page's address changes.
//
// Geometry given to the bar is in twips. Below 8300 twips of width the bar keeps the
// places of its last layout; from 8300 on it lays itself out and keeps a height of 330.
// Its children are named as elements of the bar: MButton, HomeButton, BButton,
// FButton, Picture1 (URL box frame) with Image1, Text1 (URL box), btClick and Line1-4,
// RefreshButton, StopButton, Picture2 (search box frame) with Text2 (search box), SBt
// and Line5-8, SButton, Selsch, Combo1 (history list) and Combo2 (search list).
class URLEdit final : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL WRITE setURL)

public:
    explicit URLEdit(QWidget *parent = nullptr);
    ~URLEdit() override;

    // Removes every history entry equal to `URL` when both are upper-cased, then puts
    // `URL` as it is at the top.
    void AddURL(const QString &URL);
    // 1 focuses the URL box; any other value the search box.
    void stFocus(qint16 what);

    // The URL box text. Writes are ignored while the URL box has the window's focus, so
    // the host never overwrites what the user is typing; that holds while another window
    // or the history list is active too, since the user comes back to the box.
    QString URL() const;
    void setURL(const QString &New_URL);

    // The history, most recent first.
    QStringList history() const;

    // The persisted design property "URL" (default empty), loaded into the URL box
    // as it is, whatever has the focus.
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

    void setGeometryTwips(double left, double top, double width, double height);
    QRectF geometryTwips() const;

    static constexpr double FixedHeight = 330;
    static constexpr double MinimumLayoutWidth = 8300;

Q_SIGNALS:
    // Enter (Ctrl false) or Ctrl+Enter (Ctrl true) in a non-empty URL box, or an entry
    // chosen in the history list (Ctrl false). `URL` is the box's text completed as
    // TypedAddress::completed says, which the box then shows too.
    void GoURL(bool Ctrl, const QString &URL);
    void ShowMenu();
    // Enter or Ctrl+Enter in the search box, or a click or Ctrl+click on the search
    // button. `Word` may be empty.
    void Serch(const QString &Word, bool Ctrl);
    void StopClick();
    void GoHome();
    void Goback();
    void Goforward();
    // The refresh button, or F5 released in the URL box.
    void RefreshPage();
    // The left button went down on the search-engine selector at (X, Y), in twips in
    // the bar's own coordinates.
    void SelectSerchSite(double X, double Y);
    // A persisted design property changed; its container may save the design again.
    void PropertyChanged(const QString &PropertyName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    SkinFace *addFace(const QString &name, const QString &imagePrefix, QWidget *parent);
    SkinFace *addFace(const QString &name, SkinFace::Looks looks, QWidget *parent);
    void createFrames();
    void createFaces();
    void createLists();

    bool filterUrlBoxKey(const QKeyEvent *event);
    bool filterSearchBoxKey(const QKeyEvent *event);
    // Enter or Ctrl+Enter in the URL box.
    void goToTypedAddress(bool ctrl);
    void onHistoryChosen(const QString &text);
    // The user is typing in the URL box: the host's URL writes wait.
    bool inURLBox() const;

    void layOut();
    void apply(const AddressBarLayout &layout);

    QWidget *m_picture1 = nullptr;
    QWidget *m_picture2 = nullptr;
    QLabel *m_image1 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    SkinFace *m_mButton = nullptr;
    SkinFace *m_homeButton = nullptr;
    SkinFace *m_bButton = nullptr;
    SkinFace *m_fButton = nullptr;
    SkinFace *m_refreshButton = nullptr;
    SkinFace *m_stopButton = nullptr;
    SkinFace *m_btClick = nullptr;
    SkinFace *m_sBt = nullptr;
    SkinFace *m_sButton = nullptr;
    SkinFace *m_selsch = nullptr;
    DropList *m_combo1 = nullptr;
    DropList *m_combo2 = nullptr;
    FrameBorder *m_urlBorder = nullptr;
    FrameBorder *m_searchBorder = nullptr;
    // Pixel sizes would round 8300 away.
    TwipsGeometry m_geometry{this};
    // The places last laid out, in twips.
    AddressBarLayout m_layout;
};
