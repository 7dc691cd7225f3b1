#pragma once

#include "widgets/calc_window.h"

namespace tunnel {

// The ventilation window: the generic calculation window of its table with
// the gas option, the label standing in for Q5 and its own arrangement of
// the six group boxes.
class VentilationWindow : public CalcWindow {
    Q_OBJECT
public:
    VentilationWindow(Dialogs &dialogs, QString programFolder, QWidget *parent = nullptr);

    // Also holds back the module's own export button while an export runs.
    void SetBusy(bool busy) override;

private:
    void AddGasOption();
    void AddGasNote();
    void Tighten();
    void Arrange();
};

}  // namespace tunnel
