#pragma once

#include "core/bar_chart.h"
#include "modules/smoothblast/core/smoothblast.h"

namespace tunnel::test {

// The smooth blasting window's view without a window: records the width and
// whether the slide runs, and holds both charts.
class BlastView : public SmoothBlastView {
public:
    int WindowWidth() const override { return width; }
    void SetWindowWidth(int w) override { width = w; }
    void StartSlide() override { running = true; }
    void StopSlide() override { running = false; }
    void ShowResultHalf() override {}
    BarChart &Chart() override { return chart; }
    BarChart &ChargeChart() override { return charges; }

    int width = kBlastInputWidth;
    bool running = false;
    BarChart chart = BarChart::SmoothBlastingCountsDesign();
    BarChart charges = BarChart::SmoothBlastingChargesDesign();
};

}  // namespace tunnel::test
