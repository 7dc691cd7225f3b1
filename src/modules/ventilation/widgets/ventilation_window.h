#pragma once

#include "widgets/calc_window.h"

namespace tunnel {

// The ventilation window: the calculation window of its table, its log
// under the three columns of group boxes, with the gas option and the label
// standing in for Q5.
class VentilationWindow : public CalcWindow {
    Q_OBJECT
public:
    VentilationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);

    // Also holds back the module's own export button while an export runs.
    void SetBusy(bool busy) override;

private:
    void AddGasOption();
    void AddGasNote();
    void Tighten();
};

}  // namespace tunnel
