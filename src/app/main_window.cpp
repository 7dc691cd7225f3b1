#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "app/project_info_window.h"
#include "app/window_warmup.h"
#include "core/dialogs.h"
#include "core/module_entry.h"
#include "core/shell_rules.h"
#include "core/window_table.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/fitted_window.h"
#include "widgets/glyph_warmup.h"
#include "widgets/module_window.h"
#include "widgets/picture_view.h"

namespace tunnel {

namespace {

constexpr int kColumnLeft = 20;
constexpr int kColumnBottomMargin = 24;
// The design's clock line: 667, 473, 256 × 24 in a 1001 × 542 window with a
// 24 px menu bar, i.e. 78 px from the right and 21 px from the bottom.
constexpr QSize kClockDesign(256, 24);
constexpr int kClockRight = 78;
constexpr int kClockBottom = 21;
const char kLongestClockLine[] = "当前时间2088年12月28日23时58分58秒";

constexpr int kColumnTop = 44;
constexpr int kColumnSpacing = 4;
constexpr int kColumnGap = 8;

// The navigation column from top to bottom.
std::vector<const ShellWindow *> NavigationColumn() {
    std::vector<const ShellWindow *> column;
    for (const ShellWindow &window : ShellWindows())
        if (window.button.id) column.push_back(&window);
    std::stable_sort(column.begin(), column.end(), [](const auto *a, const auto *b) {
        return a->button.position < b->button.position;
    });
    return column;
}

QSize ScreenSize(const QWidget *widget) {
    const QScreen *screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen->geometry().size();
}

// What the calculation windows of the build print: titles, group titles,
// labels, units, hints, presets, notices and button captions.
QStringList WindowTexts() {
    QStringList texts;
    for (const ModuleEntry *entry : BuiltModules()) {
        const WindowTable &table = entry->table();
        texts << QString::fromUtf8(table.title);
        for (const GroupRow &group : table.groups) texts << QString::fromUtf8(group.title);
        texts << QString::fromUtf8(table.noticePreset) << QString::fromUtf8(table.changeNotice);
        for (const char *line : table.creationLog) texts << QString::fromUtf8(line);
        for (const FieldRow &field : table.fields)
            texts << QString::fromUtf8(field.label) << QString::fromUtf8(field.unit)
                  << QString::fromUtf8(field.hint) << QString::fromUtf8(field.preset);
        for (const ButtonRow &button : table.buttons) texts << QString::fromUtf8(button.caption);
    }
    return texts;
}

}  // namespace

PictureButton::PictureButton(QPixmap normal, QPixmap hover, QWidget *parent)
    : QAbstractButton(parent), m_normal(std::move(normal)), m_hover(std::move(hover)) {
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(m_normal.size());
}

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!isEnabled()) painter.setOpacity(0.45);  // a window this build does not have
    painter.drawPixmap(0, 0, isEnabled() && (underMouse() || isDown()) ? m_hover : m_normal);
}

void PictureButton::enterEvent(QEnterEvent *event) {
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event) {
    update();
    QAbstractButton::leaveEvent(event);
}

MainWindow::MainWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_dataFolder(std::move(dataFolder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("隧道钻爆法施工计算工具"));
    QDir().mkpath(m_dataFolder + QStringLiteral("/Data"));
    setFixedSize(MainWindowSize(ScreenSize(this)));
    m_background = Picture(QStringLiteral("main_background"), QSize(1001, 542), QString());
    setCentralWidget(new QWidget(this));
    BuildMenu();
    BuildButtons();

    m_clock = new QLabel(centralWidget());
    m_clock->setObjectName(QStringLiteral("透明标签1"));
    m_clock->setAttribute(Qt::WA_TranslucentBackground);
    m_clock->setStyleSheet(QStringLiteral("color: white;"));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("时钟1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::TickClock);
    m_timer->start();
    LayOut();
    // Once the window stands, while the user looks for a button: the first
    // window opened then finds what a first open pays for ready, the glyphs
    // of texts its pages show only later included.
    QTimer::singleShot(250, this, [] {
        WarmWindows();
        // Charts show only after a calculation, so no window paints them yet.
        WarmGlyphs(WindowTexts(), BarChartWidget::Fonts());
    });
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    file->addAction(QStringLiteral("工程信息"), this, &MainWindow::OpenProjectInfo);
    std::vector<const ShellWindow *> entries;
    for (const ShellWindow &window : ShellWindows()) entries.push_back(&window);
    std::stable_sort(entries.begin(), entries.end(), [](const auto *a, const auto *b) {
        return a->menu.position < b->menu.position;
    });
    QHash<QString, QMenu *> menus;
    for (const ShellWindow *window : entries) {
        const QString title = QString::fromUtf8(window->menu.menu);
        QMenu *menu = menus.value(title);
        if (!menu) {
            menu = menuBar()->addMenu(title);
            menus.insert(title, menu);
        }
        QAction *action = menu->addAction(QString::fromUtf8(window->menu.item));
        const std::string_view id = window->id;
        connect(action, &QAction::triggered, this, [this, id] { Open(id); });
    }
    // Asks as the close button does.
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("菜单_退出"));
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
}

void MainWindow::BuildButtons() {
    m_column = new QWidget(centralWidget());
    m_column->setObjectName(QStringLiteral("导航栏"));
    for (const ShellWindow *window : NavigationColumn()) {
        const NavigationButton &nav = window->button;
        const QString caption = QString::fromUtf8(nav.caption);
        const QString id = QString::fromUtf8(nav.id);
        const QSize size(151, nav.height);
        auto *button =
            new PictureButton(Picture(id, size, caption),
                              Picture(id + QStringLiteral("_hover"), size, caption), m_column);
        button->setObjectName(id);
        button->setToolTip(caption);
        const std::string_view windowId = window->id;
        connect(button, &QAbstractButton::clicked, this, [this, windowId] { Open(windowId); });
        m_buttons.push_back(button);
    }
}

void MainWindow::LayOutColumn(int height) {
    int total = 0;
    for (const PictureButton *button : m_buttons) total += button->height() + kColumnSpacing;
    total -= kColumnSpacing;
    const int top = qMax(4, qMin(kColumnTop, height - kColumnBottomMargin - total));
    // A button that would pass the window's bottom starts another column
    // beside: more modules than the design's, or a window on a low screen.
    int x = 0;
    int y = 0;
    QSize size;
    for (PictureButton *button : m_buttons) {
        if (y > 0 && top + y + button->height() > height) {
            x = size.width() + kColumnGap;
            y = 0;
        }
        button->move(x, y);
        size = size.expandedTo(QSize(x + button->width(), y + button->height()));
        y += button->height() + kColumnSpacing;
    }
    m_column->setGeometry(kColumnLeft, top, size.width(), size.height());
}

void MainWindow::LayOut() {
    // The design places the column at the top left and the clock line at the
    // bottom right of a 1001 × 542 window; half of a laptop screen is
    // smaller, so the column moves up if the window is very low and the clock
    // line keeps its distance from the bottom right corner.
    if (!m_clock) return;
    const int height = centralWidget()->height() > 0
                           ? centralWidget()->height()
                           : this->height() - menuBar()->sizeHint().height();
    LayOutColumn(height);
    const int clockWidth =
        qMax(kClockDesign.width(),
             m_clock->fontMetrics().horizontalAdvance(QString::fromUtf8(kLongestClockLine)) + 4);
    m_clock->setGeometry(width() - kClockRight - clockWidth,
                         height - kClockBottom - kClockDesign.height(), clockWidth,
                         kClockDesign.height());
    update();
}

QRect MainWindow::ColumnPanel() const {
    if (!m_column || NavigationColumn().empty()) return {};
    return QRect(m_column->mapTo(this, QPoint()), m_column->size()).adjusted(-10, -12, 10, 16);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    LayOut();
}

void MainWindow::OpenProjectInfo() {
    OpenModalWindow(new ProjectInfoWindow(m_dialogs, m_dataFolder, this));
}

void MainWindow::OpenCalculationWindow(QWidget *window) {
    if (!window) return;
    connect(window, &QObject::destroyed, this, [this] { RestoreMainWindow(); });
    ShowIndependentWindow(window);
    showMinimized();
}

void MainWindow::OpenModalWindow(QWidget *window) {
    ShowModalWindow(window);
}

void MainWindow::RestoreMainWindow() {
    if (isMinimized() || isMaximized()) showNormal();
    move(CentredPosition(ScreenSize(this), size()));
}

void MainWindow::EndProgram() {
    if (m_endProgram)
        m_endProgram();
    else
        QCoreApplication::exit(0);
}

void MainWindow::SetEndProgramHandler(std::function<void()> handler) {
    m_endProgram = std::move(handler);
}

void MainWindow::Open(std::string_view id) {
    const ShellWindow *entry = FindShellWindow(id);
    if (!entry) return;
    QWidget *window = CreateShellWindow(id, WindowContext{m_dialogs, m_dataFolder, this});
    if (!window) return;
    if (entry->modal)
        OpenModalWindow(window);
    else
        OpenCalculationWindow(window);
    // The help file is handed to the platform without waiting; the outcome
    // does not matter.
    if (id == kHelpWindow) m_dialogs.StartDetached(m_dataFolder + QStringLiteral("/帮助.chm"));
}

void MainWindow::TickClock() {
    m_clock->setText(QStringLiteral("当前时间") + ClockText(QDateTime::currentDateTime()));
}

void MainWindow::closeEvent(QCloseEvent *event) {
    const int answer = m_dialogs.Message(QStringLiteral("感谢使用本软件，您确定要退出程序吗？"),
                                         QStringLiteral("信息："), Buttons::OkCancel);
    if (answer != kAnswerOk) {
        event->ignore();
        return;
    }
    event->accept();
    EndProgram();
}

void MainWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawPixmap(rect(), m_background);
    // Drawn here, not in the picture, so it stays around the column at any
    // window size.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(QRectF(ColumnPanel()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

}  // namespace tunnel
