#include "desktop.h"

#include "twips.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace E2E {

namespace {

// How long a process group is given to end on SIGTERM before it is killed outright.
constexpr int TermGraceMs = 3000;

QString variableName(const QByteArray &entry)
{
    return QString::fromLocal8Bit(entry.left(entry.indexOf('=')));
}

} // namespace

ProcessGroup::ProcessGroup(const QStringList &command, const QStringList &environment,
                           bool readStdout, const QString &errorLog)
{
    // Everything the child needs is built before the fork: between fork and exec it may
    // only make async-signal-safe calls.
    std::vector<QByteArray> arguments;
    for (const QString &argument : command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::vector<QByteArray> variables;
    QStringList added;
    for (const QString &entry : environment) {
        variables.push_back(entry.toLocal8Bit());
        added.append(variableName(variables.back()));
    }
    for (char **inherited = environ; *inherited; ++inherited) {
        const QByteArray entry(*inherited);
        if (!added.contains(variableName(entry)))
            variables.push_back(entry);
    }
    std::vector<char *> envp;
    for (QByteArray &entry : variables)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const QByteArray errorPath = errorLog.toLocal8Bit();
    int output[2] = {-1, -1};
    if (readStdout && ::pipe2(output, O_CLOEXEC) != 0)
        qFatal("pipe: %s", strerror(errno));

    m_pid = ::fork();
    if (m_pid < 0)
        qFatal("fork: %s", strerror(errno));
    if (m_pid == 0) {
        ::setpgid(0, 0);
        // Nothing outlives a test process that dies without cleaning up.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (readStdout)
            ::dup2(output[1], STDOUT_FILENO);
        if (!errorPath.isEmpty()) {
            const int log = ::open(errorPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (log >= 0)
                ::dup2(log, STDERR_FILENO);
        }
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    // Also here, so that the group exists before the parent may signal it.
    ::setpgid(m_pid, m_pid);
    if (readStdout) {
        ::close(output[1]);
        m_stdout = output[0];
    }
}

ProcessGroup::~ProcessGroup()
{
    ::kill(-m_pid, SIGTERM);
    // Killed outright below when it does not end in time.
    (void)QTest::qWaitFor([this] { return !isRunning(); }, TermGraceMs);
    // The program's helpers may outlive it in its group.
    ::kill(-m_pid, SIGKILL);
    if (!m_reaped)
        ::waitpid(m_pid, nullptr, 0);
    if (m_stdout >= 0)
        ::close(m_stdout);
}

bool ProcessGroup::isRunning()
{
    int status = 0;
    if (!m_reaped && ::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_reaped = true;
        if (WIFEXITED(status))
            m_exitStatus = WEXITSTATUS(status);
    }
    return !m_reaped;
}

std::optional<int> ProcessGroup::exitStatus()
{
    isRunning();
    return m_exitStatus;
}

QString ProcessGroup::readLine(int timeout)
{
    QByteArray line;
    QDeadlineTimer deadline(timeout);
    while (!deadline.hasExpired()) {
        pollfd ready{m_stdout, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(deadline.remainingTime())) <= 0)
            break;
        char c = 0;
        if (::read(m_stdout, &c, 1) != 1)
            break;
        if (c == '\n')
            return QString::fromLocal8Bit(line);
        line.append(c);
    }
    return {};
}

Desktop::Desktop(QSize screenSize)
{
    const QString screen =
        QStringLiteral("%1x%2x24").arg(screenSize.width()).arg(screenSize.height());
    // -displayfd picks a free display number and prints it once the server is ready.
    m_server = std::make_unique<ProcessGroup>(
        QStringList{QStringLiteral("Xvfb"), QStringLiteral("-displayfd"), QStringLiteral("1"),
                    QStringLiteral("-screen"), QStringLiteral("0"), screen, QStringLiteral("-dpi"),
                    QStringLiteral("96"), QStringLiteral("-nolisten"), QStringLiteral("tcp")},
        QStringList(), true);
    const QString number = m_server->readLine(30000).trimmed();
    if (number.isEmpty())
        qFatal("Xvfb did not start");
    m_display = QLatin1Char(':') + number;
    qputenv("DISPLAY", m_display.toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    m_windowManager = std::make_unique<ProcessGroup>(
        QStringList{QStringLiteral("openbox"), QStringLiteral("--sm-disable")});
}

Desktop::~Desktop()
{
    m_windowManager.reset();
    m_server.reset();
}

bool Desktop::waitForWindowManager(int timeout) const
{
    return QTest::qWaitFor(
        [] {
            return runTool({QStringLiteral("xprop"), QStringLiteral("-root"),
                            QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .value_or(QString())
                .contains(QLatin1String("window id"));
        },
        timeout);
}

QString programPath(const char *target)
{
    const QByteArray variable = QByteArray("E2E_PROGRAM_") + target;
    const QString path = qEnvironmentVariable(variable.constData());
    if (path.isEmpty())
        qFatal("%s is not set: run the test through ctest", variable.constData());
    return path;
}

std::unique_ptr<ProcessGroup> startProgram(const QString &binary, quint16 proxyPort,
                                           const QStringList &wrapper,
                                           const QStringList &environment, const QString &errorLog)
{
    // "<-loopback>" takes away the engine's own exemption of loopback addresses from
    // the proxy.
    const QString flags =
        QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --disable-background-networking "
                       "--disable-component-update --no-first-run "
                       "--proxy-server=http://127.0.0.1:%1 --proxy-bypass-list=<-loopback>")
            .arg(proxyPort);
    return std::make_unique<ProcessGroup>(
        wrapper + QStringList{binary},
        QStringList{flags, QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("LC_ALL=C.UTF-8"),
                    QStringLiteral("QT_LOGGING_RULES=qt.webenginecontext.info=false")} +
            environment,
        false, errorLog);
}

std::optional<QString> runTool(const QStringList &command, int timeout)
{
    QProcess tool;
    tool.start(command.first(), command.mid(1));
    if (!tool.waitForFinished(timeout)) {
        tool.kill();
        tool.waitForFinished();
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(tool.readAllStandardOutput());
}

namespace {

// The numbers xwininfo prints after `label`.
int xwininfoValue(const QString &report, const QString &label)
{
    const QRegularExpression line(QRegularExpression::escape(label) +
                                  QStringLiteral(":\\s*(-?\\d+)"));
    return line.match(report).captured(1).toInt();
}

QString xprop(const QString &id, const QString &property)
{
    return runTool({QStringLiteral("xprop"), QStringLiteral("-id"), id, property})
        .value_or(QString());
}

} // namespace

TopLevel TopLevel::find(const QString &title, pid_t pid, int timeout)
{
    QStringList search{QStringLiteral("xdotool"), QStringLiteral("search"),
                       QStringLiteral("--onlyvisible")};
    if (pid > 0)
        search << QStringLiteral("--pid") << QString::number(pid);
    search << QStringLiteral("--name") << QStringLiteral(".");
    TopLevel window;
    // The titles are compared here: xdotool's own pattern match does not take
    // characters outside ASCII for what they are.
    const auto titled = [&] {
        const QStringList ids =
            runTool(search).value_or(QString()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            const std::optional<QString> name =
                runTool({QStringLiteral("xdotool"), QStringLiteral("getwindowname"), id});
            TopLevel candidate;
            candidate.m_id = id.trimmed();
            // xdotool may count a window as visible before it is mapped.
            if (name && name->trimmed() == title && candidate.isShown())
                return candidate.m_id;
        }
        return QString();
    };
    // An invalid window tells the caller nothing appeared.
    (void)QTest::qWaitFor(
        [&] {
            window.m_id = titled();
            return window.isValid();
        },
        timeout);
    return window;
}

QRect TopLevel::clientGeometry() const
{
    const QString report =
        runTool({QStringLiteral("xwininfo"), QStringLiteral("-id"), m_id}).value_or(QString());
    return QRect(xwininfoValue(report, QStringLiteral("Absolute upper-left X")),
                 xwininfoValue(report, QStringLiteral("Absolute upper-left Y")),
                 xwininfoValue(report, QStringLiteral("Width")),
                 xwininfoValue(report, QStringLiteral("Height")));
}

QMargins TopLevel::frame() const
{
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QString extents =
        xprop(m_id, QStringLiteral("_NET_FRAME_EXTENTS")).section(QLatin1Char('='), 1);
    const QStringList sides = extents.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (sides.size() != 4)
        return {};
    return QMargins(sides[0].trimmed().toInt(), sides[2].trimmed().toInt(),
                    sides[1].trimmed().toInt(), sides[3].trimmed().toInt());
}

QPoint TopLevel::atTwips(double left, double top) const
{
    return clientGeometry().topLeft() + Twips::toPixels(left, top);
}

bool TopLevel::isShown() const
{
    const QString report =
        runTool({QStringLiteral("xwininfo"), QStringLiteral("-id"), m_id}).value_or(QString());
    return report.contains(QLatin1String("Map State: IsViewable"));
}

bool TopLevel::isMinimized() const
{
    return xprop(m_id, QStringLiteral("WM_STATE")).contains(QLatin1String("Iconic"));
}

namespace Input {

namespace {

void xdotool(const QStringList &arguments)
{
    if (!runTool(QStringList{QStringLiteral("xdotool")} + arguments))
        qWarning("xdotool %s failed", qPrintable(arguments.join(QLatin1Char(' '))));
}

QPoint pointer()
{
    // "x:100 y:200 screen:0 window:1234"
    const QString location =
        runTool({QStringLiteral("xdotool"), QStringLiteral("getmouselocation")})
            .value_or(QString());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("x:(-?\\d+) y:(-?\\d+)")).match(location);
    return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace

void moveTo(QPoint screenPoint)
{
    // Not xdotool's own --sync, which waits for ever when the pointer is already there.
    xdotool({QStringLiteral("mousemove"), QString::number(screenPoint.x()),
             QString::number(screenPoint.y())});
    if (!QTest::qWaitFor([&] { return pointer() == screenPoint; }, DefaultTimeout))
        qWarning("the pointer did not get to %d, %d", screenPoint.x(), screenPoint.y());
}

void click(QPoint screenPoint, int button)
{
    moveTo(screenPoint);
    xdotool({QStringLiteral("click"), QString::number(button)});
}

void press(QPoint screenPoint, int button)
{
    moveTo(screenPoint);
    xdotool({QStringLiteral("mousedown"), QString::number(button)});
}

void release(int button)
{
    xdotool({QStringLiteral("mouseup"), QString::number(button)});
}

void drag(QPoint from, QPoint to, int button, const QString &keys,
          const std::function<bool()> &taken)
{
    if (!keys.isEmpty())
        xdotool({QStringLiteral("keydown"), keys});
    press(from, button);
    // Through a point on the way, so that the drag is seen as one.
    moveTo((from + to) / 2);
    if (taken)
        (void)QTest::qWaitFor(taken, DefaultTimeout);
    moveTo(to);
    release(button);
    if (!keys.isEmpty())
        xdotool({QStringLiteral("keyup"), keys});
}

void key(const QString &combination)
{
    xdotool({QStringLiteral("key"), combination});
}

void type(const QString &text)
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), text});
}

} // namespace Input

QImage screenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

void saveScreenshotOnFailure()
{
    if (!QTest::currentTestFailed())
        return;
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *tag = QTest::currentDataTag())
        name += QLatin1Char('_') + QString::fromLatin1(tag);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]+")), QStringLiteral("_"));
    const QString path = QDir::current().absoluteFilePath(name + QStringLiteral(".png"));
    if (screenshot().save(path))
        qInfo("the screen at the failure: %s", qPrintable(path));
}

namespace {

bool near(QColor a, QColor b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

bool shows(const QImage &image, QPoint topLeft, const QImage &picture, QRect part)
{
    if (part.isEmpty())
        part = picture.rect();
    int compared = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QColor expected = picture.pixelColor(x, y);
            if (expected.alpha() < 255)
                continue;
            const QPoint at = topLeft + QPoint(x, y);
            if (!image.rect().contains(at) || !near(image.pixelColor(at), expected, 3))
                return false;
            ++compared;
        }
    }
    // Nothing opaque to look for shows nothing.
    return compared > 0;
}

} // namespace E2E
