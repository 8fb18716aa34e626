#include "findbar.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr int CornerMargin = 8;

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *created = new QPushButton(text, parent);
    created->setObjectName(QLatin1String(name));
    created->setAutoDefault(false);
    created->setFocusPolicy(Qt::NoFocus);
    return created;
}

} // namespace

FindBar::FindBar(BrowserEngine *browser, QWidget *page)
    : QFrame(page)
    , m_browser(browser)
    , m_text(new QLineEdit(this))
    , m_matchCase(new QCheckBox(QStringLiteral("区分大小写(&C)"), this))
    , m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setPlaceholderText(QStringLiteral("在网页中查找"));
    m_text->installEventFilter(this);
    m_matchCase->setObjectName(QStringLiteral("matchCase"));
    m_matchCase->setFocusPolicy(Qt::NoFocus);
    m_status->setObjectName(QStringLiteral("findStatus"));
    m_status->setTextFormat(Qt::PlainText);

    auto *previous = button(QStringLiteral("上一个"), "findPrevious", this);
    auto *next = button(QStringLiteral("下一个"), "findNext", this);
    auto *close = button(QStringLiteral("关闭"), "findClose", this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(new QLabel(QStringLiteral("查找:"), this));
    layout->addWidget(m_text);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_status);
    layout->addWidget(close);

    connect(m_text, &QLineEdit::textEdited, this, [this] { find({}); });
    connect(m_matchCase, &QCheckBox::toggled, this, [this] { find({}); });
    connect(previous, &QPushButton::clicked, this,
            [this] { find(BrowserEngine::FindOption::Backward); });
    connect(next, &QPushButton::clicked, this, [this] { find({}); });
    connect(close, &QPushButton::clicked, this, &FindBar::dismiss);

    page->installEventFilter(this);
    hide();
}

void FindBar::open()
{
    keepToCorner();
    show();
    raise();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::dismiss()
{
    if (isHidden())
        return;
    hide();
    m_status->clear();
    m_browser->FindText(QString(), {}, {});
    m_browser->widget()->setFocus();
}

void FindBar::find(BrowserEngine::FindOptions direction)
{
    const QString text = m_text->text();
    BrowserEngine::FindOptions options = direction;
    if (m_matchCase->isChecked())
        options |= BrowserEngine::FindOption::CaseSensitive;
    if (text.isEmpty())
        m_status->clear();
    const QPointer<FindBar> self(this);
    m_browser->FindText(text, options, [self, text](const BrowserEngine::FindResult &result) {
        if (self && !text.isEmpty())
            self->showResult(text, result);
    });
}

void FindBar::showResult(const QString &text, const BrowserEngine::FindResult &result)
{
    m_status->setText(
        result.matches > 0
            ? QStringLiteral("第 %1 处，共 %2 处").arg(result.active).arg(result.matches)
            : QStringLiteral("找不到“%1”").arg(text));
    keepToCorner();
}

void FindBar::keepToCorner()
{
    adjustSize();
    const QWidget *page = parentWidget();
    move(qMax(0, page->width() - width() - CornerMargin), CornerMargin);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        keepToCorner();
    } else if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier ? BrowserEngine::FindOption::Backward
                                                      : BrowserEngine::FindOptions{});
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}
