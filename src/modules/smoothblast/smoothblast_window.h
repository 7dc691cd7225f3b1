#pragma once

#include "modules/smoothblast/smoothblast.h"
#include "ui/calc_window.h"

class QGroupBox;
class QTimer;

namespace tunnel {

class BarChartWidget;

// The smooth blasting window: the input half on the left, the result half
// with the bar chart on the right, outside the window until a calculation
// slides it into view. Its width is fixed by the program (590 collapsed,
// 1300 open); the user cannot drag it.
class SmoothBlastWindow : public CalcWindow, public SmoothBlastView {
    Q_OBJECT
public:
    SmoothBlastWindow(Dialogs &dialogs, QString programFolder, QWidget *parent = nullptr);

    // SmoothBlastView
    int WindowWidth() const override { return width(); }
    void SetWindowWidth(int width) override;
    void StartSlide() override;
    void StopSlide() override;
    void ShowResultHalf() override;
    BarChart &Chart() override;

    // The drill pattern figure of the report.
    QByteArray Picture(const QString &id) override;

    BarChartWidget *ChartWidget() const { return m_chart; }

private:
    void BuildInputHalf();
    void BuildResultHalf();
    void OpenEvaluation();
    void OpenDrillPattern();

    QGroupBox *m_inputHalf = nullptr;
    QGroupBox *m_resultHalf = nullptr;
    BarChartWidget *m_chart = nullptr;
    QTimer *m_slide = nullptr;
    int m_height = 0;
};

}  // namespace tunnel
