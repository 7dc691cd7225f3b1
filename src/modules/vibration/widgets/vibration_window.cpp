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
#include "widgets/module_window.h"
#include "modules/vibration/widgets/regression_window.h"
#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

VibrationWindow::VibrationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent)
    : CalcWindow(VibrationTable(), dialogs, std::move(dataFolder), Layout::Groups, parent) {
    m_tabs = Pages();
    m_tabs->setObjectName(kVibrationTabsId);
    BuildCategoryRow();
    BuildExportRow();

    auto *main = new QHBoxLayout(centralWidget());
    main->addWidget(GroupArea(), 7);
    main->addWidget(BuildLogColumn(), 3);

    PrepareVibrationForm(*this);
    // Connected last, so that building the tabs logs nothing.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { VibrationTabChanged(*this); });
    connect(m_categories, &QComboBox::activated, this,
            [this] { VibrationCategorySelected(*this); });
    connect(m_bands, &QComboBox::activated, this, [this] { VibrationCategorySelected(*this); });
    resize(1060, 660);
    Button(kVibrationRegressionButtonId)->setEnabled(true);
    connect(Button(kVibrationRegressionButtonId), &QPushButton::clicked, this,
            &VibrationWindow::OpenRegression);
}

RegressionWindow *VibrationWindow::Regression() const {
    return m_regression;
}

// One regression window at a time, independent of this one.
void VibrationWindow::OpenRegression() {
    if (!m_regression) {
        m_regression = new RegressionWindow(DialogService(), DataFolder(), this);
        m_regression->show();
    }
    m_regression->raise();
    m_regression->activateWindow();
}

// The category list takes the row the table leaves free above the range,
// the frequency band beside it and the band's hint under both.
void VibrationWindow::BuildCategoryRow() {
    QGroupBox *box = Group(0);
    QGridLayout *grid = GroupGrid(0);
    auto *label = new TextLabel(kCategoryLabel, box);
    label->setObjectName(kCategoryLabelId);
    m_categories = new QComboBox(box);
    m_categories->setObjectName(kCategoryId);
    m_categories->setMinimumWidth(300);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_categories, 0, 1);

    auto *bandLabel = new TextLabel(kBandLabel, box);
    bandLabel->setObjectName(kBandLabelId);
    m_bands = new QComboBox(box);
    m_bands->setObjectName(kBandId);
    m_bands->setToolTip(kBandHint);
    auto *band = new QHBoxLayout;
    band->addWidget(bandLabel);
    band->addWidget(m_bands, 1);
    grid->addLayout(band, 0, 2);
    auto *hint = new TextLabel(kBandHint, box);
    hint->setObjectName(kBandHintId);
    hint->setWordWrap(true);
    grid->addWidget(hint, 2, 0, 1, 3);
}

// Tab 0 carries the report: the bar beside its button, the notice under both.
void VibrationWindow::BuildExportRow() {
    auto *evaluation = static_cast<TextBox *>(Unit(kEvaluationId));
    QFont bold = evaluation->font();
    bold.setBold(true);
    evaluation->setFont(bold);
    evaluation->setFixedHeight(56);
    auto *grid = GroupGrid(3);
    grid->addWidget(ProgressBar(), 2, 1);
    SetTextColour(NoticeLabel(), QColor(0xc0, 0, 0));
    grid->addWidget(NoticeLabel(), 3, 0, 1, 2);
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

}  // namespace tunnel

namespace tunnel::modules::vibration {

QWidget *CreateWindow(const WindowContext &context) {
    return new VibrationWindow(context.dialogs, context.dataFolder);
}

}  // namespace tunnel::modules::vibration
