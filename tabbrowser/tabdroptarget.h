#pragma once

#include <QObject>

#include <functional>

class QByteArray;
class QString;
class QWidget;

// Makes a tab face take drops, for itself and for everything on it that takes none of
// its own: Qt hands a drag to the nearest widget under the pointer that accepts drops.
//
// Plain text is an address; an address list without plain text (a link or a file
// dragged from another program) gives its first address; text goes before a picture.
// Text that is empty or all blanks is no address. A drag is taken, as a copy, only
// when its source lets it be copied and it carries an address, or a picture while
// `takesPictures` says so; anything else the face refuses, so the pointer shows that
// a drop there would do nothing.
class TabDropTarget final : public QObject
{
    Q_OBJECT

public:
    TabDropTarget(QWidget *face, std::function<bool()> takesPictures);

Q_SIGNALS:
    // After the drop has been answered as a copy.
    void addressDropped(const QString &address);
    // The picture file's bytes, undecoded.
    void pictureDropped(const QByteArray &encoded);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool()> m_takesPictures;
};
