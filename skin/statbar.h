#pragma once

#include <QPixmap>
#include <QRectF>
#include <QWidget>

class PictureBox;
class QLabel;

// The status bar along the bottom of the main window: from left to right an icon, the
// status text (`linkInfo`), a separator, a progress frame whose fill follows `Value`
// and the percentage. It has no pointer or keyboard behaviour and raises no events.
//
// Lengths are twips. The bar keeps the exact twips its host gives it, so its layout
// follows the host's numbers rather than their whole-pixel rounding. Its height is
// always 360 once it is wider than 2500; at 2500 or less a size change moves nothing.
// A status text too long for its room is cut at the separator.
//
// Children are named as the bar's elements: Label1 (status text), SplitBar (separator),
// ProgressBar (progress frame), Progressbg (fill, inside the frame), ProgressH
// (percentage).
class StatBar final : public QWidget
{
    Q_OBJECT

public:
    explicit StatBar(QWidget *parent = nullptr);

    QString linkInfo() const;
    void setLinkInfo(const QString &New_LinkInfo);

    // Reading gives the width of the progress fill in whole twips (940 when full),
    // not the percentage last written.
    qint32 Value() const;
    // The percentage, normally 0 to 100. Above 100 the fill runs past the frame's
    // inside and is clipped by the frame; below 0 counts as 0.
    void setValue(qint32 New_Value);

    void setGeometryTwips(const QRectF &geometry);
    // The twips last given, as long as the bar still has their pixel geometry.
    QRectF geometryTwips() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    class ProgressFrame;

    void onSizeChanged();
    // The separator, the progress frame and the percentage follow the width.
    void placeMovingParts();

    QPixmap m_background;
    QPixmap m_icon;
    QLabel *m_label;
    QLabel *m_percentage;
    PictureBox *m_splitBar;
    ProgressFrame *m_progressBar;
    QWidget *m_fill;
    float m_fillWidth = 0;
    QRectF m_geometry;
};
