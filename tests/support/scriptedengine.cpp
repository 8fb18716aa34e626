#include "scriptedengine.h"

ScriptedEngine::ScriptedEngine(QWidget *container)
    : m_widget(new QWidget(container))
{
    m_widget->setFocusPolicy(Qt::StrongFocus);
}

void ScriptedEngine::Navigate(const QString &url)
{
    navigations.append(url);
    calls.append(QStringLiteral("Navigate ") + url);
}

void ScriptedEngine::GoHome()
{
    calls.append(QStringLiteral("GoHome"));
}

std::unique_ptr<BrowserEngine> ScriptedEngineFactory::create(QWidget *container)
{
    auto engine = std::make_unique<ScriptedEngine>(container);
    engines.push_back(engine.get());
    return engine;
}
