#pragma once

#include "loginname.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;

// Quillet's about box: the product name, the version of this build, the signed-in
// user, the contact address with a link that copies it to the clipboard, and a few
// fixed lines. A window of its own with no owner and a close box; it goes away when
// closed, by its "确定" button or the close box.
//
// Children by name: Image1 (logo), Label1 and its shadow Label2 (product name),
// Label3 and Label4 (version), Label6 (credit), Label7 (terms), Label8 (address),
// Label10 (the copy link), Label11 (shown once the address was copied), Label9 (user
// line), Label5 (ownership notice), Button1 ("确定").
class frmAbout final : public QWidget
{
    Q_OBJECT

public:
    // `userName` is the signed-in user's name, empty when it could not be read.
    explicit frmAbout(const QString &userName);

    // "授权给: " and the name, or "授权给: 未知用户名" when there is none.
    static QString userLine(const QString &userName);

    static constexpr double Width = 5745;
    static constexpr double Height = 4230;
    static inline const QString ContactAddress = QStringLiteral("quillet@example.com");

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *addLabel(const QString &name, const QString &text, double left, double top);

    QLabel *m_copyLink;
    QLabel *m_copied;
};

// The one about box of the program. The host creates this once and shows the box
// through it. The box outlives it, as it outlives the main window, until it is closed.
class AboutBox final : public QObject
{
    Q_OBJECT

public:
    using UserNameQuery = std::function<QString()>;

    explicit AboutBox(UserNameQuery userName = loginName, QObject *parent = nullptr);

    // Opens the about box centred over `mainWindow`'s frame. While it is open, brings
    // the same box to the front instead.
    void show(const QWidget *mainWindow);
    // The open about box; null when it is closed.
    frmAbout *dialog() const { return m_dialog; }

private:
    UserNameQuery m_userName;
    QPointer<frmAbout> m_dialog;
};
