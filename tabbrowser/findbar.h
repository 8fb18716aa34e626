#pragma once

#include "browserengine.h"

#include <QFrame>

class QCheckBox;
class QLabel;
class QLineEdit;

// The find bar over one tab's page, in the page's top right corner. It searches the
// page as the user types, steps to the next match (Enter, "下一个") or the previous one
// (Shift+Enter, "上一个"), can match case, and says plainly when the text is not on the
// page. Esc or "关闭" closes it and hands the keyboard back to the page.
class FindBar final : public QFrame
{
    Q_OBJECT

public:
    // `page` is the tab's page container; the bar keeps to its corner as it resizes.
    FindBar(BrowserEngine *browser, QWidget *page);

    // Shows the bar with its text selected, ready to be typed over.
    void open();
    // Hides the bar and clears the highlighted matches.
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(BrowserEngine::FindOptions direction);
    void showResult(const QString &text, const BrowserEngine::FindResult &result);
    void keepToCorner();

    BrowserEngine *m_browser;
    QLineEdit *m_text;
    QCheckBox *m_matchCase;
    QLabel *m_status;
};
