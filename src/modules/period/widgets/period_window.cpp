#include "modules/period/widgets/period_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "modules/period/core/period.h"
#include "modules/period/core/rock_grade_list.h"
#include "modules/period/widgets/rock_grade_window.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/reference_window.h"

namespace tunnel {

namespace {

// A drop-down list that tells its window before it opens, so the window can
// refill it.
class RockGradeBox : public QComboBox {
public:
    RockGradeBox(std::function<void()> aboutToDropDown, QWidget *parent)
        : QComboBox(parent), m_aboutToDropDown(std::move(aboutToDropDown)) {}

    void showPopup() override {
        m_aboutToDropDown();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_aboutToDropDown;
};

// The columns of each group box, left to right.
constexpr const char *kColumns[][3] = {
    {kLengthBase, kAdvanceBase, kCycleTimeBase},
    {kCyclesBase, kMonthCyclesBase, kDayCyclesBase},
    {kDayAdvanceBase, kMonthAdvanceBase, nullptr},
    {kDaysBase, kMonthsBase, kYearsBase},
};

QLabel *HeaderLabel(QLabel *label) {
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setFixedHeight(40);
    return label;
}

}  // namespace

PeriodWindow::PeriodWindow(Dialogs &dialogs, QString programFolder, WindowOps &ops, QWidget *parent)
    : CalcWindow(PeriodTable(), dialogs, std::move(programFolder), Layout::None, parent),
      m_ops(ops) {
    for (int row = 0; row < kPeriodRows; ++row) {
        const QString id = RowId(kGradeBase, row);
        auto *box = new RockGradeBox([this, id] { LoadRockGradeList(*this, id); }, Group(0));
        box->setObjectName(id);
        box->setMinimumContentsLength(4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    auto *editor = new QPushButton(QStringLiteral("添加围岩等级"), Group(0));
    editor->setObjectName(kPeriodEditorButton);
    editor->setAutoDefault(false);
    connect(editor, &QPushButton::clicked, this, &PeriodWindow::RunRockGradeEditor);

    m_chart = new BarChartWidget(BarChart::PeriodDesign(), centralWidget());
    m_chart->setObjectName(kPeriodChart);
    m_chart->setMinimumSize(640, 300);

    BuildLayout();
    BuildPeriodMenu();
    resize(1051, 733);
    // Reference tables and sketches beside the fields.
    ConnectReference(this, kPeriodAdvanceButton, Reference::Advance);
    ConnectReference(this, kPeriodCycleTimeButton, Reference::CycleTime);
}

QComboBox *PeriodWindow::Selector(int row) const {
    return qobject_cast<QComboBox *>(Unit(RowId(kGradeBase, row)));
}

void PeriodWindow::RunRockGradeEditor() {
    m_ops.OpenModalWindow(new RockGradeWindow(DialogService(), ProgramFolder(), this));
}

void PeriodWindow::BuildLayout() {
    auto *groups = new QHBoxLayout;
    for (int g = 0; g < 4; ++g) {
        QGroupBox *box = Group(g);
        auto *grid = static_cast<QGridLayout *>(box->layout());
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(6);
        int column = 0;
        if (g == 0) {
            grid->addWidget(HeaderLabel(new QLabel(QStringLiteral("围岩等级/类别"), box)), 0,
                            column);
            for (int row = 0; row < kPeriodRows; ++row)
                grid->addWidget(Selector(row), row + 1, column);
            grid->setColumnStretch(column, 3);
            ++column;
        }
        for (const char *base : kColumns[g]) {
            if (!base) continue;
            QLabel *header = HeaderLabel(FieldLabel(RowId(base, 0).toUtf8().constData()));
            if (base == kMonthCyclesBase)
                header->setText(
                    QStringLiteral("月循环数<br><span style=\"font-size:small\">按30天/月</span>"));
            grid->addWidget(header, 0, column);
            for (int row = 0; row < kPeriodRows; ++row) {
                auto *edit = qobject_cast<QLineEdit *>(Unit(RowId(base, row)));
                edit->setMinimumWidth(52);
                grid->addWidget(edit, row + 1, column);
                if (row > 0) FieldLabel(RowId(base, row).toUtf8().constData())->hide();
            }
            grid->setColumnStretch(column, 2);
            ++column;
        }
        // The totals line under row 5.
        const int totals = kPeriodRows + 1;
        auto total = [&](const char *id, int row, int col, int span) {
            QLabel *label = FieldLabel(id);
            label->setAlignment(Qt::AlignCenter);
            grid->addWidget(label, row, col, 1, span);
            grid->addWidget(Unit(id), row + 1, col, 1, span);
        };
        if (g == 0)
            total(kTotalLength, totals, 1, 3);
        else if (g == 1)
            total(kTotalCycles, totals, 0, 3);
        else if (g == 3) {
            total(kTotalDays, totals, 0, 1);
            total(kTotalMonths, totals, 1, 1);
            total(kTotalYears, totals, 2, 1);
        }
        if (g == 0) {
            auto *buttons = new QHBoxLayout;
            buttons->addWidget(Button(kPeriodEditorButton));
            buttons->addStretch();
            buttons->addWidget(Button(kPeriodAdvanceButton));
            buttons->addWidget(Button(kPeriodCycleTimeButton));
            grid->addLayout(buttons, totals + 2, 0, 1, column);
        }
        grid->setRowStretch(totals + 3, 1);
        groups->addWidget(box, g == 0 ? 4 : (g == 2 ? 2 : 3));
    }

    auto *commands = new QVBoxLayout;
    for (const char *id :
         {kPeriodOpenButton, kPeriodSaveButton, kPeriodCalculateButton, kPeriodExportButton}) {
        QPushButton *button = Button(id);
        button->setMinimumSize(120, 40);
        commands->addWidget(button);
    }
    commands->addStretch();

    auto *chartColumn = new QVBoxLayout;
    chartColumn->addWidget(m_chart, 1);
    NoticeLabel()->setStyleSheet(QStringLiteral("color: #c00000;"));
    chartColumn->addWidget(NoticeLabel());
    chartColumn->addWidget(ProgressBar());

    auto *bottom = new QHBoxLayout;
    bottom->addLayout(chartColumn, 1);
    bottom->addLayout(commands);

    auto *main = new QVBoxLayout(centralWidget());
    main->addLayout(groups);
    main->addLayout(bottom, 1);
}

void PeriodWindow::BuildPeriodMenu() {
    // The shared menu would save the selectors' names; these keep positions.
    auto *bar = new QMenuBar(this);
    QMenu *file = bar->addMenu(QStringLiteral("文件"));
    QAction *open =
        file->addAction(QStringLiteral("打开"), this, [this] { OpenPeriodParameters(*this); });
    open->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    QAction *save =
        file->addAction(QStringLiteral("保存"), this, [this] { SavePeriodParameters(*this); });
    save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    QAction *quit = file->addAction(QStringLiteral("退出"), this, &QWidget::close);
    quit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    setMenuBar(bar);
}

}  // namespace tunnel
