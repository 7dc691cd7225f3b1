#include "modules/smoothblast/widgets/drill_pattern_widget.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QWheelEvent>
#include <cmath>

#include "core/conversions.h"

namespace tunnel {

namespace {

constexpr double kHoleRadius = 4;  // px, whatever the scale
constexpr double kLegendWidth = 300;

QColor TypeColour(HoleType type) {
    switch (type) {
        case HoleType::Cut:
            return QColor(220, 30, 30);
        case HoleType::Auxiliary:
            return QColor(20, 150, 40);
        case HoleType::Perimeter:
            return QColor(30, 70, 220);
        case HoleType::Floor:
            break;
    }
    return QColor(190, 30, 190);
}

// World metres to pixels: the face fitted into the area left of the legend.
struct Mapping {
    Mapping(const QRectF &area, const Outline &o, double zoom, QPointF pan) {
        const QRectF face = area.adjusted(40, 30, -kLegendWidth - 40, -50);
        const double w = o.width + 2.0, h = o.Height() + 1.2;
        scale = std::max(1e-6, std::min(face.width() / w, face.height() / h)) * zoom;
        origin = QPointF(face.center().x(), face.center().y() + o.Height() / 2 * scale) + pan;
    }
    QPointF operator()(double x, double y) const {
        return {origin.x() + x * scale, origin.y() - y * scale};
    }
    double scale;
    QPointF origin;
};

void PaintDimension(QPainter &p, const Mapping &m, const Dimension &d) {
    const double len = std::hypot(d.x2 - d.x1, d.y2 - d.y1);
    if (len <= 0) return;
    const double nx = -(d.y2 - d.y1) / len, ny = (d.x2 - d.x1) / len;
    const QPointF a = m(d.x1, d.y1), b = m(d.x2, d.y2);
    const QPointF qa = m(d.x1 + nx * d.offset, d.y1 + ny * d.offset);
    const QPointF qb = m(d.x2 + nx * d.offset, d.y2 + ny * d.offset);
    p.setPen(QPen(QColor(90, 90, 90), 0.8));
    p.drawLine(a, qa);
    p.drawLine(b, qb);
    p.drawLine(qa, qb);
    for (const QPointF &q : {qa, qb}) p.drawEllipse(q, 1.5, 1.5);
    double angle = std::atan2(-(qb.y() - qa.y()), qb.x() - qa.x()) * 180 / M_PI;
    if (angle > 90.5 || angle < -90.5) angle += 180;
    p.save();
    p.translate((qa + qb) / 2);
    p.rotate(-angle);
    const QFontMetricsF fm(p.font());
    const double side = d.offset < 0 ? 1 : -1;
    const QRectF box(-fm.horizontalAdvance(d.text) / 2 - 2, side > 0 ? 2 : -fm.height() - 2,
                     fm.horizontalAdvance(d.text) + 4, fm.height());
    // Readable over the holes it crosses.
    p.fillRect(box, QColor(255, 255, 255, 200));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, d.text);
    p.restore();
}

}  // namespace

void PaintDrillPattern(QPainter &p, const QRectF &area, const DrillPattern &pattern,
                       const DrillDesign &design, double zoom, QPointF pan) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    p.setClipRect(area);
    const Outline &o = pattern.outline;
    const Mapping m(area, o, zoom, pan);

    QPainterPath outline;
    outline.moveTo(m(-o.width / 2, 0));
    outline.lineTo(m(-o.width / 2, o.wallHeight));
    const QPointF centre = m(0, o.centreY);
    const double r = o.radius * m.scale;
    const double a = o.halfAngle * 180 / M_PI;
    outline.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 90 + a, -2 * a);
    outline.lineTo(m(o.width / 2, 0));
    outline.closeSubpath();
    p.setPen(QPen(Qt::black, 1.6));
    p.setBrush(QColor(250, 248, 240));
    p.drawPath(outline);

    QFont small = p.font();
    small.setPixelSize(std::clamp(int(0.22 * m.scale), 8, 14));
    p.setFont(small);
    for (const Hole &h : pattern.holes) {
        const QPointF c = m(h.x, h.y);
        p.setPen(QPen(TypeColour(h.type).darker(130), 1));
        p.setBrush(TypeColour(h.type));
        p.drawEllipse(c, kHoleRadius, kHoleRadius);
        p.setPen(QColor(60, 60, 60));
        p.drawText(c + QPointF(kHoleRadius + 1, -kHoleRadius - 1), ToText(h.delay));
    }
    if (pattern.hasRelief) {
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(m(pattern.reliefX, pattern.reliefY), kHoleRadius * 2.2, kHoleRadius * 2.2);
    }

    QFont dims = p.font();
    dims.setPixelSize(13);
    p.setFont(dims);
    for (const Dimension &d : PatternDimensions(pattern, design)) PaintDimension(p, m, d);

    // The legend stays put while the face pans.
    p.setClipping(false);
    const QRectF legend(area.right() - kLegendWidth - 10, area.top() + 10, kLegendWidth,
                        area.height() - 20);
    QFont title = p.font();
    title.setPixelSize(16);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::black);
    p.drawText(QRectF(legend.left(), legend.top(), legend.width(), 24), Qt::AlignLeft,
               QStringLiteral("钻爆设计图"));
    QFont text = p.font();
    text.setPixelSize(13);
    text.setBold(false);
    p.setFont(text);
    const QStringList lines = PatternLegend(pattern, design);
    double y = legend.top() + 30;
    const QFontMetricsF fm(text);
    for (int i = 0; i < lines.size(); ++i) {
        double x = legend.left();
        if (i < 4) {
            p.setPen(TypeColour(HoleType(i)).darker(130));
            p.setBrush(TypeColour(HoleType(i)));
            p.drawEllipse(QPointF(x + 6, y + fm.height() / 2), kHoleRadius, kHoleRadius);
            x += 18;
        }
        p.setPen(Qt::black);
        const QRectF box(x, y, legend.right() - x, legend.bottom() - y);
        const QRectF used = p.boundingRect(box, Qt::TextWordWrap, lines[i]);
        p.drawText(box, Qt::TextWordWrap, lines[i]);
        y += used.height() + 3;
    }
    p.restore();
}

QByteArray DrillPatternPng(const DrillPattern &pattern, const DrillDesign &design, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintDrillPattern(painter, QRectF(QPointF(0, 0), QSizeF(size)), pattern, design);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

DrillPatternWidget::DrillPatternWidget(DrillPattern pattern, DrillDesign design, QWidget *parent)
    : QWidget(parent), m_pattern(std::move(pattern)), m_design(design) {
    setMouseTracking(true);
    setMinimumSize(400, 300);
}

QPointF DrillPatternWidget::HolePosition(std::size_t index) const {
    const Hole &h = m_pattern.holes.at(index);
    return Mapping(rect(), m_pattern.outline, m_zoom, m_pan)(h.x, h.y);
}

QString DrillPatternWidget::HoleTextAt(QPointF point) const {
    const Mapping m(rect(), m_pattern.outline, m_zoom, m_pan);
    const Hole *best = nullptr;
    double bestDistance = kHoleRadius + 3;
    for (const Hole &h : m_pattern.holes) {
        const QPointF c = m(h.x, h.y);
        const double d = std::hypot(c.x() - point.x(), c.y() - point.y());
        if (d <= bestDistance) {
            bestDistance = d;
            best = &h;
        }
    }
    if (!best) return QString();
    return QStringLiteral("%1  第%2段\n装药量 %3kg\nx=%4m  y=%5m")
        .arg(HoleTypeName(best->type), ToText(best->delay), ChargeText(best->charge),
             ToText(RoundTo(best->x, 3)), ToText(RoundTo(best->y, 3)));
}

void DrillPatternWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    PaintDrillPattern(painter, rect(), m_pattern, m_design, m_zoom, m_pan);
}

void DrillPatternWidget::wheelEvent(QWheelEvent *event) {
    const double factor = std::pow(1.0015, event->angleDelta().y());
    const double zoom = std::clamp(m_zoom * factor, 0.2, 40.0);
    // The point under the mouse stays where it is.
    const Mapping before(rect(), m_pattern.outline, m_zoom, m_pan);
    const QPointF mouse = event->position();
    const double wx = (mouse.x() - before.origin.x()) / before.scale;
    const double wy = (before.origin.y() - mouse.y()) / before.scale;
    m_zoom = zoom;
    const Mapping after(rect(), m_pattern.outline, m_zoom, m_pan);
    m_pan += mouse - after(wx, wy);
    update();
    event->accept();
}

void DrillPatternWidget::mousePressEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragging = true;
    m_dragFrom = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void DrillPatternWidget::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging) {
        m_pan += event->position() - m_dragFrom;
        m_dragFrom = event->position();
        update();
        return;
    }
    const QString text = HoleTextAt(event->position());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

void DrillPatternWidget::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return;
    m_dragging = false;
    unsetCursor();
}

}  // namespace tunnel
