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
constexpr int kDimensionPixels = 13;
// Drawing scales 1:N an exported sheet may take.
constexpr int kScales[] = {20, 25, 50, 75, 100, 125, 150, 200, 250, 300, 400, 500, 750, 1000};

// The world box the face is fitted into: the outline with room for the
// dimensions round it, metres.
QRectF WorldBox(const Outline &o) {
    return QRectF(QPointF(-o.width / 2 - 0.8, o.Height() + 1.0), QPointF(o.width / 2 + 1.4, -1.3));
}

// World metres to pixels, y upward.
struct Mapping {
    // The face fitted into the area, then zoomed and panned.
    Mapping(const QRectF &area, const Outline &o, double zoom, QPointF pan) {
        const QRectF box = WorldBox(o);
        const QRectF inner = area.adjusted(10, 10, -10, -10);
        const double fit = std::min(inner.width() / box.width(), inner.height() / -box.height());
        Centre(area, box, std::max(1e-6, fit) * zoom, pan);
    }
    // At scale pixels per metre, centred in the area.
    Mapping(const QRectF &area, const Outline &o, double pixelsPerMetre) {
        Centre(area, WorldBox(o), pixelsPerMetre, {});
    }
    QPointF operator()(double x, double y) const {
        return {origin.x() + x * scale, origin.y() - y * scale};
    }
    double scale = 1;
    QPointF origin;

private:
    void Centre(const QRectF &area, const QRectF &box, double s, QPointF pan) {
        scale = s;
        const QPointF mid = box.center();
        origin = area.center() - QPointF(mid.x() * s, -mid.y() * s) + pan;
    }
};

QFont PixelFont(const QFont &base, int pixels, bool bold = false) {
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

int DelayPixels(double scale) {
    return std::clamp(int(0.2 * scale), 8, 14);
}

std::vector<Label> PlaceAtScale(const DrillPattern &pattern, const DrillDesign &design,
                                const QFont &base, double scale) {
    const QFontMetricsF delay(PixelFont(base, DelayPixels(scale)));
    const QFontMetricsF dimension(PixelFont(base, kDimensionPixels));
    const LabelStyle style{
        .holeRadius = kHoleRadius / scale,
        .reliefRadius = kHoleRadius * 2.2 / scale,
        .delayHeight = delay.height() / scale,
        .dimensionHeight = dimension.height() / scale,
        .width =
            [&](const QString &text, bool isDelay) {
                const QFontMetricsF &fm = isDelay ? delay : dimension;
                return (fm.horizontalAdvance(text) + 2) / fm.height();
            },
    };
    return PlaceLabels(pattern, PatternDimensions(pattern, design), style);
}

void PaintLabel(QPainter &p, const Mapping &m, const Label &l) {
    p.save();
    p.translate(m(l.x, l.y));
    p.rotate(-l.angle);
    const QRectF box(-l.width * m.scale / 2, -l.height * m.scale / 2, l.width * m.scale,
                     l.height * m.scale);
    p.drawText(box, Qt::AlignCenter, l.text);
    p.restore();
}

void PaintDimension(QPainter &p, const Mapping &m, const Dimension &d, const Label *label) {
    const double len = std::hypot(d.x2 - d.x1, d.y2 - d.y1);
    if (len <= 0) return;
    const double ux = (d.x2 - d.x1) / len, uy = (d.y2 - d.y1) / len;
    const double nx = -uy, ny = ux;
    const double ax = d.x1 + nx * d.offset, ay = d.y1 + ny * d.offset;
    double from = 0, to = len;
    if (label) {
        // The line runs on under a text placed past its end.
        const double along = (label->x - ax) * ux + (label->y - ay) * uy;
        from = std::min(0.0, along - label->width / 2);
        to = std::max(len, along + label->width / 2);
    }
    p.setPen(QPen(QColor(90, 90, 90), 0.8));
    p.setBrush(QColor(90, 90, 90));
    const QPointF qa = m(ax, ay), qb = m(ax + ux * len, ay + uy * len);
    p.drawLine(m(d.x1, d.y1), qa);
    p.drawLine(m(d.x2, d.y2), qb);
    p.drawLine(m(ax + ux * from, ay + uy * from), m(ax + ux * to, ay + uy * to));
    for (const QPointF &q : {qa, qb}) p.drawEllipse(q, 1.5, 1.5);
    if (!label) return;
    p.setPen(Qt::black);
    PaintLabel(p, m, *label);
}

void PaintFaceAt(QPainter &p, const QRectF &area, const Mapping &m, const DrillPattern &pattern,
                 const DrillDesign &design, const std::vector<Label> &labels) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(area);
    p.fillRect(area, Qt::white);
    const Outline &o = pattern.outline;

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

    for (const Hole &h : pattern.holes) {
        p.setPen(QPen(HoleColour(h.type).darker(130), 1));
        p.setBrush(HoleColour(h.type));
        p.drawEllipse(m(h.x, h.y), kHoleRadius, kHoleRadius);
    }
    if (pattern.hasRelief) {
        p.setPen(QPen(Qt::black, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(m(pattern.reliefX, pattern.reliefY), kHoleRadius * 2.2, kHoleRadius * 2.2);
    }

    const std::vector<Dimension> dims = PatternDimensions(pattern, design);
    std::vector<const Label *> dimensionLabels(dims.size(), nullptr);
    for (const Label &l : labels)
        if (l.dimension >= 0 && std::size_t(l.dimension) < dims.size())
            dimensionLabels[std::size_t(l.dimension)] = &l;
    p.setFont(PixelFont(p.font(), kDimensionPixels));
    for (std::size_t i = 0; i < dims.size(); ++i) PaintDimension(p, m, dims[i], dimensionLabels[i]);

    p.setFont(PixelFont(p.font(), DelayPixels(m.scale)));
    p.setPen(QColor(60, 60, 60));
    for (const Label &l : labels)
        if (l.hole >= 0) PaintLabel(p, m, l);
    p.restore();
}

// The largest round scale 1:N at which the face fits the area when
// printed at kPictureDpi; 0 when none does.
int RoundScale(const QRectF &area, const Outline &o) {
    const QRectF box = WorldBox(o);
    for (int n : kScales) {
        const double s = kPictureDpi / 0.0254 / n;
        if (box.width() * s <= area.width() - 20 && -box.height() * s <= area.height() - 20)
            return n;
    }
    return 0;
}

// Lines of text from the top of the box down; returns the height used.
double PaintLines(QPainter &p, const QRectF &box, const QStringList &lines, bool dots) {
    const QFontMetricsF fm(p.font());
    double y = box.top();
    for (int i = 0; i < lines.size(); ++i) {
        double x = box.left();
        if (dots && i < 4) {
            p.setPen(HoleColour(HoleType(i)).darker(130));
            p.setBrush(HoleColour(HoleType(i)));
            p.drawEllipse(QPointF(x + 6, y + fm.height() / 2), kHoleRadius, kHoleRadius);
            x += 18;
            p.setPen(Qt::black);
        }
        const QRectF room(x, y, box.right() - x, box.bottom() - y);
        const QRectF used = p.boundingRect(room, Qt::TextWordWrap, lines[i]);
        p.drawText(room, Qt::TextWordWrap, lines[i]);
        y += used.height() + 3;
    }
    return y - box.top();
}

void PaintTitleBlock(QPainter &p, const QRectF &box, const TitleBlock &title,
                     const DrillPattern &pattern, const DrillDesign &design, int scale) {
    const Outline &o = pattern.outline;
    const QString rows[][2] = {
        {QStringLiteral("工程名称"), title.project},
        {QStringLiteral("标段/工点"), title.section},
        {QStringLiteral("图名"), QStringLiteral("钻爆设计图")},
        {QStringLiteral("开挖断面"),
         QStringLiteral("B=%1 H=%2 S=%3m²")
             .arg(ToText(double(std::lround(o.width * 1000))),
                  ToText(double(std::lround(o.Height() * 1000))), ToText(design.area))},
        {QStringLiteral("比例"),
         scale > 0 ? QStringLiteral("1:%1（按%2dpi打印）").arg(scale).arg(kPictureDpi)
                   : QStringLiteral("见尺寸标注")},
        {QStringLiteral("日期"), title.date},
    };
    const int count = int(std::size(rows));
    const double rowHeight = box.height() / count;
    const double head = 76;
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
    for (int i = 0; i < count; ++i) {
        const QRectF row(box.left(), box.top() + i * rowHeight, box.width(), rowHeight);
        if (i > 0) p.drawLine(row.topLeft(), row.topRight());
        p.drawLine(QPointF(row.left() + head, row.top()), QPointF(row.left() + head, row.bottom()));
        p.drawText(row.adjusted(4, 0, -row.width() + head - 4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   rows[i][0]);
        const QString value =
            rows[i][1].trimmed().isEmpty() ? QString(14, QLatin1Char('_')) : rows[i][1].trimmed();
        p.drawText(row.adjusted(head + 6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(value, Qt::ElideRight, int(row.width() - head - 10)));
    }
}

}  // namespace

QColor HoleColour(HoleType type) {
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

void PaintFace(QPainter &p, const QRectF &area, const DrillPattern &pattern,
               const DrillDesign &design, double zoom, QPointF pan, std::vector<Label> *labels,
               double *labelScale) {
    const Mapping m(area, pattern.outline, zoom, pan);
    if (labels && labelScale && *labelScale == m.scale) {
        PaintFaceAt(p, area, m, pattern, design, *labels);
        return;
    }
    std::vector<Label> placed = PlaceAtScale(pattern, design, p.font(), m.scale);
    PaintFaceAt(p, area, m, pattern, design, placed);
    if (labels && labelScale) {
        *labels = std::move(placed);
        *labelScale = m.scale;
    }
}

void PaintDrillPattern(QPainter &p, const QRectF &area, const DrillPattern &pattern,
                       const DrillDesign &design, const TitleBlock *title) {
    p.save();
    p.fillRect(area, Qt::white);
    const double columnWidth = std::clamp(area.width() * 0.26, 280.0, 380.0);
    const QRectF column(area.right() - columnWidth - 10, area.top() + 14, columnWidth,
                        area.height() - 28);
    const QRectF face(area.left(), area.top(), column.left() - area.left() - 10, area.height());
    const int scale = title ? RoundScale(face, pattern.outline) : 0;
    if (scale > 0) {
        const Mapping m(face, pattern.outline, kPictureDpi / 0.0254 / scale);
        PaintFaceAt(p, face, m, pattern, design, PlaceAtScale(pattern, design, p.font(), m.scale));
    } else {
        PaintFace(p, face, pattern, design);
    }

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setFont(PixelFont(p.font(), 16, true));
    p.drawText(QRectF(column.left(), column.top(), column.width(), 24), Qt::AlignLeft,
               QStringLiteral("钻爆设计图"));
    p.setFont(PixelFont(p.font(), 13));
    QRectF room = column.adjusted(0, 30, 0, 0);
    const double titleHeight = title ? 6 * 24 : 0;
    room.setBottom(room.bottom() - titleHeight - 10);
    room.setTop(room.top() + PaintLines(p, room, PatternLegend(pattern, design), true) + 8);
    if (!pattern.error.isEmpty()) {
        p.setPen(QColor(200, 0, 0));
        room.setTop(room.top() + PaintLines(p, room, {pattern.error}, false) + 8);
        p.setPen(Qt::black);
    }
    if (!pattern.holes.empty()) PaintLines(p, room, DelayLines(pattern), false);
    if (title)
        PaintTitleBlock(
            p, QRectF(column.left(), column.bottom() - titleHeight, column.width(), titleHeight),
            *title, pattern, design, scale);
    p.restore();
}

QByteArray DrillPatternPng(const DrillPattern &pattern, const DrillDesign &design, QSize size,
                           const TitleBlock *title) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = int(std::lround(kPictureDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        PaintDrillPattern(painter, QRectF(QPointF(0, 0), QSizeF(size)), pattern, design, title);
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

void DrillPatternWidget::ResetView() {
    m_zoom = 1;
    m_pan = QPointF();
    update();
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
    return QStringLiteral("%1  第%2段\n装药量 %3kg\nx=%4mm  y=%5mm")
        .arg(HoleTypeName(best->type), ToText(best->delay), ChargeText(best->charge),
             ToText(double(std::lround(best->x * 1000))),
             ToText(double(std::lround(best->y * 1000))));
}

void DrillPatternWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    PaintFace(painter, rect(), m_pattern, m_design, m_zoom, m_pan, &m_labels, &m_labelScale);
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
