#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <map>
#include <optional>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/window_catalog.h"
#include "core/window_table.h"
#include "support/scripted_dialogs.h"
#include "widgets/calc_window.h"
#include "widgets/fitted_window.h"

// Each window of the menu from its creation until it stands painted on the
// screen, as a click in the menu opens it, and each calculate button from
// the click until the results stand painted. The offscreen platform paints
// on the first expose, so "exposed and its events processed" is the first
// frame.

using namespace tunnel;

namespace {

// Creates, fits and shows the window and processes its events until the
// platform exposed it.
QPointer<QWidget> ShowWindow(std::string_view id, const WindowContext &context) {
    QPointer<QWidget> window = CreateShellWindow(id, context);
    window->setAttribute(Qt::WA_DeleteOnClose);
    FitToScreen(window);
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    return window;
}

void CloseWindow(QPointer<QWidget> window) {
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete window.data();
}

// The time of ShowWindow, in seconds.
double OpenOnce(std::string_view id, const WindowContext &context) {
    QElapsedTimer clock;
    clock.start();
    const QPointer<QWidget> window = ShowWindow(id, context);
    const double seconds = clock.nsecsElapsed() / 1e9;
    CloseWindow(window);
    return seconds;
}

// Dialogs that time the stretches of work between a command's pauses: a
// command that pauses to show its results step by step keeps the user
// waiting only for its longest stretch, its pauses being meant.
class PacedDialogs : public test::ScriptedDialogs {
public:
    void Start() {
        clock.start();
        longest = 0;
    }
    // The stretch up to now, and the next one starts.
    void Mark() {
        longest = std::max(longest, clock.nsecsElapsed() / 1e9);
        clock.start();
    }
    void Pause(int ms) override {
        test::ScriptedDialogs::Pause(ms);  // paints what the command showed so far
        Mark();
    }
    QElapsedTimer clock;
    double longest = 0;
};

struct Calculation {
    double seconds;  // from the click until the results stand painted
    double longest;  // the longest stretch between pauses
};

// The window's calculate button pressed on its presets, until the results
// stand painted. Nothing when the window has no such button.
std::optional<Calculation> CalculateOnce(std::string_view id, PacedDialogs &dialogs,
                                         const QString &folder) {
    const QPointer<QWidget> window = ShowWindow(id, WindowContext{dialogs, folder});
    // The user reads the window before pressing: what its open left to
    // the event loop is done by then.
    QEventLoop reading;
    QTimer::singleShot(50, &reading, &QEventLoop::quit);
    reading.exec();
    std::optional<Calculation> done;
    auto *calc = qobject_cast<CalcWindow *>(window.data());
    for (const ButtonRow &row : calc ? calc->Table().buttons : std::vector<ButtonRow>{}) {
        if (row.role != Role::Calculate) continue;
        QPushButton *button = calc->Button(row.id);
        QElapsedTimer clock;
        clock.start();
        dialogs.Start();
        button->click();
        QApplication::processEvents();
        dialogs.Mark();
        done = Calculation{clock.nsecsElapsed() / 1e9, dialogs.longest};
        break;
    }
    CloseWindow(window);
    return done;
}

std::map<std::string_view, Calculation> g_firstCalculations;

// The first open of each window in the process, in menu order, which pays
// for what later ones find cached (pictures, a module's tables). The main
// window stands painted first, as in the program, so that the first window
// measured does not pay for the process's first frame.
std::map<std::string_view, double> FirstOpens() {
    QTemporaryDir folder;
    test::ScriptedDialogs dialogs;
    const WindowContext context{dialogs, folder.path()};
    MainWindow main(dialogs, folder.path());
    main.show();
    while (!main.windowHandle() || !main.windowHandle()->isExposed()) QApplication::processEvents();
    // A user takes a second to reach a button; the program's event loop
    // runs meanwhile.
    QEventLoop look;
    QTimer::singleShot(1000, &look, &QEventLoop::quit);
    look.exec();
    std::map<std::string_view, double> firsts;
    const QByteArray only = qgetenv("ONLY");
    const int times = qEnvironmentVariableIntValue("TIMES");
    for (const ShellWindow &window : ShellWindows())
        if (only.isEmpty() || only == window.id.data())
            for (int i = 0; i < std::max(1, times); ++i)
                firsts[window.id] = OpenOnce(window.id, context);
    if (!only.isEmpty()) exit(0);
    // Each window's first calculation in the process, in a window of its own.
    PacedDialogs paced;
    for (const ShellWindow &window : ShellWindows())
        if (const auto calculation = CalculateOnce(window.id, paced, folder.path()))
            g_firstCalculations[window.id] = *calculation;
    return firsts;
}

std::map<std::string_view, double> g_firstOpens;

// Iteration time: the longest stretch; all of it in whole_ms.
void BM_Calculate(benchmark::State &state, std::string_view id) {
    QTemporaryDir folder;
    PacedDialogs dialogs;
    double whole = 0;
    for (auto _ : state) {
        const Calculation c = CalculateOnce(id, dialogs, folder.path()).value_or(Calculation{});
        state.SetIterationTime(c.longest);
        whole += c.seconds;
    }
    state.counters["whole_ms"] = whole / double(state.iterations()) * 1e3;
    state.counters["first_ms"] = g_firstCalculations.at(id).longest * 1e3;
    state.counters["first_whole_ms"] = g_firstCalculations.at(id).seconds * 1e3;
}

void BM_OpenWindow(benchmark::State &state, std::string_view id) {
    QTemporaryDir folder;
    test::ScriptedDialogs dialogs;
    const WindowContext context{dialogs, folder.path()};
    for (auto _ : state) state.SetIterationTime(OpenOnce(id, context));
    state.counters["first_ms"] = g_firstOpens.at(id) * 1e3;
}

}  // namespace

// Offscreen on a 1920 × 1080 screen unless QT_QPA_PLATFORM says otherwise.
int main(int argc, char **argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" TUNNEL_DESKTOP_SCREEN);
    QApplication app(argc, argv);
    InstallChineseTranslations(app);
    for (const ShellWindow &window : ShellWindows())
        benchmark::RegisterBenchmark(("BM_OpenWindow/" + std::string(window.id)).c_str(),
                                     BM_OpenWindow, window.id)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    g_firstOpens = FirstOpens();
    for (const auto &[id, seconds] : g_firstCalculations)
        benchmark::RegisterBenchmark(("BM_Calculate/" + std::string(id)).c_str(), BM_Calculate, id)
            ->UseManualTime()
            ->Iterations(40)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
