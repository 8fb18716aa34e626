#pragma once

#include "scriptedengine.h"
#include "wbcontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

// A tabbed control on scripted engines, shown in a window of its own beside a line
// edit that can take the keyboard focus away from the pages. Header-only: each build
// of the control compiles its own copy.
class ScriptedTabs final
{
public:
    ScriptedTabs(double widthTwips, double heightTwips)
    {
        auto factory = std::make_unique<ScriptedEngineFactory>();
        engines = factory.get();
        control = new WBControl(std::move(factory), &host);
        control->setGeometryTwips(0, 0, widthTwips, heightTwips);
        elsewhere = new QLineEdit(&host);
        elsewhere->move(0, control->height());
        host.show();
        host.activateWindow();
    }

    bool isActive() { return QTest::qWaitForWindowActive(&host); }

    ScriptedEngine *engine(int slot) const
    {
        return engines->engines.at(static_cast<size_t>(slot));
    }
    QWidget *element(const char *role, int slot) const
    {
        return control->findChild<QWidget *>(QLatin1String(role) + QString::number(slot));
    }
    QString title(int slot) const { return static_cast<QLabel *>(element("Tstr", slot))->text(); }

    QWidget host;
    ScriptedEngineFactory *engines = nullptr;
    WBControl *control = nullptr;
    QLineEdit *elsewhere = nullptr;
};
