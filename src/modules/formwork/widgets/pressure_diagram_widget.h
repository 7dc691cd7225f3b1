#pragma once

#include <QWidget>

namespace tunnel {

// The picture box "图片框1": the schematic of the lateral pressure of fresh
// concrete on a vertical formwork section, on black, with the seven
// transparent labels "透明标签1" to "透明标签7" that the pressure commands fill.
class PressureDiagramWidget : public QWidget {
    Q_OBJECT
public:
    explicit PressureDiagramWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace tunnel
