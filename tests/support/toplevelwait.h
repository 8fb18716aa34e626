#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

// The first visible top-level window of type T, waiting until one appears; null when
// none did in time. For the dialogs the controls open without blocking.
template<typename T> T *waitForTopLevel(int timeout = 10000)
{
    T *found = nullptr;
    const bool appeared = QTest::qWaitFor(
        [&] {
            const auto windows = QApplication::topLevelWidgets();
            for (QWidget *window : windows) {
                if (auto *typed = dynamic_cast<T *>(window); typed && typed->isVisible()) {
                    found = typed;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return appeared ? found : nullptr;
}

// Waits for a file dialog and chooses `path` in it, in the form `filter` names when
// given. False when no dialog appeared, or it was not the widget dialog.
inline bool chooseInFileDialog(const QString &path, const QString &filter = {})
{
    auto *dialog = waitForTopLevel<QFileDialog>();
    if (!dialog)
        return false;
    if (!filter.isEmpty())
        dialog->selectNameFilter(filter);
    dialog->selectFile(path);
    // selectFile() leaves the name box as it is while the box has the focus, and the
    // dialog would then save under the name it suggested.
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!name)
        return false;
    name->setText(path);
    static_cast<QDialog *>(dialog)->accept();
    return true;
}
