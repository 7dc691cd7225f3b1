#include "modules/smoothblast/widgets/smoothblast_window.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "core/dialogs.h"
#include "modules/smoothblast/widgets/drill_pattern_widget.h"
#include "modules/smoothblast/widgets/drill_pattern_window.h"
#include "modules/smoothblast/widgets/evaluation_window.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/fitted_window.h"
#include "widgets/reference_window.h"

namespace tunnel {

namespace {

constexpr int kMargin = 6;
constexpr int kFieldWidth = 66;
constexpr int kResultGroup = 6;

// The hint label CalcWindow made for a field: a direct child of the field's
// group that carries the hint text and is no field label.
QLabel *TakeHint(QWidget *group, const FieldRow &field, QSet<QLabel *> &taken,
                 const QSet<QLabel *> &fieldLabels) {
    if (!*field.hint) return nullptr;
    for (QLabel *label : group->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
        if (label->text() == U(field.hint) && !taken.contains(label) &&
            !fieldLabels.contains(label)) {
            taken.insert(label);
            return label;
        }
    }
    return nullptr;
}

QLabel *NoteLabel(const char *text, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: #505050;"));
    return label;
}

}  // namespace

SmoothBlastWindow::SmoothBlastWindow(Dialogs &dialogs, QString programFolder, WindowOps &ops,
                                     QWidget *parent)
    : CalcWindow(SmoothBlastTable(), dialogs, std::move(programFolder), Layout::None, parent),
      m_ops(ops) {
    m_slide = new QTimer(this);
    m_slide->setObjectName(QStringLiteral("时钟2"));
    m_slide->setInterval(1);
    connect(m_slide, &QTimer::timeout, this, [this] { SlideStep(*this); });

    BuildInputHalf();
    BuildResultHalf();

    QPushButton *calculate = Button(kBlastCalculateButton);
    calculate->setEnabled(true);
    connect(calculate, &QPushButton::clicked, this, [this] { CalculateBlast(*this, *this); });
    QPushButton *evaluation = Button(kBlastEvaluationButton);
    evaluation->setEnabled(true);
    connect(evaluation, &QPushButton::clicked, this, &SmoothBlastWindow::OpenEvaluation);

    // Both halves share one height; the window shows the input half only.
    // Wrapped hints make the input half's height depend on its width.
    const int inputWidth = kBlastInputWidth - 2 * kMargin;
    const int inputHeight = m_inputHalf->hasHeightForWidth()
                                ? m_inputHalf->heightForWidth(inputWidth)
                                : m_inputHalf->sizeHint().height();
    const int height = qMax(inputHeight, m_resultHalf->minimumSizeHint().height());
    m_inputHalf->setGeometry(kMargin, kMargin, inputWidth, height);
    m_resultHalf->setGeometry(kBlastInputWidth, kMargin,
                              kBlastOpenWidth - kBlastInputWidth - kMargin, height);
    m_resultHalf->hide();
    // The halves stay where the design puts them; on a screen lower or
    // narrower than the window they scroll.
    m_content = takeCentralWidget();
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_content);
    setCentralWidget(m_scroll);
    m_contentHeight = height + 2 * kMargin;
    m_height = menuBar()->sizeHint().height() + m_contentHeight;
    SetWindowWidth(kBlastInputWidth);
    // Reference tables and sketches beside the fields.
    ConnectReference(this, QStringLiteral("单选框1"), Reference::WedgeCut);
    ConnectReference(this, QStringLiteral("单选框2"), Reference::ParallelCut);
    ConnectReference(this, kBlastLayoutButton, Reference::HoleLayout);
}

void SmoothBlastWindow::BuildInputHalf() {
    const WindowTable &table = SmoothBlastTable();
    m_inputHalf = new QGroupBox(QStringLiteral("隧道基本参数录入"), centralWidget());
    auto *half = new QVBoxLayout(m_inputHalf);
    half->setContentsMargins(4, 4, 4, 4);
    half->setSpacing(4);

    QSet<QLabel *> fieldLabels;
    for (const FieldRow &field : table.fields) fieldLabels.insert(FieldLabel(field.id));
    // One label column width for all groups keeps the fields in one line.
    int labelWidth = 0;
    for (const FieldRow &field : table.fields)
        if (field.group < kResultGroup)
            labelWidth = qMax(labelWidth, FieldLabel(field.id)->sizeHint().width());
    QSet<QLabel *> taken;
    // The hints are smaller than the labels so the rock table keeps its
    // three lines beside the field.
    QFont hintFont = font();
    hintFont.setPointSizeF(hintFont.pointSizeF() - 1);
    for (int g = 0; g < kResultGroup; ++g) {
        QGroupBox *group = Group(g);
        auto *grid = static_cast<QGridLayout *>(group->layout());
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        int row = 0;
        for (const FieldRow &field : table.fields) {
            if (field.group != g) continue;
            grid->addWidget(FieldLabel(field.id), row, 0);
            QWidget *unit = Unit(field.id);
            unit->setFixedWidth(kFieldWidth);
            grid->addWidget(unit, row, 1, Qt::AlignTop);
            if (QLabel *hint = TakeHint(group, field, taken, fieldLabels)) {
                // The rock table is three lines; a label shows plain breaks.
                hint->setText(hint->text().replace(QLatin1String("\r\n"), QLatin1String("\n")));
                hint->setWordWrap(true);
                hint->setFont(hintFont);
                grid->addWidget(hint, row, 2);
            }
            ++row;
        }
        grid->setColumnStretch(2, 1);
        grid->setColumnMinimumWidth(0, labelWidth);
        if (g == 1) {
            // The cut type only opens reference pictures (not yet available).
            auto *cutType = new QHBoxLayout;
            cutType->addWidget(new QLabel(QStringLiteral("选择掏槽形式"), group));
            for (const auto &[id, caption] : {std::pair{"单选框1", "斜眼楔形垂直/水平掏槽"},
                                              std::pair{"单选框2", "直眼中空柱状/螺旋掏槽"}}) {
                auto *radio = new QRadioButton(caption, group);
                radio->setObjectName(id);
                radio->setEnabled(false);
                cutType->addWidget(radio);
            }
            cutType->addStretch();
            grid->addLayout(cutType, row, 0, 1, 3);
        }
        half->addWidget(group);
    }

    auto *commands = new QHBoxLayout;
    QPushButton *calculate = Button(kBlastCalculateButton);
    calculate->setMinimumSize(120, 30);
    QFont bold = calculate->font();
    bold.setBold(true);
    calculate->setFont(bold);
    commands->addWidget(calculate);
    commands->addWidget(Unit(kBlastChangeNotice), 1);
    half->addLayout(commands);

    auto *files = new QHBoxLayout;
    for (const char *id : {kBlastOpenButton, kBlastSaveButton, kBlastExportButton})
        files->addWidget(Button(id));
    files->addStretch();
    half->addLayout(files);

    auto *notice = new QHBoxLayout;
    notice->addWidget(NoticeLabel(), 1);
    ProgressBar()->setFixedWidth(180);
    notice->addWidget(ProgressBar());
    half->addLayout(notice);
    half->addStretch();
}

void SmoothBlastWindow::BuildResultHalf() {
    const WindowTable &table = SmoothBlastTable();
    m_resultHalf = Group(kResultGroup);
    auto *grid = static_cast<QGridLayout *>(m_resultHalf->layout());
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (const FieldRow &field : table.fields)
        if (field.group == kResultGroup) Unit(field.id)->setFixedWidth(kFieldWidth);

    // One line per hole type: charge per hole, count, charge of the type.
    auto put = [&](int row, int column, const char *id) {
        grid->addWidget(FieldLabel(id), row, column * 2);
        grid->addWidget(Unit(id), row, column * 2 + 1);
    };
    put(0, 0, "编辑框6_掏槽眼单孔装药量");
    put(0, 1, "编辑框6_掏槽眼数量");
    put(0, 2, "编辑框6_掏槽眼总装药量");
    put(1, 0, "编辑框7_辅助眼单孔装药量");
    put(1, 1, "编辑框7_辅助眼数量");
    put(1, 2, "编辑框7_辅助眼总装药量");
    put(2, 0, "编辑框8_周边眼集密系数");
    grid->addWidget(
        NoteLabel(
            "取 E/V=2时,开挖面凹凸状严重,围岩严重损伤;E≈0.8时,开挖面平滑,与设计轮廓线基本一致。",
            m_resultHalf),
        2, 2, 1, 4);
    put(3, 0, "编辑框8_周边眼单孔装药量");
    put(3, 1, "编辑框8_周边眼数量");
    put(3, 2, "编辑框8_周边眼装药量");
    grid->addWidget(NoteLabel("本软件中单个药卷的长度计算为20cm", m_resultHalf), 4, 0, 1, 4);
    put(5, 0, "编辑框9_底板眼单孔装药量");
    put(5, 1, "编辑框9_底板眼数量");
    put(5, 2, "编辑框9_底板眼装药量");
    put(6, 0, "编辑框10_断面钻眼总数量");
    put(6, 1, "编辑框10_总装药量");
    for (int column : {0, 2, 4}) grid->setColumnStretch(column, 1);

    m_chart = new BarChartWidget(BarChart::SmoothBlastingCountsDesign(), m_resultHalf);
    m_chart->setObjectName(QStringLiteral("柱状图控件1"));
    m_chargeChart = new BarChartWidget(BarChart::SmoothBlastingChargesDesign(), m_resultHalf);
    m_chargeChart->setObjectName(QStringLiteral("柱状图控件2"));
    auto *charts = new QHBoxLayout;
    for (BarChartWidget *chart : {m_chart, m_chargeChart}) {
        chart->setMinimumSize(300, 330);
        charts->addWidget(chart, 1);
    }
    grid->addLayout(charts, 7, 0, 1, 6);
    grid->setRowStretch(7, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    // The layout picture gets its window elsewhere.
    buttons->addWidget(Button(kBlastLayoutButton));
    auto *pattern = new QPushButton(QStringLiteral("钻爆设计图"), m_resultHalf);
    pattern->setObjectName(QStringLiteral("按钮3_钻爆设计图"));
    connect(pattern, &QPushButton::clicked, this, &SmoothBlastWindow::OpenDrillPattern);
    buttons->addWidget(pattern);
    buttons->addWidget(Button(kBlastEvaluationButton));
    grid->addLayout(buttons, 8, 0, 1, 6);
}

void SmoothBlastWindow::SetWindowWidth(int width) {
    m_width = width;
    m_content->setFixedSize(width, m_contentHeight);
    // A scroll bar along one edge takes room from the other.
    const QSize room = ClientRoom(this);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool vertical = m_height > room.height();
    const bool horizontal = width + (vertical ? bar : 0) > room.width();
    vertical = vertical || (horizontal && m_height + bar > room.height());
    setFixedSize(qMin(width + (vertical ? bar : 0), room.width()),
                 qMin(m_height + (horizontal ? bar : 0), room.height()));
    KeepInside(this);
}

void SmoothBlastWindow::showEvent(QShowEvent *event) {
    // The screen is known for sure only now.
    SetWindowWidth(m_width);
    CalcWindow::showEvent(event);
}

void SmoothBlastWindow::StartSlide() {
    m_slide->start(1);
    QCoreApplication::processEvents();
}

void SmoothBlastWindow::StopSlide() {
    m_slide->stop();
}

void SmoothBlastWindow::ShowResultHalf() {
    m_resultHalf->show();
}

BarChart &SmoothBlastWindow::Chart() {
    return m_chart->Chart();
}

QByteArray SmoothBlastWindow::Picture(QAnyStringView id) {
    if (id != QStringLiteral("钻爆设计图")) return {};
    const DrillDesign design = ReadDrillDesign(*this);
    const DrillPattern pattern = PlaceHoles(design);
    if (!pattern.error.isEmpty()) return {};
    return DrillPatternPng(pattern, design, QSize(1200, 750));
}

// Drawn from the results on screen; inputs that give no pattern say why.
void SmoothBlastWindow::OpenDrillPattern() {
    const DrillDesign design = ReadDrillDesign(*this);
    DrillPattern pattern = PlaceHoles(design);
    if (!pattern.error.isEmpty()) {
        DialogService().Message(pattern.error);
        return;
    }
    auto *window =
        new DrillPatternWindow(DialogService(), ProgramFolder(), m_ops, std::move(pattern), design);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

BarChart &SmoothBlastWindow::ChargeChart() {
    return m_chargeChart->Chart();
}

void SmoothBlastWindow::OpenEvaluation() {
    m_ops.OpenModalWindow(new EvaluationWindow(DialogService(), ProgramFolder()));
}

}  // namespace tunnel
