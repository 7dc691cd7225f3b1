#include "modules/vibration/widgets/vibration_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/calc_form.h"
#include "modules/vibration/core/vibration.h"
#include "widgets/reference_window.h"
#include "widgets/text_box_widget.h"

namespace tunnel {

namespace {

// Unit names of the hint and note labels beside their fields.
struct HintName {
    const char *field;
    const char *id;
};

constexpr HintName kHintNames[] = {
    {"编辑框5_系数K", "标签49"},
    {"编辑框5_衰减系数", "标签51"},
    {"编辑框5_炸药总量", "标签46"},
    {"编辑框3单次起爆炸药总重量", "标签12"},
};

constexpr const char *kTabCaptions[] = {"计算爆破振速影响", "计算爆破最大药量", "计算爆破安全距离"};

}  // namespace

VibrationWindow::VibrationWindow(Dialogs &dialogs, QString programFolder, QWidget *parent)
    : CalcWindow(VibrationTable(), dialogs, std::move(programFolder), Layout::None, parent) {
    auto *left = new QVBoxLayout;
    left->addWidget(BuildCategoryGroup());
    left->addWidget(BuildRockGroup());
    m_tabs = new QTabWidget(centralWidget());
    m_tabs->setObjectName(kVibrationTabsId);
    for (int tab = 0; tab < 3; ++tab)
        m_tabs->addTab(BuildTab(2 + 2 * tab, 3 + 2 * tab), kTabCaptions[tab]);
    left->addWidget(m_tabs, 1);

    auto *main = new QHBoxLayout(centralWidget());
    main->addLayout(left, 7);
    main->addWidget(BuildLogColumn(), 3);

    PrepareVibrationForm(*this);
    // Connected last, so that building the tabs logs nothing.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { VibrationTabChanged(*this); });
    connect(m_categories, &QComboBox::activated, this,
            [this] { VibrationCategorySelected(*this); });
    ConnectFileMenu();
    resize(1060, 660);
    // Reference tables and sketches beside the fields.
    ConnectReference(this, kVibrationLimitsButtonId, Reference::VibrationLimits);
}

void VibrationWindow::AddFieldRows(int group, int firstRow, bool hintsBelow) {
    QGroupBox *box = Group(group);
    auto *grid = static_cast<QGridLayout *>(box->layout());
    int row = firstRow;
    for (const FieldRow &field : Table().fields) {
        if (field.group != group) continue;
        grid->addWidget(FieldLabel(field.id), row, 0);
        QWidget *unit = Unit(field.id);
        grid->addWidget(unit, row, 1);
        if (*field.hint) {
            // The table's hint label, found by its text and given its unit name.
            for (QLabel *label : box->findChildren<QLabel *>()) {
                if (label->text() != U(field.hint) || label == FieldLabel(field.id)) continue;
                for (const HintName &name : kHintNames)
                    if (qstrcmp(name.field, field.id) == 0) label->setObjectName(name.id);
                label->setText(label->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
                if (hintsBelow)
                    grid->addWidget(label, ++row, 1);
                else
                    grid->addWidget(label, row, 2);
            }
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
}

QWidget *VibrationWindow::BuildCategoryGroup() {
    QGroupBox *box = Group(0);
    auto *grid = static_cast<QGridLayout *>(box->layout());
    auto *label = new QLabel(kCategoryLabel, box);
    label->setObjectName(kCategoryLabelId);
    m_categories = new QComboBox(box);
    m_categories->setObjectName(kCategoryId);
    m_categories->setMinimumWidth(300);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_categories, 0, 1);
    AddFieldRows(0, 1);
    grid->addWidget(Button(kVibrationLimitsButtonId), 1, 2);
    return box;
}

QWidget *VibrationWindow::BuildRockGroup() {
    // The ranges are long one-liners: under the field they leave it room.
    AddFieldRows(1, 0, true);
    return Group(1);
}

QWidget *VibrationWindow::BuildTab(int inputGroup, int resultGroup) {
    auto *page = new QWidget(centralWidget());
    auto *column = new QVBoxLayout(page);
    AddFieldRows(inputGroup, 0);
    AddFieldRows(resultGroup, 0);
    column->addWidget(Group(inputGroup));
    column->addWidget(Group(resultGroup));
    column->addStretch();

    if (resultGroup == 3) {
        // Tab 0 carries the report: its button, the bar and the notice label.
        auto *evaluation = static_cast<TextBox *>(Unit(kEvaluationId));
        QFont bold = evaluation->font();
        bold.setBold(true);
        evaluation->setFont(bold);
        evaluation->setFixedHeight(56);
        auto *grid = static_cast<QGridLayout *>(Group(3)->layout());
        auto *exportRow = new QHBoxLayout;
        exportRow->addWidget(Button(kVibrationExportButtonId));
        exportRow->addWidget(ProgressBar(), 1);
        grid->addLayout(exportRow, grid->rowCount(), 0, 1, 2);
        NoticeLabel()->setStyleSheet(QStringLiteral("color: #c00000;"));
        grid->addWidget(NoticeLabel(), grid->rowCount(), 0, 1, 2);
    }
    return page;
}

QWidget *VibrationWindow::BuildLogColumn() {
    auto *column = new QWidget(centralWidget());
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    LogBox()->setMinimumWidth(300);
    layout->addWidget(LogBox(), 1);
    auto *buttons = new QHBoxLayout;
    for (const char *id :
         {kVibrationOpenButtonId, kVibrationSaveButtonId, kVibrationCalculateButtonId})
        buttons->addWidget(Button(id));
    layout->addLayout(buttons);
    return column;
}

// The "文件" items run this window's open and save, which also carry the
// category index.
void VibrationWindow::ConnectFileMenu() {
    for (QAction *menuAction : menuBar()->actions()) {
        if (!menuAction->menu()) continue;
        for (QAction *action : menuAction->menu()->actions()) {
            if (action->text() == QStringLiteral("打开")) {
                action->setEnabled(true);
                connect(action, &QAction::triggered, this,
                        [this] { OpenVibrationParameters(*this); });
            } else if (action->text() == QStringLiteral("保存")) {
                action->setEnabled(true);
                connect(action, &QAction::triggered, this,
                        [this] { SaveVibrationParameters(*this); });
            }
        }
    }
}

}  // namespace tunnel
