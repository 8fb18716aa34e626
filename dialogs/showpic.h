#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QWidget>

class PictureBox;

// Quillet's image viewer, "图像浏览器": a picture dropped on a tab, below a strip of
// three skinned buttons, "复制" (the picture to the clipboard), "保存" (to a file the
// user chooses) and "关闭". A window of its own with no owner and a close box; it goes
// away when closed, and the picture with it.
//
// The window shows the picture whole: it keeps its design size for small pictures and
// grows with larger ones up to the available area of its screen; a picture larger than
// that is shown scaled down, keeping its proportions. Copy and save take the picture as
// it was dropped, not the scaled one.
//
// Children by name: Button1 ("复制"), Button2 ("保存"), Button3 ("关闭"), Picture1.
class ShowPic final : public QWidget
{
    Q_OBJECT

public:
    ShowPic();

    // Shows `picture` in place of the one shown and fits the window to it.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }

    static constexpr double Width = 4470;
    static constexpr double Height = 3450;
    static constexpr double StripHeight = 600;
    // Between the picture and the window's edges, when the picture makes it grow.
    static constexpr double Margin = 100;

private:
    void fit();
    void copy();
    void save();

    QImage m_picture;
    PictureBox *m_shown;
};

// The one image viewer of the program. The host creates this once; the tabbed control
// hands it each picture dropped on a tab.
class PictureViewer final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Decodes `encoded`, a picture file's bytes in the image format named by `format`
    // (as QImageReader names them; empty to tell by the content), and shows it in the
    // viewer: a closed viewer opens 200 twips right of and 2000 below `mainWindow`'s top
    // left corner, an open one shows the new picture in its place. A picture that cannot
    // be decoded, or is too large to hold, is told to the user and changes nothing.
    // Returns whether the picture is shown. The message goes over the viewer when it is
    // open, over `mainWindow`, where the picture was dropped, otherwise.
    bool show(const QByteArray &encoded, const QByteArray &format, QWidget *mainWindow);
    // Closes the viewer if it is open.
    void close();
    // The open viewer; null when it is closed.
    ShowPic *window() const { return m_window; }

private:
    QPointer<ShowPic> m_window;
};
