#pragma once

#include "widgets/calc_window.h"
#include "widgets/window_ops.h"

class QComboBox;

namespace tunnel {

class BarChartWidget;

// The period window "隧道工期计算": the four group boxes with six rows each,
// the rock grade selectors (reloaded from the list file on every drop-down),
// the chart, the command buttons, the notice label and the "文件" menu whose
// open and save keep the selectors' positions.
class PeriodWindow : public CalcWindow {
    Q_OBJECT
public:
    PeriodWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops, QWidget *parent = nullptr);

    BarChartWidget *Chart() const { return m_chart; }
    QComboBox *Selector(int row) const;

    // Opens the rock grade list editor, modal ("添加围岩等级").
    void RunRockGradeEditor();

private:
    void BuildLayout();

    WindowOps &m_ops;
    BarChartWidget *m_chart = nullptr;
};

}  // namespace tunnel
