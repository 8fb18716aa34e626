#include "form1.h"
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
    window.show();
    return QApplication::exec();
}
