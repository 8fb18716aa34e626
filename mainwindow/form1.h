#pragma once

#include <QWidget>

#include <memory>

class BrowserEngineFactory;
class StatBar;
class URLEdit;
class WBControl;

// Quillet's main window. It owns every control of the window, lays them out when its
// size changes, and is the one place where an event of one control becomes a call on
// another: the controls never call each other.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(std::unique_ptr<BrowserEngineFactory> engines, QWidget *parent = nullptr);
    ~Form1() override;

    WBControl *WBControl1() const { return m_wbControl; }
    URLEdit *URLEdit1() const { return m_urlEdit; }
    StatBar *StatBar1() const { return m_statBar; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The outer size is 0.9 of the screen's, window frame included, centred.
    void fitToScreen();
    void layOut();
    // The address bar's requests become calls on the tabbed browser, and the address
    // bar follows the selected tab's address.
    void wireAddressBar();
    void onGoURL(bool Ctrl, const QString &URL);
    void showSelectedAddress();

    // WBControl1's events.
    void onBeforeNavigate2(qint16 Index, const QString &URL);
    void onProgressChange(qint16 Index, qint32 Progress, qint32 ProgressMax);
    void onDownloadComplete(qint16 Index);

    WBControl *m_wbControl;
    URLEdit *m_urlEdit;
    StatBar *m_statBar;
    bool m_fittedWithFrame = false;
};
