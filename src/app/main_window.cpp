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
#include "app/window_ops.h"
#include "core/dialogs.h"
#include "core/shell_rules.h"
#include "widgets/fitted_window.h"
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

// The navigation column from top to bottom.
std::vector<const CatalogueEntry *> NavigationColumn() {
    std::vector<const CatalogueEntry *> column;
    for (const CatalogueEntry &entry : WindowCatalogue())
        if (entry.button.id) column.push_back(&entry);
    std::stable_sort(column.begin(), column.end(),
                     [](const auto *a, const auto *b) { return a->button.top < b->button.top; });
    return column;
}

QSize ScreenSize(const QWidget *widget) {
    const QScreen *screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen->geometry().size();
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

MainWindow::MainWindow(Dialogs &dialogs, QString programFolder, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_programFolder(std::move(programFolder)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("隧道钻爆法施工计算工具"));
    QDir().mkpath(m_programFolder + QStringLiteral("/Data"));
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
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("文件"));
    file->addAction(QStringLiteral("工程信息"), this, &MainWindow::OpenProjectInfo);
    QHash<QString, QMenu *> menus;
    for (const CatalogueEntry &entry : WindowCatalogue()) {
        const QString title = QString::fromUtf8(entry.menu.menu);
        QMenu *menu = menus.value(title);
        if (!menu) {
            menu = menuBar()->addMenu(title);
            menus.insert(title, menu);
        }
        QAction *action = menu->addAction(QString::fromUtf8(entry.menu.item));
        action->setEnabled(entry.create != nullptr);
        const WindowKind kind = entry.kind;
        connect(action, &QAction::triggered, this, [this, kind] { Open(kind); });
    }
}

void MainWindow::BuildButtons() {
    for (const CatalogueEntry *entry : NavigationColumn()) {
        const NavigationButton &nav = entry->button;
        const QString caption = QString::fromUtf8(nav.caption);
        const QString id = QString::fromUtf8(nav.id);
        const QSize size(151, nav.height);
        auto *button = new PictureButton(Picture(id, size, caption),
                                         Picture(id + QStringLiteral("_hover"), size, caption),
                                         centralWidget());
        button->setObjectName(id);
        button->setToolTip(caption);
        button->setEnabled(entry->create != nullptr);
        const WindowKind kind = entry->kind;
        connect(button, &QAbstractButton::clicked, this, [this, kind] { Open(kind); });
    }
}

void MainWindow::LayOut() {
    // The design places the column and the clock line in a 1001 × 542 window;
    // half of a laptop screen is smaller, so the column keeps its place at
    // the top left (moving up if the window is very low) and the clock line
    // keeps its distance from the bottom right corner.
    if (!m_clock) return;
    const int height = centralWidget()->height() > 0
                           ? centralWidget()->height()
                           : this->height() - menuBar()->sizeHint().height();
    const std::vector<const CatalogueEntry *> column = NavigationColumn();
    const NavigationButton &last = column.back()->button;
    const int shift = qMax(0, last.top + last.height + kColumnBottomMargin - height);
    for (const CatalogueEntry *entry : column)
        if (const NavigationButton &nav = entry->button;
            auto *button = centralWidget()->findChild<QAbstractButton *>(QString::fromUtf8(nav.id)))
            button->move(kColumnLeft, qMax(4, nav.top - shift));
    const int clockWidth =
        qMax(kClockDesign.width(),
             m_clock->fontMetrics().horizontalAdvance(QString::fromUtf8(kLongestClockLine)) + 4);
    m_clock->setGeometry(width() - kClockRight - clockWidth,
                         height - kClockBottom - kClockDesign.height(), clockWidth,
                         kClockDesign.height());
    update();
}

QRect MainWindow::ColumnPanel() const {
    QRect column;
    for (const CatalogueEntry *entry : NavigationColumn())
        if (auto *button =
                centralWidget()->findChild<QAbstractButton *>(QString::fromUtf8(entry->button.id)))
            column |= QRect(button->mapTo(this, QPoint()), button->size());
    return column.adjusted(-10, -12, 10, 16);
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    LayOut();
}

void MainWindow::OpenProjectInfo() {
    OpenModalWindow(new ProjectInfoWindow(m_dialogs, m_programFolder, this));
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

QWidget *MainWindow::CreateWindow(WindowKind kind, Dialogs &dialogs, const QString &programFolder) {
    return tunnel::CreateWindow(kind, WindowContext{dialogs, programFolder, this});
}

bool MainWindow::IsAvailable(WindowKind kind) const {
    return tunnel::IsAvailable(kind);
}

void MainWindow::Open(WindowKind kind) {
    QWidget *window = CreateWindow(kind, m_dialogs, m_programFolder);
    if (!window) return;
    if (IsModal(kind))
        OpenModalWindow(window);
    else
        OpenCalculationWindow(window);
    // The help file is handed to the platform without waiting; the outcome
    // does not matter.
    if (kind == WindowKind::Help)
        m_dialogs.StartDetached(m_programFolder + QStringLiteral("/帮助.chm"));
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
