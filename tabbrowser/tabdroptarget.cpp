#include "tabdroptarget.h"

#include <QBuffer>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

// What a tab makes of dragged data: an address or a picture, neither when it has no
// use for it. The picture itself is read only for the drop.
struct TabDrop
{
    QString address;
    bool picture = false;

    bool isEmpty() const { return address.isEmpty() && !picture; }
};

// QMimeData::text() also reads an address list alone, as every address on a line of its
// own; a list is a tab's first address, so plain text is looked for among the formats.
bool offersPlainText(const QMimeData &data)
{
    const QStringList formats = data.formats();
    return std::any_of(formats.cbegin(), formats.cend(), [](const QString &format) {
        return format == QLatin1String("text/plain") ||
               format.startsWith(QLatin1String("text/plain;"));
    });
}

bool isPictureFormat(const QString &format)
{
    return format.startsWith(QLatin1String("image/"));
}

// A picture decoded already (dragged within the program), or a picture file's bytes.
bool offersPicture(const QMimeData &data)
{
    const QStringList formats = data.formats();
    return data.hasImage() || std::any_of(formats.cbegin(), formats.cend(), isPictureFormat);
}

TabDrop readDrop(const QMimeData &data, bool takesPictures)
{
    if (offersPlainText(data))
        return {data.text().trimmed(), {}};
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        return {urls.isEmpty() ? QString() : urls.first().toString().trimmed(), {}};
    }
    if (takesPictures && offersPicture(data))
        return {{}, true};
    return {};
}

// A picture from another program comes as its file's bytes, which are passed on as
// they are; one dragged within the program comes decoded and is encoded once.
QByteArray pictureBytes(const QMimeData &data)
{
    for (const QString &format : data.formats()) {
        if (isPictureFormat(format)) {
            if (QByteArray bytes = data.data(format); !bytes.isEmpty())
                return bytes;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    qvariant_cast<QImage>(data.imageData()).save(&buffer, "PNG");
    return bytes;
}

} // namespace

TabDropTarget::TabDropTarget(QWidget *face, std::function<bool()> takesPictures)
    : QObject(face)
    , m_takesPictures(std::move(takesPictures))
{
    face->setAcceptDrops(true);
    face->installEventFilter(this);
}

bool TabDropTarget::eventFilter(QObject *, QEvent *event)
{
    // The moves after an enter keep the enter's answer: Qt's drag manager passes it on.
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return false;
    auto *dropEvent = static_cast<QDropEvent *>(event);
    const TabDrop drop = dropEvent->possibleActions().testFlag(Qt::CopyAction)
                             ? readDrop(*dropEvent->mimeData(), m_takesPictures())
                             : TabDrop();
    if (drop.isEmpty()) {
        dropEvent->ignore();
        return true;
    }
    dropEvent->setDropAction(Qt::CopyAction);
    dropEvent->accept();
    if (event->type() == QEvent::Drop) {
        if (!drop.address.isEmpty())
            Q_EMIT addressDropped(drop.address);
        else
            Q_EMIT pictureDropped(pictureBytes(*dropEvent->mimeData()));
    }
    return true;
}
