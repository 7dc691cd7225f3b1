#pragma once

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <vector>

#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/core/pattern_labels.h"

class QPainter;

namespace tunnel {

// The colour a hole type is drawn in.
QColor HoleColour(HoleType type);

// The title block of an exported drawing.
struct TitleBlock {
    QString project;  // 工程名称
    QString section;  // 标段/工点
    QString date;     // as printed
};

// Paints the face to scale into the rectangle, clipped to it: outline,
// holes coloured by type with their delays, dimensions. zoom 1 fits the
// face; pan moves it in pixels. labels, when given, keeps the texts placed
// for one scale so that panning does not place them again.
void PaintFace(QPainter &painter, const QRectF &area, const DrillPattern &pattern,
               const DrillDesign &design, double zoom = 1, QPointF pan = {},
               std::vector<Label> *labels = nullptr, double *labelScale = nullptr);

// Paints the whole sheet: the face on the left, the legend and the delays
// beside it. With a title block, the face is drawn at a round scale (true
// when the picture is printed at kPictureDpi) and the title block, with
// that scale, stands under the legend.
void PaintDrillPattern(QPainter &painter, const QRectF &area, const DrillPattern &pattern,
                       const DrillDesign &design, const TitleBlock *title = nullptr);

// The resolution an exported picture is meant to be printed at.
inline constexpr double kPictureDpi = 150;

// The sheet as a PNG picture of that size, white background, marked with
// kPictureDpi.
QByteArray DrillPatternPng(const DrillPattern &pattern, const DrillDesign &design, QSize size,
                           const TitleBlock *title = nullptr);

// The drawing of the drill pattern window: the wheel zooms about the mouse,
// dragging pans, hovering a hole shows its type, delay, charge and collar.
class DrillPatternWidget : public QWidget {
    Q_OBJECT
public:
    DrillPatternWidget(DrillPattern pattern, DrillDesign design, QWidget *parent = nullptr);

    double Zoom() const { return m_zoom; }
    QPointF Pan() const { return m_pan; }
    // Back to the whole face fitted into the widget.
    void ResetView();
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
    std::vector<Label> m_labels;
    double m_labelScale = 0;
};

}  // namespace tunnel
