#pragma once

#include <QGroupBox>

namespace tunnel {

// A group box whose frame is drawn once per size and then copied. The
// frame of a large box (a stretched picture in the Fusion style) was the
// costliest thing in painting a window; the copy is the same to the pixel.
class GroupBox : public QGroupBox {
public:
    explicit GroupBox(const QString &title, QWidget *parent = nullptr);
};

}  // namespace tunnel
