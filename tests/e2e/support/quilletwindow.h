#pragma once

#include "desktop.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTemporaryDir>

#include <array>
#include <memory>

// A running Quillet and where things are in its main window: the screen points of its
// elements, computed from their places in twips, and what a screenshot shows there.
// Every place is read again from the window's geometry, which the window manager may
// change at any time.
class QuilletWindow final
{
    Q_GADGET

public:
    // The looks of a tab face: T0 selected, T1 not selected, T2 under the pointer.
    enum class Face
    {
        None = -1,
        Selected,
        Normal,
        Hovered
    };
    Q_ENUM(Face)

    QuilletWindow(const QString &binary, quint16 proxyPort);

    bool isValid() const { return m_window.isValid(); }
    const E2E::TopLevel &window() const { return m_window; }

    // Whether the window has its place from start-up: 0.9 of the screen, frame
    // included, centred. Quillet fits it once the window manager has framed it, and
    // the window manager carries out the resize and the move one after the other.
    bool isFitted() const;
    // A point of the client area, in twips.
    QPoint at(double left, double top) const;

    // The tab face at `position` in the strip (0 is the permanent first tab).
    QRect face(int position) const;
    QPoint closeButton(int position) const;
    // The menu bar's buttons, File 0 to Help 3, and, with a button's menu open, the
    // middle of its row `row`.
    QPoint barButton(int bar) const;
    QPoint barMenuRow(int bar, int row) const;
    // The address bar's menu button, and in the main-menu panel it opens: the large
    // command buttons from the top (新建, 打开, 保存, 打印) and the upper and lower option
    // of the sub-panel shown.
    QPoint menuButton() const;
    QPoint panelCommand(int index) const;
    QPoint panelOption(int place) const;
    QPoint urlBox() const;
    QPoint searchBox() const;
    QPoint searchButton() const;
    QPoint engineSelector() const;
    // A point inside the selected tab's page.
    QPoint page() const;
    // With the engine menu opened by a press at engineSelector(): row `row`'s middle and
    // the square of its check mark.
    QPoint engineRow(int row) const;
    QRect checkMark(int row) const;

    // What `shot` shows of the tab face at `position`.
    Face faceLook(const QImage &shot, int position) const;
    bool showsCheckMark(const QImage &shot, int row) const;
    // Whether the tab face at `position` shows its close button (tc0 or tc1).
    bool showsCloseButton(const QImage &shot, int position) const;
    QColor pageColour(const QImage &shot) const;

    E2E::ProcessGroup &process() { return *m_process; }
    // What the program has written to its standard error so far.
    QString errors() const;

private:
    // The address bar's width: the window's outer width less 360.
    double barWidth() const;
    QPoint inBar(double left, double top) const;

    QTemporaryDir m_logDir;
    std::unique_ptr<E2E::ProcessGroup> m_process;
    E2E::TopLevel m_window;
    std::array<QImage, 3> m_faces;
    std::array<QImage, 2> m_closeButtons;
    QImage m_check;
};
