#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QEventLoop>
#include <QTimer>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>
#include <map>

#include "app/main_window.h"
#include "app/startup.h"
#include "app/window_catalog.h"
#include "support/scripted_dialogs.h"
#include "widgets/fitted_window.h"

// Each window of the menu from its creation until it stands painted on the
// screen, as a click in the menu opens it. The offscreen platform paints on
// the first expose, so "exposed and its events processed" is the first frame.

using namespace tunnel;

namespace {

// Creates, fits and shows the window and processes its events until the
// platform exposed it; the time of that, in seconds.
double OpenOnce(std::string_view id, const WindowContext &context) {
    QElapsedTimer clock;
    clock.start();
    QPointer<QWidget> window = CreateShellWindow(id, context);
    window->setAttribute(Qt::WA_DeleteOnClose);
    FitToScreen(window);
    window->show();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        QApplication::processEvents();
    QApplication::processEvents();
    const double seconds = clock.nsecsElapsed() / 1e9;
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete window.data();
    return seconds;
}

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
            for (int i = 0; i < std::max(1, times); ++i) firsts[window.id] = OpenOnce(window.id, context);
    if (!only.isEmpty()) exit(0);
    return firsts;
}

std::map<std::string_view, double> g_firstOpens;

void BM_OpenWindow(benchmark::State &state, std::string_view id) {
    QTemporaryDir folder;
    test::ScriptedDialogs dialogs;
    const WindowContext context{dialogs, folder.path()};
    for (auto _ : state) state.SetIterationTime(OpenOnce(id, context));
    state.counters["first_ms"] = g_firstOpens.at(id) * 1e3;
}

}  // namespace

// Run with QT_QPA_PLATFORM=offscreen.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    InstallChineseTranslations(app);
    for (const ShellWindow &window : ShellWindows())
        benchmark::RegisterBenchmark(("BM_OpenWindow/" + std::string(window.id)).c_str(),
                                     BM_OpenWindow, window.id)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    g_firstOpens = FirstOpens();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
