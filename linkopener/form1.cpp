#include "form1.h"

#include "browserengine.h"
#include "builtinpages.h"
#include "linkrule.h"
#include "twips.h"
#include "wbcontrol.h"

#include <QPushButton>
#include <QTimer>

namespace {

constexpr int TickInterval = 5000;

} // namespace

Form1::Form1(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent)
    : QWidget(parent)
    , m_wbControl(new WBControl(std::move(engines), this))
    , m_command(new QPushButton(QStringLiteral("Command1"), this))
    , m_timer(new QTimer(this))
    , m_clock([] { return QTime::currentTime(); })
    , m_random(&LinkRule::drawSeededFrom)
    , m_linksPage(BuiltInPages::links().toString())
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(Twips::toPixels(QSizeF(12600, 5955)));

    m_wbControl->setObjectName(QStringLiteral("WBControl1"));
    m_wbControl->setGeometryTwips(120, 120, 8535, 5655);
    m_command->setObjectName(QStringLiteral("Command1"));
    m_command->setGeometry(Twips::toPixels(8760, 2160, 1215, 495));
    setTabOrder(m_wbControl, m_command);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(TickInterval);
    connect(m_timer, &QTimer::timeout, this, &Form1::Timer1_Timer);
    m_timer->start();
}

Form1::~Form1() = default;

void Form1::Timer1_Timer()
{
    const QTime now = m_clock();
    if (LinkRule::opensLinks(now.minute(), m_random(now)))
        m_wbControl->OpenURL(m_linksPage);
}
