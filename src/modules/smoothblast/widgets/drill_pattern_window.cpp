#include "modules/smoothblast/widgets/drill_pattern_window.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/form.h"
#include "core/project_info.h"
#include "core/window_table.h"
#include "modules/smoothblast/widgets/drill_pattern_widget.h"
#include "widgets/fitted_window.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

constexpr QSize kPictureSize(1600, 1000);
// The vibration check hands the largest delay charge to the vibration
// module's window, named by its id and the unit name of its charge field.
constexpr char kVibrationModule[] = "vibration";
constexpr char kVibrationChargeField[] = "编辑框5_炸药总量";

}  // namespace

DrillPatternWindow::DrillPatternWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                                       DrillPattern pattern, DrillDesign design, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_dialogs(dialogs),
      m_dataFolder(std::move(dataFolder)),
      m_ops(ops),
      m_pattern(std::move(pattern)),
      m_design(design) {
    setWindowTitle(QStringLiteral("钻爆设计图"));
    setObjectName(kPatternWindowId);
    resize(1280, 760);

    m_drawing = new DrillPatternWidget(m_pattern, m_design, this);
    m_drawing->setObjectName(kPatternDrawingId);

    m_table = new QTableWidget(int(m_pattern.delays.size()), 5, this);
    m_table->setObjectName(kPatternDelaysId);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("段别"), QStringLiteral("炮眼类型"), QStringLiteral("炮眼数（个）"),
         QStringLiteral("单孔装药量（kg）"), QStringLiteral("段装药量（kg）")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < int(m_pattern.delays.size()); ++i) {
        const DelayRow &r = m_pattern.delays[std::size_t(i)];
        const QString cells[] = {ToText(r.delay), HoleTypeName(r.type), ToText(r.count),
                                 ChargeText(r.chargePerHole), ChargeText(r.charge)};
        for (int c = 0; c < 5; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignCenter);
            m_table->setItem(i, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->setMinimumWidth(m_table->horizontalHeader()->length() + 24);

    auto *maximum = new TextLabel(
        QStringLiteral("最大段装药量：%1kg").arg(ChargeText(m_pattern.maxDelayCharge)), this);
    maximum->setObjectName(kPatternMaxChargeId);
    QFont bold = maximum->font();
    bold.setBold(true);
    maximum->setFont(bold);

    // The legend stands beside the drawing, never over the holes.
    QStringList legend;
    const QStringList lines = PatternLegend(m_pattern, m_design);
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].toHtmlEscaped();
        legend << (i < 4 ? QStringLiteral("<span style=\"color:%1\">●</span> %2")
                               .arg(HoleColour(HoleType(i)).name(), text)
                         : text);
    }
    auto *legendLabel = new TextLabel(legend.join(QStringLiteral("<br>")), this);
    legendLabel->setObjectName(kPatternLegendId);
    legendLabel->setTextFormat(Qt::RichText);
    legendLabel->setWordWrap(true);
    auto *notice = new TextLabel(m_pattern.error, this);
    notice->setObjectName(kPatternNoticeId);
    notice->setWordWrap(true);
    SetTextColour(notice, QColor(200, 0, 0));
    notice->setVisible(!m_pattern.error.isEmpty());

    auto *side = new QVBoxLayout;
    side->addWidget(legendLabel);
    side->addWidget(notice);
    side->addWidget(new TextLabel(QStringLiteral("段别表"), this));
    side->addWidget(m_table, 1);
    side->addWidget(maximum);

    auto *body = new QHBoxLayout;
    body->addWidget(m_drawing, 1);
    body->addLayout(side);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(
        new TextLabel(QStringLiteral("滚轮缩放，拖动平移，鼠标停在炮眼上显示详情"), this));
    buttons->addStretch();
    auto *fit = new QPushButton(QStringLiteral("适合窗口"), this);
    fit->setObjectName(kPatternFitButtonId);
    connect(fit, &QPushButton::clicked, m_drawing, &DrillPatternWidget::ResetView);
    buttons->addWidget(fit);
    const struct {
        const char *id;
        const char *caption;
        void (DrillPatternWindow::*action)();
    } commands[] = {
        {kPatternDxfButtonId, "导出DXF", &DrillPatternWindow::ExportDxf},
        {kPatternPngButtonId, "导出图片", &DrillPatternWindow::ExportPicture},
        {kPatternVibrationButtonId, "振动校核", &DrillPatternWindow::OpenVibrationCheck},
    };
    for (const auto &c : commands) {
        auto *button = new QPushButton(c.caption, this);
        button->setObjectName(c.id);
        connect(button, &QPushButton::clicked, this, c.action);
        buttons->addWidget(button);
    }
    findChild<QPushButton *>(kPatternVibrationButtonId)
        ->setEnabled(m_ops.HasModule(kVibrationModule));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(kPatternCloseButtonId);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void DrillPatternWindow::setVisible(bool visible) {
    // Whoever opens the window, it fits the screen it opens on.
    if (visible && !isVisible()) FitToScreen(this);
    QWidget::setVisible(visible);
}

void DrillPatternWindow::ExportDxf() {
    SaveDrawingFile(m_dialogs, m_dataFolder, QStringLiteral("钻爆设计图.dxf"),
                    QStringLiteral("DXF图形（*.dxf）|*.dxf"), DrillPatternDxf(m_pattern, m_design));
}

void DrillPatternWindow::ExportPicture() {
    const ProjectInfo info = ReadProjectInfo(m_dataFolder, QDate::currentDate());
    const TitleBlock title{info.name, info.section, ReportDateText(info.date)};
    SaveDrawingFile(m_dialogs, m_dataFolder, QStringLiteral("钻爆设计图.png"),
                    QStringLiteral("PNG图片（*.png）|*.png"),
                    DrillPatternPng(m_pattern, m_design, kPictureSize, &title));
}

void DrillPatternWindow::OpenVibrationCheck() {
    QWidget *window = m_ops.CreateModuleWindow(
        kVibrationModule, m_dialogs, m_dataFolder,
        {{U(kVibrationChargeField), ChargeText(m_pattern.maxDelayCharge)}});
    if (!window) return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tunnel
