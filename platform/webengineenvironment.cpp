#include "webengineenvironment.h"

#include <QCoreApplication>
#include <QWebEngineUrlScheme>

#include <unistd.h>

namespace WebEngineEnvironment {

namespace {

// The built-in pages are the program's own files, read from memory: secure, so the
// engine treats them as it treats https pages. Not local: the engine keeps local pages
// from opening web addresses, and these pages are mostly links to the web. With a host,
// so that quillet://help/ is a short address of its own and the pages link to each other
// by plain addresses. They fetch nothing across origins and need no CORS; without it no
// web page can read them either.
void registerBuiltInScheme()
{
    QWebEngineUrlScheme scheme(BuiltInScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme);
    QWebEngineUrlScheme::registerScheme(scheme);
}

} // namespace

void prepare()
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    registerBuiltInScheme();
}

} // namespace WebEngineEnvironment
