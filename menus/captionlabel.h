#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A menu caption: plain text on an opaque background, sized to its text. An ampersand
// marks the next letter as the access key: the ampersand is not drawn and the letter is
// underlined. Pointer reports pass through it to the element below. Its top is the top
// of the text's ink, and its bottom is below the underline.
class CaptionLabel final : public QWidget
{
    Q_OBJECT

public:
    explicit CaptionLabel(QWidget *parent = nullptr);

    void setText(const QString &text);
    const QString &text() const { return m_text; }

    // Assigns and repaints only when the colour differs from the current one.
    void setBackgroundColor(const QColor &color);
    const QColor &backgroundColor() const { return m_background; }
    // Black unless set; a caption on a picture takes a transparent background.
    void setTextColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    int m_inkAscent = 0;
    QColor m_background = Qt::white;
    QColor m_textColor = Qt::black;
};
