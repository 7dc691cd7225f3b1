#include "widgets/fitted_window.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace tunnel {

namespace {

// A Windows title bar is about 31 px, its borders a few pixels.
constexpr QSize kTypicalFrame(16, 40);
constexpr char kFittedProperty[] = "fittedToScreen";

QScreen *ScreenOf(const QWidget *window) {
    QScreen *screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

QScrollArea *NewScrollArea() {
    auto *area = new QScrollArea;
    area->setObjectName(QStringLiteral("fittedScrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    return area;
}

// Moves the children of a window without a layout onto one content widget;
// each keeps its place and whether it was hidden.
QWidget *TakeChildren(QWidget *window) {
    auto *content = new QWidget;
    for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) continue;
        const bool hidden = child->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
                            child->testAttribute(Qt::WA_WState_Hidden);
        const QRect geometry = child->geometry();
        child->setParent(content);
        child->setGeometry(geometry);
        if (!hidden) child->show();
    }
    return content;
}

}  // namespace

void PlaceInside(QWidget *window, QSize size) {
    const QRect available = ScreenOf(window)->availableGeometry();
    const QSize frame = FrameAllowance(window);
    window->move(
        available.x() + qMax(0, (available.width() - size.width() - frame.width()) / 2),
        available.y() + qMax(0, (available.height() - size.height() - frame.height()) / 2));
}

void KeepInside(QWidget *window) {
    const QRect available = ScreenOf(window)->availableGeometry();
    const QSize outer = window->size() + FrameAllowance(window);
    QPoint at = window->pos();
    at.setX(
        qMax(available.left(), qMin(at.x(), available.x() + available.width() - outer.width())));
    at.setY(
        qMax(available.top(), qMin(at.y(), available.y() + available.height() - outer.height())));
    if (at != window->pos()) window->move(at);
}

QSize FrameAllowance(const QWidget *window) {
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    return frame.expandedTo(kTypicalFrame);
}

QSize ClientRoom(const QWidget *window) {
    return ScreenOf(window)->availableGeometry().size() - FrameAllowance(window);
}

void ShowModalWindow(QWidget *window) {
    if (!window) return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    FitToScreen(window);
    window->show();
    loop.exec();
}

void FitToScreen(QWidget *window) {
    if (!window || window->property(kFittedProperty).toBool()) return;
    window->setProperty(kFittedProperty, true);
    auto *main = qobject_cast<QMainWindow *>(window);
    // Dialogs over a parent are placed by the platform, over that parent.
    const bool placed = window->testAttribute(Qt::WA_Moved) || window->parentWidget();
    if (main && qobject_cast<QScrollArea *>(main->centralWidget())) {
        if (!placed) PlaceInside(window, window->size());
        return;
    }

    // A layout grows a window to its minimum once shown, whatever it was given.
    const QSize design =
        (window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint())
            .expandedTo(window->minimumSizeHint());
    const QSize room = ClientRoom(window);
    if (design.width() <= room.width() && design.height() <= room.height()) {
        if (!placed) PlaceInside(window, design);
        return;
    }
    // A plain window with a layout of its own only shrinks.
    if (!main && window->layout()) {
        window->setMinimumSize(window->minimumSize().boundedTo(room));
        window->resize(design.boundedTo(room));
        PlaceInside(window, window->size());
        return;
    }

    QScrollArea *area = NewScrollArea();
    const bool fixed = window->minimumSize() == window->maximumSize();
    if (main) {
        const int menu = main->menuBar() && !main->menuBar()->isHidden()
                             ? main->menuBar()->sizeHint().height()
                             : 0;
        QWidget *content = main->takeCentralWidget();
        const QSize designed(design.width(), design.height() - menu);
        // Hand-placed content has no layout to tell the scroll area its size;
        // laid out content of a fixed window keeps its designed size, which
        // its wrapped texts would otherwise stretch.
        if (!content->layout())
            content->setMinimumSize(designed);
        else if (fixed)
            content->setMaximumSize(designed.expandedTo(content->minimumSizeHint()));
        area->setWidget(content);
        QWidget *bar = nullptr;
        if (content->layout())
            for (QWidget *child : content->findChildren<QWidget *>())
                if (child->property(kCommandBarProperty).toBool()) bar = child;
        if (bar) {
            // Taken from its layout by the new parent.
            auto *holder = new QWidget;
            auto *column = new QVBoxLayout(holder);
            column->setContentsMargins(0, 0, 0, 0);
            column->setSpacing(0);
            column->addWidget(area, 1);
            const QMargins margins = content->layout()->contentsMargins();
            auto *strip = new QHBoxLayout;
            strip->setContentsMargins(margins.left(), 0, margins.right(), margins.bottom());
            strip->addWidget(bar);
            column->addLayout(strip);
            main->setCentralWidget(holder);
        } else {
            main->setCentralWidget(area);
        }
    } else {
        QWidget *content = TakeChildren(window);
        content->setMinimumSize(design);
        area->setWidget(content);
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(area);
    }

    // A scroll bar along one edge takes room from the other.
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize wanted = design;
    if (design.height() > room.height()) wanted.rwidth() += bar;
    if (design.width() > room.width()) wanted.rheight() += bar;
    // A fixed window may now grow back to its design size, no further.
    if (fixed) window->setMaximumSize(wanted);
    const QSize size = wanted.boundedTo(room);
    window->setMinimumSize(window->minimumSize().boundedTo(size));
    window->resize(size);
    PlaceInside(window, size);
}

}  // namespace tunnel
