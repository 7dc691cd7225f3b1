#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QWidget>

#include "modules/smoothblast/core/drill_pattern.h"

class QPainter;

namespace tunnel {

// Paints the drill pattern to scale into the rectangle: outline, holes
// coloured by type with their delays, dimensions and the legend. zoom 1 fits
// the face; pan moves it in pixels.
void PaintDrillPattern(QPainter &painter, const QRectF &area, const DrillPattern &pattern,
                       const DrillDesign &design, double zoom = 1, QPointF pan = {});

// The pattern as a PNG picture of that size, white background.
QByteArray DrillPatternPng(const DrillPattern &pattern, const DrillDesign &design, QSize size);

// The drawing of the drill pattern window: the wheel zooms about the mouse,
// dragging pans, hovering a hole shows its type, delay, charge and collar.
class DrillPatternWidget : public QWidget {
    Q_OBJECT
public:
    DrillPatternWidget(DrillPattern pattern, DrillDesign design, QWidget *parent = nullptr);

    double Zoom() const { return m_zoom; }
    QPointF Pan() const { return m_pan; }
    // Where the hole of that index is drawn, in widget pixels.
    QPointF HolePosition(std::size_t index) const;
    // The text of the hole under the point, empty when there is none.
    QString HoleTextAt(QPointF point) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    DrillPattern m_pattern;
    DrillDesign m_design;
    double m_zoom = 1;
    QPointF m_pan;
    QPointF m_dragFrom;
    bool m_dragging = false;
};

}  // namespace tunnel
