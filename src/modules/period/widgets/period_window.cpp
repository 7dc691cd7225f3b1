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
#include "widgets/module_window.h"
#include "widgets/text_label.h"

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

}  // namespace

PeriodWindow::PeriodWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops, QWidget *parent)
    : CalcWindow(PeriodTable(), dialogs, std::move(dataFolder), Layout::Groups, parent),
      m_ops(ops) {
    for (int row = 0; row < kPeriodRows; ++row) {
        const QString id = RowId(kGradeBase, row);
        auto *box = new RockGradeBox([this, id] { LoadRockGradeList(*this, id); }, Group(0));
        box->setObjectName(id);
        box->setMinimumContentsLength(4);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    QPushButton *editor = Button(kPeriodEditorButton);
    editor->setEnabled(true);
    connect(editor, &QPushButton::clicked, this, &PeriodWindow::RunRockGradeEditor);

    m_chart = new BarChartWidget(BarChart::PeriodDesign(), centralWidget());
    m_chart->setObjectName(kPeriodChart);
    m_chart->setMinimumSize(640, 300);

    BuildLayout();
    resize(1051, 733);
}

QComboBox *PeriodWindow::Selector(int row) const {
    return qobject_cast<QComboBox *>(Unit(RowId(kGradeBase, row)));
}

void PeriodWindow::RunRockGradeEditor() {
    m_ops.OpenModalWindow(new RockGradeWindow(DialogService(), DataFolder(), this));
}

void PeriodWindow::BuildLayout() {
    // The selectors take the column the table leaves free in the first group.
    auto *first = GroupGrid(0);
    auto *selectors = new TextLabel(QStringLiteral("围岩等级/类别"), Group(0));
    selectors->setWordWrap(true);
    selectors->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    first->addWidget(selectors, 0, 0);
    for (int row = 0; row < kPeriodRows; ++row) first->addWidget(Selector(row), row + 1, 0);
    // The selector column is half as wide again as a field column.
    first->setColumnStretch(0, 3);
    // Headings of two lines (of the Chinese font's height), so that the rows
    // line up across the groups.
    const int heading =
        fontMetrics().boundingRect(QRect(0, 0, 400, 400), 0, QStringLiteral("高\n高")).height() + 4;
    selectors->setFixedHeight(heading);
    for (const FieldRow &field : Table().fields) {
        GroupGrid(field.group)->setColumnStretch(field.place.column, 2);
        if (field.place.label == LabelAt::Above && field.place.row == 0)
            FieldLabel(field.id)->setFixedHeight(heading);
        if (auto *edit = qobject_cast<QLineEdit *>(Unit(field.id))) edit->setMinimumWidth(52);
    }
    FieldLabel(RowId(kMonthCyclesBase, 0).toUtf8().constData())
        ->setText(QStringLiteral("月循环数<br><span style=\"font-size:small\">按30天/月</span>"));
    int height = 0;
    for (int g = 0; g < int(Table().groups.size()); ++g) {
        auto *grid = GroupGrid(g);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(6);
        grid->setRowStretch(grid->rowCount(), 1);
        height = qMax(height, Group(g)->sizeHint().height());
    }
    // The boxes side by side are of one height.
    for (int g = 0; g < int(Table().groups.size()); ++g) Group(g)->setMinimumHeight(height);

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
    SetTextColour(NoticeLabel(), QColor(0xc0, 0, 0));
    chartColumn->addWidget(NoticeLabel());
    chartColumn->addWidget(ProgressBar());

    auto *bottom = new QHBoxLayout;
    bottom->addLayout(chartColumn, 1);
    bottom->addLayout(commands);

    auto *main = new QVBoxLayout(centralWidget());
    main->addWidget(GroupArea());
    main->addLayout(bottom, 1);
}

}  // namespace tunnel

namespace tunnel::modules::period {

QWidget *CreateWindow(const WindowContext &context) {
    return new PeriodWindow(context.dialogs, context.dataFolder, *context.ops);
}

}  // namespace tunnel::modules::period
