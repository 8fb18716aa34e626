// Runs every benchmark program of this folder, prints each figure as the median of
// several runs next to the floor measured in the same run, and ends with a table.
//   bench_runner [--quick]     (--quick: fewer runs, for trying the harness out)
#include "benchio.h"
#include "loopbackserver.h"
#include "processtree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int LoadTimeout = 180'000;
constexpr int SettleInterval = 500;
constexpr int SettleLimit = 40;
// Held for 2.5 s: long enough to see a process give freed memory back to the system.
constexpr int SteadySamples = 5;

struct Plan
{
    int startupRuns = 7;
    int memoryRuns = 3;
    QList<int> tabCounts{1, 10, 50};
    int reclaimTabs = 50;
    QList<int> operationTabs{10, 500};
};

void print(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QString samplesText(const QList<double> &samples, int precision)
{
    QStringList parts;
    for (const double sample : samples)
        parts.append(QString::number(sample, 'f', precision));
    return parts.join(QLatin1Char(' '));
}

// One benchmark program, started the way a user starts a program, and its lines.
class Program final
{
public:
    Program(const QString &name, const QStringList &arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                           QStringLiteral("--disable-gpu --disable-background-networking "
                                          "--disable-component-update --no-first-run"));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("qt.webenginecontext.info=false"));
        m_process.setProcessEnvironment(environment);
        QObject::connect(&m_process, &QProcess::readyReadStandardError, &m_process,
                         [this] { forwardErrors(); });
        m_process.setProgram(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name);
        m_process.setArguments(arguments);
        m_startNs = Bench::monotonicNs();
        m_process.start();
    }

    ~Program()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10'000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    qint64 startNs() const { return m_startNs; }
    int pid() const { return int(m_process.processId()); }
    void send(const QByteArray &command) { m_process.write(command + '\n'); }

    // The next line starting with `word`; result lines before it are collected.
    std::optional<QString> lineStarting(const QString &word, int timeout = LoadTimeout)
    {
        QEventLoop loop;
        QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < timeout) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.startsWith(word))
                    return line;
            }
            if (m_process.state() == QProcess::NotRunning)
                return std::nullopt;
            loop.exec();
        }
        return std::nullopt;
    }

    void finish() { m_process.waitForFinished(LoadTimeout); }

private:
    // The program's warnings, less the engine's routine notes of a headless run.
    void forwardErrors()
    {
        static const char *const routine[] = {"This plugin does not support grabbing the mouse",
                                              "XDG_RUNTIME_DIR", "Sandboxing disabled",
                                              "No suitable graphics backend"};
        const QList<QByteArray> lines = m_process.readAllStandardError().split('\n');
        for (const QByteArray &line : lines) {
            const bool quiet =
                line.trimmed().isEmpty() ||
                std::any_of(std::begin(routine), std::end(routine),
                            [&line](const char *note) { return line.contains(note); });
            if (!quiet)
                std::fprintf(stderr, "%s\n", line.constData());
        }
    }

    QProcess m_process;
    qint64 m_startNs = 0;
};

struct MemoryMiB
{
    double pss = 0;
    double anonymous = 0;
};

// The memory of the program's tree once it has stopped changing: the median of the
// last three samples after the process count held and the anonymous sum moved under
// 2 % for SteadySamples samples in a row.
MemoryMiB settledMemory(int pid)
{
    QList<MemoryMiB> samples;
    qsizetype lastCount = -1;
    int steady = 0;
    for (int round = 0; round < SettleLimit && steady < SteadySamples; ++round) {
        wait(SettleInterval);
        const QList<int> tree = ProcessTree::members(pid);
        const ProcessTree::Memory kib = ProcessTree::totalMemoryKiB(tree);
        const MemoryMiB mib{double(kib.pss) / 1024, double(kib.anonymous) / 1024};
        const bool still = tree.size() == lastCount && !samples.isEmpty() &&
                           qAbs(mib.anonymous - samples.last().anonymous) < 0.02 * mib.anonymous;
        steady = still ? steady + 1 : 0;
        lastCount = tree.size();
        samples.append(mib);
    }
    QList<double> pss;
    QList<double> anonymous;
    for (const MemoryMiB &sample : samples.mid(qMax<qsizetype>(0, samples.size() - 3))) {
        pss.append(sample.pss);
        anonymous.append(sample.anonymous);
    }
    return {Bench::median(pss), Bench::median(anonymous)};
}

struct Row
{
    QString figure;
    QString quillet;
    QString floor;
    QString ratio;
    QString target;
};

class Runner final
{
public:
    explicit Runner(Plan plan)
        : m_plan(std::move(plan))
    {
        m_server.servePage(QStringLiteral("/page.html"), QStringLiteral("Bench page"),
                           benchPageBody());
    }

    void run()
    {
        startUp();
        memory();
        operations();
        hover();
        picture();
        printTable();
    }

private:
    static QString benchPageBody()
    {
        QString body = QStringLiteral("<h1>Bench page</h1>");
        for (int i = 0; i < 40; ++i)
            body += QStringLiteral("<p>Paragraph %1: the same page in every tab, served from "
                                   "127.0.0.1 by the benchmark runner.</p>")
                        .arg(i);
        return body;
    }

    void addRatioRow(const QString &figure, double ours, double floor, int precision,
                     const QString &floorNote, const QString &target)
    {
        m_rows.append({figure, QString::number(ours, 'f', precision),
                       QString::number(floor, 'f', precision) + floorNote,
                       QString::number(ours / floor, 'f', 2), target});
    }

    std::optional<double> startupMs(const QString &program)
    {
        Program child(program, {QStringLiteral("startup")});
        const auto line = child.lineStarting(QStringLiteral("loaded"));
        if (!line)
            return std::nullopt;
        child.finish();
        return double(line->section(QLatin1Char(' '), 1).toLongLong() - child.startNs()) / 1e6;
    }

    void startUp()
    {
        print(QStringLiteral("== start-up: process start to the home page loaded in tab 0 (ms)"));
        const QStringList programs{QStringLiteral("bench_floor"), QStringLiteral("bench_quillet"),
                                   QStringLiteral("bench_lumbra")};
        for (const QString &program : programs)
            startupMs(program); // warm-up: libraries and resources into the page cache
        QHash<QString, QList<double>> samples;
        // Interleaved, so a burst of load on the machine falls on all three alike.
        for (int run = 0; run < m_plan.startupRuns; ++run) {
            for (const QString &program : programs) {
                if (const auto ms = startupMs(program))
                    samples[program].append(*ms);
            }
        }
        for (const QString &program : programs)
            print(QStringLiteral("%1: median %2 ms of [%3]")
                      .arg(program, QString::number(Bench::median(samples[program]), 'f', 0),
                           samplesText(samples[program], 0)));
        const double floor = Bench::median(samples[programs[0]]);
        addRatioRow(QStringLiteral("start-up, Quillet (ms)"), Bench::median(samples[programs[1]]),
                    floor, 0, QString(), QStringLiteral("<= 1.15"));
        addRatioRow(QStringLiteral("start-up, Lumbra (ms)"), Bench::median(samples[programs[2]]),
                    floor, 0, QString(), QStringLiteral("<= 1.15"));
    }

    void memory()
    {
        print(QStringLiteral("== memory: PSS of the program and its engine processes (MiB): "
                             "all pages / anonymous pages"));
        const QString url = m_server.url(QStringLiteral("/page.html")).toString();
        QHash<QString, QList<MemoryMiB>> samples;
        const QString reclaimedKey = QStringLiteral("reclaimed");
        for (int run = 0; run < m_plan.memoryRuns; ++run) {
            for (const int tabs : m_plan.tabCounts) {
                for (const QString &program :
                     {QStringLiteral("bench_floor"), QStringLiteral("bench_quillet")}) {
                    Program child(program, {QStringLiteral("memory"), url, QString::number(tabs)});
                    if (!child.lineStarting(QStringLiteral("ready"))) {
                        print(QStringLiteral("%1 with %2 tabs did not finish loading")
                                  .arg(program)
                                  .arg(tabs));
                        continue;
                    }
                    const QString key = program + QString::number(tabs);
                    samples[key].append(settledMemory(child.pid()));
                    printSample(run, QStringLiteral("%1, %2 tabs").arg(program).arg(tabs),
                                samples[key].last(), child.pid());
                    if (program == QLatin1String("bench_quillet") && tabs == m_plan.reclaimTabs) {
                        child.send("close");
                        if (child.lineStarting(QStringLiteral("ready"))) {
                            samples[reclaimedKey].append(settledMemory(child.pid()));
                            printSample(run,
                                        QStringLiteral("bench_quillet, %1 tabs, %2 closed")
                                            .arg(tabs)
                                            .arg(tabs - 1),
                                        samples[reclaimedKey].last(), child.pid());
                        }
                    }
                }
            }
        }
        for (const auto &[name, part] :
             {std::pair{QStringLiteral("PSS"), &MemoryMiB::pss},
              std::pair{QStringLiteral("anon"), &MemoryMiB::anonymous}}) {
            const auto medianOf = [&samples, part](const QString &key) {
                QList<double> values;
                for (const MemoryMiB &sample : samples.value(key))
                    values.append(sample.*part);
                return Bench::median(values);
            };
            for (const int tabs : m_plan.tabCounts) {
                addRatioRow(QStringLiteral("memory, %1 tab%2, %3 (MiB)")
                                .arg(tabs)
                                .arg(tabs > 1 ? "s" : "")
                                .arg(name),
                            medianOf(QStringLiteral("bench_quillet%1").arg(tabs)),
                            medianOf(QStringLiteral("bench_floor%1").arg(tabs)), 1, QString(),
                            tabs > 1 ? QStringLiteral("<= 1.10") : QString());
            }
            addRatioRow(QStringLiteral("memory, %1 opened, %2 closed, %3 (MiB)")
                            .arg(m_plan.reclaimTabs)
                            .arg(m_plan.reclaimTabs - 1)
                            .arg(name),
                        medianOf(reclaimedKey), medianOf(QStringLiteral("bench_quillet1")), 1,
                        QStringLiteral(" (1 tab)"), QStringLiteral("<= 1.25"));
        }
    }

    static void printSample(int run, const QString &what, const MemoryMiB &memory, int pid)
    {
        print(QStringLiteral("run %1: %2: %3 / %4 MiB in %5 processes")
                  .arg(run + 1)
                  .arg(what)
                  .arg(memory.pss, 0, 'f', 1)
                  .arg(memory.anonymous, 0, 'f', 1)
                  .arg(ProcessTree::members(pid).size()));
    }

    // Result lines of one program run: "result <key> <value>".
    QHash<QString, double> results(const QStringList &arguments)
    {
        QHash<QString, double> found;
        Program child(QStringLiteral("bench_quillet"), arguments);
        while (const auto line = child.lineStarting(QStringLiteral("result"))) {
            const QStringList parts = line->split(QLatin1Char(' '));
            found.insert(parts.value(1), parts.value(2).toDouble());
        }
        return found;
    }

    void operations()
    {
        print(QStringLiteral("== UI-thread CPU time per operation (ms, median of 25)"));
        const QStringList operationNames{
            QStringLiteral("NewWindow-new"), QStringLiteral("NewWindow-reuse"),
            QStringLiteral("select"), QStringLiteral("CloseTab-leftmost"),
            QStringLiteral("CloseTab-selected")};
        for (const QString &engine : {QStringLiteral("scripted"), QStringLiteral("real")}) {
            for (const int tabs : m_plan.operationTabs) {
                const QString mode = engine == QLatin1String("real")
                                         ? QStringLiteral("uiops")
                                         : QStringLiteral("uiops-scripted");
                const QHash<QString, double> found = results({mode, QString::number(tabs)});
                for (const QString &name : operationNames) {
                    const QString key =
                        QStringLiteral("uiops.%1.%2.%3").arg(engine).arg(tabs).arg(name);
                    if (!found.contains(key)) {
                        print(QStringLiteral("%1: no result").arg(key));
                        continue;
                    }
                    print(QStringLiteral("%1 engine, %2 tabs, %3: %4 ms")
                              .arg(engine)
                              .arg(tabs)
                              .arg(name)
                              .arg(found[key], 0, 'f', 3));
                    m_rows.append({QStringLiteral("%1 at %2 tabs, %3 engine (ms)")
                                       .arg(name)
                                       .arg(tabs)
                                       .arg(engine),
                                   QString::number(found[key], 'f', 3), QStringLiteral("-"),
                                   QStringLiteral("-"),
                                   tabs >= 500 ? QStringLiteral("< 2 ms") : QString()});
                }
            }
        }
    }

    void hover()
    {
        print(QStringLiteral("== hover: 10,000 pointer moves, 50 inside and 50 outside in turn"));
        const QHash<QString, double> found = results({QStringLiteral("hover")});
        for (const QString &face : {QStringLiteral("SkinFace"), QStringLiteral("tab-face")}) {
            const QString prefix = QStringLiteral("hover.%1.").arg(face);
            const double cpu = found.value(prefix + QStringLiteral("cpu-ms"));
            const double wall = found.value(prefix + QStringLiteral("wall-ms"));
            const int paints = int(found.value(prefix + QStringLiteral("paints")));
            const int changes = int(found.value(prefix + QStringLiteral("changes")));
            print(QStringLiteral("%1: %2 ms CPU (%3 ms wall), %4 repaints for %5 changes of look")
                      .arg(face)
                      .arg(cpu, 0, 'f', 1)
                      .arg(wall, 0, 'f', 1)
                      .arg(paints)
                      .arg(changes));
            m_rows.append({QStringLiteral("hover, %1: us per move; repaints").arg(face),
                           QStringLiteral("%1; %2").arg(cpu * 1000 / 10000, 0, 'f', 1).arg(paints),
                           QStringLiteral("-; %1 changes").arg(changes),
                           QString::number(changes ? double(paints) / changes : 0, 'f', 2),
                           QStringLiteral("1 repaint per change")});
        }
    }

    void picture()
    {
        print(QStringLiteral("== a picture of about 50 MB dropped on the image viewer"));
        const QHash<QString, double> found = results({QStringLiteral("picture")});
        const auto figure = [&found](const char *key) {
            return found.value(QStringLiteral("picture.") + QLatin1String(key));
        };
        print(QStringLiteral("%1 x %2 pixels, %3 MiB of PNG noise")
                  .arg(figure("width"))
                  .arg(figure("height"))
                  .arg(figure("png-mib"), 0, 'f', 1));
        print(QStringLiteral("drop to the picture painted: median %1 ms; the bare decode of the "
                             "same bytes: %2 ms")
                  .arg(figure("show-ms"), 0, 'f', 0)
                  .arg(figure("decode-ms"), 0, 'f', 0));
        print(QStringLiteral("resident memory (MiB): %1 before the picture exists, %2 with the "
                             "dropped bytes, %3 shown, %4 after the viewer closed")
                  .arg(figure("rss-empty-mib"), 0, 'f', 1)
                  .arg(figure("rss-before-mib"), 0, 'f', 1)
                  .arg(figure("rss-shown-mib"), 0, 'f', 1)
                  .arg(figure("rss-after-mib"), 0, 'f', 1));
        // The floor of start-up and memory shows web pages, not pictures; the viewer's
        // floor is decoding the same bytes with nothing else.
        addRatioRow(QStringLiteral("50 MB picture, drop to shown (ms)"), figure("show-ms"),
                    figure("decode-ms"), 0, QStringLiteral(" (decode)"), QString());
        m_rows.append({QStringLiteral("50 MB picture, RSS shown; after close (MiB)"),
                       QStringLiteral("%1; %2")
                           .arg(figure("rss-shown-mib"), 0, 'f', 0)
                           .arg(figure("rss-after-mib"), 0, 'f', 0),
                       QStringLiteral("%1 before").arg(figure("rss-before-mib"), 0, 'f', 0),
                       QStringLiteral("-"), QString()});
    }

    void printTable() const
    {
        print(QString());
        const auto line = [](const Row &row) {
            return QStringLiteral("%1 %2 %3 %4 %5")
                .arg(row.figure, -50)
                .arg(row.quillet, 12)
                .arg(row.floor, 18)
                .arg(row.ratio, 7)
                .arg(row.target);
        };
        print(line({QStringLiteral("figure"), QStringLiteral("Quillet"), QStringLiteral("floor"),
                    QStringLiteral("ratio"), QStringLiteral("target")}));
        for (const Row &row : m_rows)
            print(line(row));
    }

    Plan m_plan;
    LoopbackServer m_server;
    QList<Row> m_rows;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Plan plan;
    if (QCoreApplication::arguments().contains(QStringLiteral("--quick"))) {
        plan.startupRuns = 2;
        plan.memoryRuns = 1;
        plan.tabCounts = {1, 10};
        plan.reclaimTabs = 10;
        plan.operationTabs = {10, 50};
    }
    Runner(plan).run();
    return 0;
}
