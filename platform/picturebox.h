#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// A borderless element that shows one picture and takes the picture's size. Its
// background colour shows only where the picture is transparent or absent.
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Shows `picture`. Assigns and repaints only when it is not the picture already
    // shown: pointer moves ask for the same look many times a second.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }
    bool isShowing(const QPixmap &picture) const;

    void setBackgroundColor(const QColor &color);
    const QColor &backgroundColor() const { return m_background; }

protected:
    void paintEvent(QPaintEvent *event) override;
    // A face takes the presses and releases made on it; they do not reach its parent.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QColor m_background;
};
