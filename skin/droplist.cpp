#include "droplist.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>

#include <algorithm>

namespace {

// `frame` and `screen` in global pixels.
QRect droppedGeometry(const QRect &frame, const QRect &screen)
{
    const int below = screen.bottom() - frame.bottom();
    const int above = frame.top() - screen.top();
    int height = std::min(DropList::DroppedHeight, screen.height());
    bool down = below >= height;
    if (!down && above < height) {
        down = below >= above;
        height = std::max(down ? below : above, 0);
    }
    const int width = std::min(frame.width(), screen.width());
    const int left = std::clamp(frame.left(), screen.left(), screen.right() + 1 - width);
    // A frame partly off the screen still gets its list on the screen.
    const int top = std::clamp(down ? frame.bottom() + 1 : frame.top() - height, screen.top(),
                               screen.bottom() + 1 - height);
    return QRect(left, top, width, height);
}

} // namespace

DropList::DropList(const QWidget *frame, QWidget *parent)
    : QWidget(parent)
    , m_frame(frame)
    , m_list(new QListWidget(this))
{
    hide();
    m_list->setWindowFlag(Qt::Popup);
    // The list is a window of its own: it takes the box's font and colours anyway.
    m_list->setAttribute(Qt::WA_WindowPropagation);
    m_list->installEventFilter(this);
    // As in a combo box's list, the entry under the pointer is the current one.
    m_list->setMouseTracking(true);
    connect(m_list, &QListWidget::entered, m_list, &QListWidget::setCurrentIndex);
    connect(m_list, &QListWidget::clicked, this,
            [this](const QModelIndex &index) { choose(index.row()); });
}

DropList::~DropList() = default;

SkinFace::Looks DropList::buttonLooks()
{
    return SkinFace::Looks::fromPrefix(QStringLiteral(":/skin/images/T"));
}

void DropList::showDropDown()
{
    const QRect frame(m_frame->mapToGlobal(QPoint(0, 0)), m_frame->size());
    m_list->setGeometry(droppedGeometry(frame, m_frame->screen()->availableGeometry()));
    m_list->show();
    m_list->setFocus(Qt::PopupFocusReason);
}

bool DropList::isDroppedDown() const
{
    return m_list->isVisible();
}

QStringList DropList::items() const
{
    QStringList texts;
    for (int row = 0; row < m_list->count(); ++row)
        texts.append(m_list->item(row)->text());
    return texts;
}

void DropList::insertItem(int index, const QString &text)
{
    m_list->insertItem(index, text);
}

void DropList::removeItem(int index)
{
    delete m_list->takeItem(index);
}

bool DropList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            choose(m_list->currentRow());
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_list->hide();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DropList::choose(int row)
{
    m_list->hide();
    if (row < 0)
        return;
    m_text = m_list->item(row)->text();
    Q_EMIT Click();
}
