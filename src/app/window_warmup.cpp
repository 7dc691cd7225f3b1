#include "app/window_warmup.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/window_catalog.h"
#include "core/dialogs.h"
#include "widgets/fitted_window.h"

namespace tunnel {

namespace {

// A window under construction asks nobody anything.
class SilentDialogs final : public Dialogs {
public:
    int Message(const QString &, const QString &, Buttons, Icon) override { return kAnswerCancel; }
    std::optional<QString> AskFile(const FileRequest &) override { return std::nullopt; }
    bool OpenFolder(const QString &) override { return false; }
    void Pause(int) override {}
    void Wait(int) override {}
    void StartDetached(const QString &) override {}
};

struct Warmup {
    SilentDialogs dialogs;
    QTemporaryDir folder;
    std::vector<std::string_view> ids;
    size_t next = 0;
    std::function<void()> done;
};

void WarmNext(const std::shared_ptr<Warmup> &w) {
    if (w->next >= w->ids.size() || !w->folder.isValid()) {
        if (w->done) w->done();
        return;
    }
    // Built, painted and gone within the turn, so no other code ever sees it.
    const std::unique_ptr<QWidget> window(
        CreateShellWindow(w->ids[w->next++], WindowContext{w->dialogs, w->folder.path()}));
    if (window) {
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        FitToScreen(window.get());
        window->ensurePolished();
        QImage image(window->size(), QImage::Format_ARGB32_Premultiplied);
        window->render(&image);
    }
    QTimer::singleShot(0, qApp, [w] { WarmNext(w); });
}

}  // namespace

void WarmWindows(std::function<void()> done) {
    auto w = std::make_shared<Warmup>();
    w->done = std::move(done);
    for (const ShellWindow &window : ShellWindows())
        if (window.module) w->ids.push_back(window.id);
    WarmNext(w);
}

}  // namespace tunnel
