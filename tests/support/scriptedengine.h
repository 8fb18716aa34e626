#pragma once

#include "browserengine.h"

#include <QStringList>
#include <QWidget>

#include <vector>

// A stand-in browser whose state a test sets and whose events a test raises itself
// (engine signals are public), to drive the tabbed control through exact sequences.
// It records every operation called on it.
class ScriptedEngine final : public BrowserEngine
{
    Q_OBJECT

public:
    explicit ScriptedEngine(QWidget *container);

    QWidget *widget() const override { return m_widget; }

    void Navigate(const QString &url) override;
    void GoBack() override { calls.append(QStringLiteral("GoBack")); }
    void GoForward() override { calls.append(QStringLiteral("GoForward")); }
    void GoHome() override;
    void Refresh() override { calls.append(QStringLiteral("Refresh")); }
    void Stop() override { calls.append(QStringLiteral("Stop")); }
    // Recorded as "ExecWB <command>".
    void ExecWB(PageCommand command) override;
    // Recorded as "FindText <text>"; answered at once with `findResult`.
    void FindText(const QString &text, FindOptions options, FindCallback done) override;
    // Recorded as "BodyMarkup"; answered at once with `bodyMarkup`.
    void BodyMarkup(MarkupCallback done) override;

    void setSilent(bool silent) override { m_silent = silent; }
    bool Silent() const override { return m_silent; }
    QString LocationURL() const override { return location; }
    QString LocationName() const override { return name; }
    bool Busy() const override { return busy; }

    QStringList navigations; // addresses passed to Navigate
    QStringList calls;       // every operation, navigations as "Navigate <url>"
    QString location;
    QString name;
    bool busy = false;
    FindResult findResult;
    FindOptions lastFindOptions;
    QString bodyMarkup;

private:
    QWidget *m_widget;
    bool m_silent = false;
};

class ScriptedEngineFactory final : public BrowserEngineFactory
{
public:
    std::unique_ptr<BrowserEngine> create(QWidget *container) override;

    // Every engine created, in slot order; owned by the control.
    std::vector<ScriptedEngine *> engines;
};
