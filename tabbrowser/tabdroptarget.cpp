#include "tabdroptarget.h"

#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace {

// What a tab makes of dragged data; both empty when it has no use for it.
struct TabDrop
{
    QString address;
    QImage picture;

    bool isEmpty() const { return address.isEmpty() && picture.isNull(); }
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

TabDrop readDrop(const QMimeData &data, bool takesPictures)
{
    if (offersPlainText(data))
        return {data.text().trimmed(), {}};
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        return {urls.isEmpty() ? QString() : urls.first().toString().trimmed(), {}};
    }
    if (takesPictures && data.hasImage())
        return {{}, qvariant_cast<QImage>(data.imageData())};
    return {};
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
            Q_EMIT pictureDropped(drop.picture);
    }
    return true;
}
