#pragma once

#include "modules/smoothblast/core/smoothblast.h"
#include "widgets/calc_window.h"
#include "widgets/window_ops.h"

class QGroupBox;
class QScrollArea;
class QTimer;

namespace tunnel {

class BarChartWidget;

// The smooth blasting window: the input half on the left, the result half
// with the bar chart on the right, outside the window until a calculation
// slides it into view. Its width is fixed by the program (590 collapsed,
// 1300 open); the user cannot drag it. On a screen too small for that size
// the window takes the available area and its content scrolls, while
// WindowWidth keeps reporting the designed width.
class SmoothBlastWindow : public CalcWindow, public SmoothBlastView {
    Q_OBJECT
public:
    SmoothBlastWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                      QWidget *parent = nullptr);

    // SmoothBlastView
    int WindowWidth() const override { return m_width; }
    void SetWindowWidth(int width) override;
    void StartSlide() override;
    void StopSlide() override;
    void ShowResultHalf() override;
    BarChart &Chart() override;
    BarChart &ChargeChart() override;

    // The drill pattern figure of the report.
    QByteArray Picture(QAnyStringView id) override;

    BarChartWidget *ChartWidget() const { return m_chart; }
    BarChartWidget *ChargeChartWidget() const { return m_chargeChart; }

protected:
    void showEvent(QShowEvent *event) override;
    void EnterPressed(const ButtonRow &calculate) override;

private:
    void BuildInputHalf();
    QWidget *BuildCommandBar();
    void BuildResultHalf();
    void FinishResultHalf();
    void OpenEvaluation();
    void OpenDrillPattern();

    WindowOps &m_ops;
    QGroupBox *m_inputHalf = nullptr;
    QGroupBox *m_resultHalf = nullptr;
    BarChartWidget *m_chart = nullptr;        // hole counts
    BarChartWidget *m_chargeChart = nullptr;  // charges
    QTimer *m_slide = nullptr;
    QWidget *m_content = nullptr;  // both halves, in the scroll area
    QScrollArea *m_scroll = nullptr;
    int m_width = 0;          // designed width, see WindowWidth
    int m_contentHeight = 0;  // of the halves with their margins
    int m_height = 0;         // designed height, menu bar included
};

}  // namespace tunnel
