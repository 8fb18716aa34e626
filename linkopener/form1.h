#pragma once

#include <QString>
#include <QTime>
#include <QWidget>

#include <functional>
#include <memory>

class BrowserEngineFactory;
class QPushButton;
class QTimer;
class WBControl;

// Lumbra's window: a tabbed browser and a timer that, every five seconds and by the
// minute rule of LinkRule, sends the selected tab to the links page.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    using Clock = std::function<QTime()>;
    using RandomSource = std::function<double(QTime)>;

    explicit Form1(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent = nullptr);
    ~Form1() override;

    // Replaces the local clock and the draw (tests use fixed ones).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setRandomSource(RandomSource source) { m_random = std::move(source); }
    void setLinksPage(const QString &url) { m_linksPage = url; }

    WBControl *WBControl1() const { return m_wbControl; }
    QPushButton *Command1() const { return m_command; }
    QTimer *Timer1() const { return m_timer; }

    // One tick of the timer.
    void Timer1_Timer();

private:
    WBControl *m_wbControl;
    QPushButton *m_command;
    QTimer *m_timer;
    Clock m_clock;
    RandomSource m_random;
    QString m_linksPage;
};
