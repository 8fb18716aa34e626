#pragma once

#include <QDialog>

#include <functional>

class Button;
class EditBox;
class QLabel;
class WBControl;

// The dialog in which the user types, or picks from disk, an address to open: in the
// selected tab of `browser` when its caption is "打开文件", in a new tab when it is
// "新建页面". Modal over the main window, 600 twips right of and 1080 below its
// frame's top-left corner. OK (or Enter in the text box) with an address that is
// empty or only spaces keeps the dialog open and shows a red line instead.
//
// Children by name: Image1 (logo), Label1 (prompt), EditBox1 (the address), Button3
// ("浏览"), Label2 (the red line), Button1 ("确定"), Button2 ("取消").
class frmOpen final : public QDialog
{
    Q_OBJECT

public:
    // Asks the user for a file to open: owner, title, filter; empty when cancelled.
    using FileQuestion =
        std::function<QString(QWidget *owner, const QString &title, const QString &filter)>;

    frmOpen(const QString &caption, QWidget *mainWindow, WBControl *browser,
            FileQuestion askForFile = askWithFileDialog);

    // Shows a new dialog with `caption` modally over `mainWindow` and returns once the
    // user has closed it.
    static void run(const QString &caption, QWidget *mainWindow, WBControl *browser,
                    FileQuestion askForFile = askWithFileDialog);

    static QString askWithFileDialog(QWidget *owner, const QString &title, const QString &filter);

    static constexpr double Width = 6945;
    static constexpr double Height = 1950;
    static inline const QString OpenCaption = QStringLiteral("打开文件");
    static inline const QString NewTabCaption = QStringLiteral("新建页面");

private:
    Button *addButton(const QString &name, const QString &caption, double left, double top);
    void confirm();
    void browse();

    WBControl *m_browser;
    FileQuestion m_askForFile;
    EditBox *m_address;
    QLabel *m_error;
};
