// Quillet as its own main builds it (Form1 on the real engine), with the probes the
// benchmark runner reads:
//   bench_quillet startup              "loaded <ns>" when the home page has loaded
//   bench_quillet memory <url> <N>     "ready" with N tabs on <url>; "close" closes the extras
//   bench_quillet uiops <N>            tab operations at N tabs on the real engine
//   bench_quillet uiops-scripted <N>   the same on the scripted engine of the tests
//   bench_quillet hover                pointer moves over a skinned face and a tab face
//   bench_quillet picture              a 50 MB picture dropped on the image viewer
#include "benchio.h"
#include "form1.h"
#include "pictureprobe.h"
#include "scriptedengine.h"
#include "skinface.h"
#include "startupprobe.h"
#include "tabsession.h"
#include "uioperations.h"
#include "wbcontrol.h"
#include "webenginebrowser.h"
#include "webengineenvironment.h"

#include <QApplication>
#include <QTimer>

#include <functional>

namespace {

QPixmap look(const QColor &color)
{
    QPixmap picture(75, 23);
    picture.fill(color);
    return picture;
}

void measureSkinFace()
{
    QWidget window;
    auto *face = new SkinFace({look(Qt::lightGray), look(Qt::cyan), look(Qt::darkCyan)}, &window);
    face->move(20, 20);
    window.resize(200, 80);
    window.show();
    measureHover(face, QStringLiteral("SkinFace"));
}

// Runs `work` once the first tab's home page has loaded, then ends the program.
void afterFirstLoad(WBControl *control, std::function<void()> work)
{
    QObject::connect(control, &WBControl::DownloadComplete, control,
                     [work = std::move(work), done = false](qint16 index) mutable {
                         if (index != 0 || done)
                             return;
                         done = true;
                         // From the event loop itself, not from inside the engine's signal.
                         QTimer::singleShot(0, [work] {
                             work();
                             QCoreApplication::exit(0);
                         });
                     });
}

} // namespace

int main(int argc, char *argv[])
{
    WebEngineEnvironment::prepare();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationVersion(QStringLiteral("1.3.0.2"));
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1);

    if (mode == QLatin1String("uiops-scripted")) {
        Form1 window(std::make_unique<ScriptedEngineFactory>());
        window.show();
        measureUiOperations(window.WBControl1(), arguments.value(2).toInt(),
                            QStringLiteral("scripted"));
        return 0;
    }

    Form1 window(std::make_unique<WebEngineBrowserFactory>());
    WBControl *control = window.WBControl1();
    if (mode == QLatin1String("startup")) {
        reportFirstLoad(control);
    } else if (mode == QLatin1String("memory")) {
        new TabSession(control, QUrl(arguments.value(2)), arguments.value(3).toInt());
    } else if (mode == QLatin1String("uiops")) {
        const int openTabs = arguments.value(2).toInt();
        afterFirstLoad(control, [control, openTabs] {
            measureUiOperations(control, openTabs, QStringLiteral("real"));
        });
    } else if (mode == QLatin1String("hover")) {
        afterFirstLoad(control, [control] {
            measureSkinFace();
            // Slot 0's face follows the pointer once another tab is selected.
            control->NewWindow(QString(), true);
            measureHover(control->findChild<QWidget *>(QStringLiteral("MTab0")),
                         QStringLiteral("tab-face"));
        });
    } else if (mode == QLatin1String("picture")) {
        afterFirstLoad(control,
                       [&window] { measureDroppedPicture(window.pictureViewer(), &window); });
    } else {
        qCritical("usage: bench_quillet startup | memory <url> <tabs> | uiops <tabs> | "
                  "uiops-scripted <tabs> | hover | picture");
        return 2;
    }
    window.show();
    return QApplication::exec();
}
