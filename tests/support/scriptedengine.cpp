#include "scriptedengine.h"

#include <QMetaEnum>

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

void ScriptedEngine::ExecWB(PageCommand command)
{
    calls.append(QStringLiteral("ExecWB ") +
                 QLatin1String(QMetaEnum::fromType<PageCommand>().valueToKey(int(command))));
}

void ScriptedEngine::FindText(const QString &text, FindOptions options, FindCallback done)
{
    calls.append(QStringLiteral("FindText ") + text);
    lastFindOptions = options;
    if (done)
        done(findResult);
}

void ScriptedEngine::BodyMarkup(MarkupCallback done)
{
    calls.append(QStringLiteral("BodyMarkup"));
    done(bodyMarkup);
}

std::unique_ptr<BrowserEngine> ScriptedEngineFactory::create(QWidget *container)
{
    auto engine = std::make_unique<ScriptedEngine>(container);
    engines.push_back(engine.get());
    return engine;
}
