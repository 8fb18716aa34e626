#include "droplist.h"

#include <QKeyEvent>
#include <QListWidget>

DropList::DropList(QWidget *parent)
    : QWidget(parent)
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

void DropList::showDropDown()
{
    m_list->setGeometry(QRect(mapToGlobal(QPoint(0, height())), QSize(width(), DroppedHeight)));
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
