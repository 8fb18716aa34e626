// The floor the benchmarks compare against: plain QWebEngineViews in a window, one
// page each on one private profile, the last one shown; no skin and no tab logic.
//   bench_floor startup              "loaded <ns>" when the home page has loaded
//   bench_floor memory <url> <N>     "ready" once N views show <url> (the first after
//                                    the home page, as a browser's first tab does)
#include "benchio.h"
#include "webengineenvironment.h"

#include <QApplication>
#include <QScreen>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// The program's start page, from the floor's own resources: no scheme handler of the
// browser's is involved.
const QUrl HomePage(QStringLiteral("qrc:/floor/home/index.html"));

class Floor final : public QWidget
{
public:
    Floor()
    {
        resize(screen()->geometry().size() * 0.9);
        addView()->load(HomePage);
    }

    // The pages must go before their profile does.
    ~Floor() override { qDeleteAll(m_views); }

    QWebEngineView *addView()
    {
        if (!m_views.empty())
            m_views.back()->hide();
        auto *view = new QWebEngineView(this);
        view->setPage(new QWebEnginePage(&m_profile, view));
        view->setGeometry(rect());
        view->show();
        m_views.push_back(view);
        return view;
    }

    QWebEngineView *first() const { return m_views.front(); }

private:
    QWebEngineProfile m_profile;
    std::vector<QWebEngineView *> m_views;
};

} // namespace

int main(int argc, char *argv[])
{
    WebEngineEnvironment::prepare();
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1);

    Floor window;
    if (mode == QLatin1String("startup")) {
        QObject::connect(window.first(), &QWebEngineView::loadFinished, &window, [] {
            Bench::say(QStringLiteral("loaded %1").arg(Bench::monotonicNs()));
            QCoreApplication::exit(0);
        });
    } else if (mode == QLatin1String("memory")) {
        const QUrl url(arguments.value(2));
        const int count = arguments.value(3).toInt();
        auto loaded = std::make_shared<int>(0);
        auto countLoad = [url, count, loaded](QWebEngineView *view) {
            QObject::connect(view, &QWebEngineView::loadFinished, view, [view, url, count, loaded] {
                if (view->url() == url && ++*loaded == count)
                    Bench::say(QStringLiteral("ready"));
            });
        };
        QObject::connect(window.first(), &QWebEngineView::loadFinished, &window,
                         [&window, url, count, countLoad, started = false]() mutable {
                             if (started)
                                 return;
                             started = true;
                             countLoad(window.first());
                             window.first()->load(url);
                             for (int i = 1; i < count; ++i) {
                                 QWebEngineView *view = window.addView();
                                 countLoad(view);
                                 view->load(url);
                             }
                         });
    } else {
        qCritical("usage: bench_floor startup | memory <url> <views>");
        return 2;
    }
    window.show();
    return QApplication::exec();
}
