#include "form1.h"
#include "webenginebrowser.h"
#include "webengineenvironment.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    WebEngineEnvironment::prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.0.2"));

    Form1 window(std::make_unique<WebEngineBrowserFactory>());
    window.show();
    return QApplication::exec();
}
