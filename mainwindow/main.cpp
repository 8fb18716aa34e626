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

    // Closing the main window unloads it, pages and all; an about box or image viewer
    // still open keeps the program running until it is closed too.
    auto *window = new Form1(std::make_unique<WebEngineBrowserFactory>());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return QApplication::exec();
}
