#pragma once

#include <QApplication>
#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>
#include <sys/types.h>

// What the end-to-end tests need of a desktop: an X display of their own with a window
// manager on it, programs started on it, real X input, and what the screen shows.
namespace E2E {

inline constexpr QSize ScreenSize(1280, 800);

// A child process in a process group of its own. The whole group (a program and every
// helper it starts) is killed when the object goes, also when a test fails half-way.
class ProcessGroup final
{
public:
    // `environment` entries ("NAME=value") are added to this process's environment.
    // With `readStdout`, the child's standard output is a pipe readable through
    // readLine(). With `errorLog`, its standard error goes to that file.
    ProcessGroup(const QStringList &command, const QStringList &environment = {},
                 bool readStdout = false, const QString &errorLog = {});
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup &) = delete;
    ProcessGroup &operator=(const ProcessGroup &) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning();
    // How the child ended: its exit status, or nothing while it runs or when a signal
    // ended it.
    std::optional<int> exitStatus();
    // One line of the child's output, waiting at most `timeout` ms; empty when none came.
    QString readLine(int timeout);

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    bool m_reaped = false;
    std::optional<int> m_exitStatus;
};

// An Xvfb display with openbox on it, for the whole test executable. Start it before
// the application object exists: it points DISPLAY and Qt's platform at the new display,
// so that the test process is a client of the screen it inspects.
class Desktop final
{
public:
    explicit Desktop(QSize screenSize);
    ~Desktop();

    // Waits for the window manager to have taken over the screen; call once the
    // application object exists.
    bool waitForWindowManager(int timeout = 20000) const;
    QString display() const { return m_display; }

private:
    std::unique_ptr<ProcessGroup> m_server;
    std::unique_ptr<ProcessGroup> m_windowManager;
    QString m_display;
};

// The path of a program of the build, as CTest hands it to the test.
QString programPath(const char *target);

// Starts a program of the build on the desktop, through `wrapper` when given (a command
// that runs the program, such as faketime). All of its web traffic goes to the HTTP
// proxy at 127.0.0.1:`proxyPort`, loopback addresses included, so that nothing leaves
// the machine.
// Its standard error goes to `errorLog` when given.
std::unique_ptr<ProcessGroup> startProgram(const QString &binary, quint16 proxyPort,
                                           const QStringList &wrapper = {},
                                           const QStringList &environment = {},
                                           const QString &errorLog = {});

// Runs an X client tool (xdotool, xwininfo, xprop) on the display and returns what it
// printed; nothing when it failed.
std::optional<QString> runTool(const QStringList &command, int timeout = 10000);

// A top-level window of a program, known by its X window id.
class TopLevel final
{
public:
    // The first visible window whose title is exactly `title`, of process `pid` when
    // given, waiting until one appears; an invalid TopLevel when none did in time. The
    // process tells a new program's window from one of a program still closing.
    static TopLevel find(const QString &title, pid_t pid = 0, int timeout = 30000);

    bool isValid() const { return !m_id.isEmpty(); }
    QString id() const { return m_id; }

    // The client area on the screen, frame excluded.
    QRect clientGeometry() const;
    // The frame the window manager put around it (left, top, right, bottom).
    QMargins frame() const;
    QRect outerGeometry() const { return clientGeometry().marginsAdded(frame()); }
    // The screen point of `twips` in the client area.
    QPoint atTwips(double left, double top) const;
    bool isMinimized() const;
    // Whether the window still exists and is mapped on the screen.
    bool isShown() const;

private:
    QString m_id;
};

// Real pointer and keyboard input through the X server. The pointer always moves to a
// point before a button goes down there, as a user's does.
namespace Input {

void moveTo(QPoint screenPoint);
void click(QPoint screenPoint, int button = 1);
void press(QPoint screenPoint, int button = 1);
void release(int button = 1);
// Presses `button` at `from`, moves to `to` and lets go there, holding `keys` (as
// xdotool names them, "alt") all the while when given. With `taken`, waits on the way
// until it says the drag has been taken up (a window manager moving a window reads
// the pointer when it starts, so a drag it has not seen start yet is lost).
void drag(QPoint from, QPoint to, int button = 1, const QString &keys = {},
          const std::function<bool()> &taken = {});
// A key combination as xdotool names it ("Return", "ctrl+Return").
void key(const QString &combination);
void type(const QString &text);

} // namespace Input

// What the screen shows now.
QImage screenshot();

// When the current test function has failed, saves what the screen shows as
// "<test function>[_<data tag>].png" in the working directory, and says where.
void saveScreenshotOnFailure();

// Whether `image` shows `picture` with its top-left corner at `topLeft`: every opaque
// pixel of `part` of the picture (all of it when `part` is empty) is on the screen.
bool shows(const QImage &image, QPoint topLeft, const QImage &picture, QRect part = {});
} // namespace E2E

// QTRY_VERIFY and QTRY_COMPARE without their second wait on failure: a program on a
// screen answers within the timeout or not at all, and a failing case should not take
// three times as long.
namespace E2E {
inline constexpr int DefaultTimeout = 30000;
}
#define E2E_TRY_VERIFY(condition)                                                                  \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return bool(condition); }, E2E::DefaultTimeout);               \
        QVERIFY(condition);                                                                        \
    } while (false)
#define E2E_TRY_COMPARE(actual, expected)                                                          \
    do {                                                                                           \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, E2E::DefaultTimeout);        \
        QCOMPARE(actual, expected);                                                                \
    } while (false)

// QTEST_MAIN on a desktop of the test's own, started before the application object.
#define QUILLET_E2E_MAIN(TestObject)                                                               \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        E2E::Desktop desktop(E2E::ScreenSize);                                                     \
        QApplication app(argc, argv);                                                              \
        if (!desktop.waitForWindowManager())                                                       \
            qFatal("the window manager did not start");                                            \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
