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
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "core/dialogs.h"
#include "modules/smoothblast/widgets/drill_pattern_widget.h"
#include "modules/smoothblast/widgets/drill_pattern_window.h"
#include "modules/smoothblast/widgets/evaluation_window.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/fitted_window.h"
#include "widgets/group_box.h"
#include "widgets/module_window.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

constexpr int kMargin = 6;
constexpr int kFieldWidth = 66;
constexpr int kResultGroup = 6;

QLabel *NoteLabel(const char *text, QWidget *parent) {
    auto *label = new TextLabel(text, parent);
    label->setWordWrap(true);
    StyleAsNote(label);
    return label;
}

}  // namespace

SmoothBlastWindow::SmoothBlastWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                                     QWidget *parent)
    : CalcWindow(SmoothBlastTable(), dialogs, std::move(dataFolder), Layout::None, parent),
      m_ops(ops) {
    m_slide = new QTimer(this);
    m_slide->setObjectName(kSlideTimerId);
    m_slide->setInterval(1);
    connect(m_slide, &QTimer::timeout, this, [this] { SlideStep(*this); });

    // The result half's own units take the rows its table leaves free, so
    // the table's buttons come under them.
    BuildResultHalf();
    PlaceFields();
    BuildInputHalf();
    FinishResultHalf();

    QPushButton *calculate = Button(kBlastCalculateButton);
    calculate->setEnabled(true);
    connect(calculate, &QPushButton::clicked, this, [this] {
        CalculateBlast(*this, *this);
        // The results stand at the top of their half.
        m_scroll->verticalScrollBar()->setValue(0);
    });
    QPushButton *evaluation = Button(kBlastEvaluationButton);
    evaluation->setEnabled(true);
    connect(evaluation, &QPushButton::clicked, this, &SmoothBlastWindow::OpenEvaluation);
    QPushButton *pattern = Button(kPatternButtonId);
    pattern->setEnabled(true);
    connect(pattern, &QPushButton::clicked, this, &SmoothBlastWindow::OpenDrillPattern);

    // Both halves share one height; the window shows the input half only.
    // Wrapped hints make the input half's height depend on its width.
    const int inputWidth = kBlastInputWidth - 2 * kMargin;
    const int inputHeight = m_inputHalf->hasHeightForWidth()
                                ? m_inputHalf->heightForWidth(inputWidth)
                                : m_inputHalf->sizeHint().height();
    const int height = qMax(inputHeight, m_resultHalf->minimumSizeHint().height());
    // Both halves stand in a strip of the open width, which the content as
    // wide as the window cuts: they keep their places while the window slides.
    auto *strip = new QWidget(centralWidget());
    auto *halves = new QHBoxLayout(strip);
    halves->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    halves->setSpacing(kMargin);
    m_inputHalf->setFixedWidth(inputWidth);
    m_resultHalf->setFixedWidth(kBlastOpenWidth - kBlastInputWidth - kMargin);
    halves->addWidget(m_inputHalf);
    halves->addWidget(m_resultHalf);
    halves->addStretch();
    strip->setFixedSize(kBlastOpenWidth, height + 2 * kMargin);
    m_resultHalf->hide();
    // On a screen lower or narrower than the window the content scrolls.
    QWidget *bar = BuildCommandBar();
    m_content = takeCentralWidget();
    m_scroll = new QScrollArea;
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_content);
    auto *frame = new QWidget;
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_scroll, 1);
    column->addWidget(bar);
    setCentralWidget(frame);
    m_contentHeight = height + 2 * kMargin;
    m_height = menuBar()->sizeHint().height() + m_contentHeight + bar->sizeHint().height();
    SetWindowWidth(kBlastInputWidth);
}

void SmoothBlastWindow::BuildInputHalf() {
    const WindowTable &table = SmoothBlastTable();
    m_inputHalf = new GroupBox(QStringLiteral("隧道基本参数录入"), centralWidget());
    auto *half = new QVBoxLayout(m_inputHalf);
    half->setContentsMargins(4, 4, 4, 4);
    half->setSpacing(4);

    // One label column width for all groups keeps the fields in one line.
    int labelWidth = 0;
    for (const FieldRow &field : table.fields)
        if (field.group < kResultGroup)
            labelWidth = qMax(labelWidth, FieldLabel(field.id)->sizeHint().width());
    // The hints are smaller than the labels so the rock table keeps its
    // three lines beside the field.
    QFont hintFont = font();
    hintFont.setPointSizeF(hintFont.pointSizeF() - 1);
    for (const FieldRow &field : table.fields) {
        if (field.group >= kResultGroup) continue;
        Unit(field.id)->setFixedWidth(kFieldWidth);
        if (QLabel *hint = HintLabel(field.id)) {
            hint->setWordWrap(true);
            hint->setFont(hintFont);
        }
    }
    for (int g = 0; g < kResultGroup; ++g) {
        QGroupBox *group = Group(g);
        auto *grid = static_cast<QGridLayout *>(group->layout());
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(4);
        // The fixed fields leave the spare width to the hints (label | field | hint).
        grid->setColumnStretch(1, 0);
        grid->setColumnStretch(2, 1);
        grid->setColumnMinimumWidth(0, labelWidth);
        if (g == 1) {
            // The cut type only opens the cut sketches.
            auto *cutType = new QHBoxLayout;
            cutType->addWidget(new TextLabel(QStringLiteral("选择掏槽形式"), group));
            for (const auto &[id, caption] :
                 {std::pair{kWedgeCutOptionId, "斜眼楔形垂直/水平掏槽"},
                  std::pair{kParallelCutOptionId, "直眼中空柱状/螺旋掏槽"}}) {
                auto *radio = new QRadioButton(caption, group);
                radio->setObjectName(id);
                radio->setEnabled(false);
                cutType->addWidget(radio);
            }
            cutType->addStretch();
            grid->addLayout(cutType, grid->rowCount(), 0, 1, grid->columnCount());
        }
        half->addWidget(group);
    }

    half->addStretch();
}

// The main commands, the notices and the progress bar under the scroll area,
// in view however far the halves scroll.
QWidget *SmoothBlastWindow::BuildCommandBar() {
    auto *bar = new QWidget(this);
    bar->setProperty(kCommandBarProperty, true);
    auto *rows = new QVBoxLayout(bar);
    rows->setContentsMargins(kMargin + 4, 2, kMargin + 4, kMargin);
    rows->setSpacing(4);
    auto *commands = new QHBoxLayout;
    QPushButton *calculate = Button(kBlastCalculateButton);
    calculate->setMinimumSize(120, 30);
    QFont bold = calculate->font();
    bold.setBold(true);
    calculate->setFont(bold);
    commands->addWidget(calculate);
    for (const char *id : {kBlastOpenButton, kBlastSaveButton, kBlastExportButton})
        commands->addWidget(Button(id));
    commands->addWidget(Unit(kBlastChangeNotice), 1);
    rows->addLayout(commands);

    auto *notice = new QHBoxLayout;
    notice->addWidget(NoticeLabel(), 1);
    ProgressBar()->setFixedWidth(180);
    notice->addWidget(ProgressBar());
    rows->addLayout(notice);
    return bar;
}

// The notes and the charts in the rows the table's results leave free.
void SmoothBlastWindow::BuildResultHalf() {
    m_resultHalf = Group(kResultGroup);
    auto *grid = static_cast<QGridLayout *>(m_resultHalf->layout());
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(
        NoteLabel(
            "取 E/V=2时,开挖面凹凸状严重,围岩严重损伤;E≈0.8时,开挖面平滑,与设计轮廓线基本一致。",
            m_resultHalf),
        2, 2, 1, 4);

    m_chart = new BarChartWidget(BarChart::SmoothBlastingCountsDesign(), m_resultHalf);
    m_chart->setObjectName(kCountsChartId);
    m_chargeChart = new BarChartWidget(BarChart::SmoothBlastingChargesDesign(), m_resultHalf);
    m_chargeChart->setObjectName(kChargesChartId);
    auto *charts = new QHBoxLayout;
    for (BarChartWidget *chart : {m_chart, m_chargeChart}) {
        chart->setMinimumSize(300, 330);
        charts->addWidget(chart, 1);
    }
    grid->addLayout(charts, 7, 0, 1, 6);
    grid->setRowStretch(7, 1);
}

// The fixed result fields leave the spare width to the labels.
void SmoothBlastWindow::FinishResultHalf() {
    auto *grid = static_cast<QGridLayout *>(m_resultHalf->layout());
    for (const FieldRow &field : SmoothBlastTable().fields)
        if (field.group == kResultGroup) Unit(field.id)->setFixedWidth(kFieldWidth);
    for (int column : {0, 2, 4}) {
        grid->setColumnStretch(column, 1);
        grid->setColumnStretch(column + 1, 0);
    }
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

// Enter computes again without closing the results it is meant to update.
void SmoothBlastWindow::EnterPressed(const ButtonRow &) {
    RecalculateBlast(*this, *this);
    m_scroll->verticalScrollBar()->setValue(0);
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
    if (id != kPatternPictureId) return {};
    const DrillDesign design = ReadDrillDesign(*this);
    const DrillPattern pattern = PlaceHoles(design);
    if (!pattern.error.isEmpty()) return {};
    return DrillPatternPng(pattern, design, QSize(1200, 750));
}

// Drawn from the results on screen; inputs that give no pattern say why,
// and show the outline alone when it disagrees with the section area.
void SmoothBlastWindow::OpenDrillPattern() {
    const DrillDesign design = ReadDrillDesign(*this);
    DrillPattern pattern = PlaceHoles(design);
    if (!pattern.error.isEmpty()) {
        DialogService().Message(pattern.error);
        if (!pattern.hasOutline) return;
    }
    auto *window =
        new DrillPatternWindow(DialogService(), DataFolder(), m_ops, std::move(pattern), design);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

BarChart &SmoothBlastWindow::ChargeChart() {
    return m_chargeChart->Chart();
}

void SmoothBlastWindow::OpenEvaluation() {
    m_ops.OpenModalWindow(new EvaluationWindow(DialogService(), DataFolder()));
}

}  // namespace tunnel

namespace tunnel::modules::smoothblast {

QWidget *CreateWindow(const WindowContext &context) {
    return new SmoothBlastWindow(context.dialogs, context.dataFolder, *context.ops);
}

}  // namespace tunnel::modules::smoothblast
