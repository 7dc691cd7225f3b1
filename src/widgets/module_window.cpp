#include "widgets/module_window.h"

#include <QCoreApplication>
#include <QWidget>

#include "core/form.h"
#include "core/module_entry.h"
#include "widgets/calc_window.h"
#include "widgets/fitted_window.h"
#include "widgets/reference_window.h"
#include "widgets/window_ops.h"

namespace tunnel {

namespace {

class Plain final : public WindowOps {
public:
    void OpenCalculationWindow(QWidget *window) override { ShowIndependentWindow(window); }
    void OpenModalWindow(QWidget *window) override { ShowModalWindow(window); }
    void RestoreMainWindow() override {}
    void EndProgram() override { QCoreApplication::exit(0); }
};

}  // namespace

QWidget *CreateModuleWindow(const ModuleEntry &entry, const WindowContext &context) {
    WindowContext full = context;
    if (!full.ops) full.ops = &PlainWindowOps();
    const WindowFactory create = ModuleFactory(entry.id);
    QWidget *window =
        create ? create(full) : new CalcWindow(entry.table(), full.dialogs, full.dataFolder);
    for (const ReferenceLink &link : entry.references)
        ConnectReference(window, QString::fromUtf8(link.button), link);
    return window;
}

QWidget *WindowOps::CreateModuleWindow(std::string_view id, Dialogs &dialogs,
                                       const QString &dataFolder, const QList<FieldValue> &values) {
    const ModuleEntry *entry = FindModule(id);
    if (!entry) return nullptr;
    QWidget *window = tunnel::CreateModuleWindow(*entry, WindowContext{dialogs, dataFolder, this});
    if (auto *form = dynamic_cast<Form *>(window))
        for (const FieldValue &value : values) form->SetText(value.id, value.text);
    return window;
}

bool WindowOps::HasModule(std::string_view id) const {
    return FindModule(id) != nullptr;
}

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
