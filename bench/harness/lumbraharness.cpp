// Lumbra as its own main builds it, reporting "loaded <ns>" when the first tab's home
// page has loaded.
#include "form1.h"
#include "startupprobe.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webengineenvironment.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    WebEngineEnvironment::prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumbra"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    Form1 window(std::make_unique<WebEngineBrowserFactory>());
    reportFirstLoad(window.WBControl1());
    window.show();
    return QApplication::exec();
}
