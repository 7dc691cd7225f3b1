#include "app/window_ops.h"

#include <QCoreApplication>
#include <QWidget>

#include "app/window_catalog.h"
#include "widgets/fitted_window.h"

namespace tunnel {

namespace {

class Plain final : public WindowOps {
public:
    void OpenCalculationWindow(QWidget *window) override { ShowIndependentWindow(window); }
    void OpenModalWindow(QWidget *window) override { ShowModalWindow(window); }
    void RestoreMainWindow() override {}
    void EndProgram() override { QCoreApplication::exit(0); }
    QWidget *CreateWindow(WindowKind kind, Dialogs &dialogs,
                          const QString &programFolder) override {
        return tunnel::CreateWindow(kind, WindowContext{dialogs, programFolder, this});
    }
    bool IsAvailable(WindowKind kind) const override { return tunnel::IsAvailable(kind); }
};

}  // namespace

WindowOps &PlainWindowOps() {
    static Plain ops;  // holds no state
    return ops;
}

void ShowIndependentWindow(QWidget *window) {
    if (!window) return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    FitToScreen(window);
    window->show();
}

}  // namespace tunnel
