#pragma once

#include "urledit.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

// An address bar laid out `width` twips wide in an active window of its own.
struct BarFixture
{
    std::unique_ptr<QWidget> window;
    URLEdit *bar = nullptr;

    bool show(double width = 9000)
    {
        window = std::make_unique<QWidget>();
        window->resize(1800, 60);
        bar = new URLEdit(window.get());
        bar->setGeometryTwips(0, 0, width, URLEdit::FixedHeight);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
    void reset() { window.reset(); }

    template<typename Element = QWidget> Element *element(const char *name) const
    {
        return bar->findChild<Element *>(QLatin1String(name));
    }
    QLineEdit *urlBox() const { return element<QLineEdit>("Text1"); }
    QLineEdit *searchBox() const { return element<QLineEdit>("Text2"); }
};
