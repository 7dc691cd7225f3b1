#include "pictures/drawing_kit.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QLineF>
#include <QPolygonF>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace pictures {

namespace {

bool IsOpaque(const QImage &image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 255) return false;
    return true;
}

}  // namespace

void PictureSink::Save(const QImage &image, const char *fileName) {
    const QString path = folder_ + QLatin1Char('/') + U(fileName);
    QDir().mkpath(QFileInfo(path).path());
    QImageWriter writer(path);
    bool written;
    if (path.endsWith(QLatin1String(".jpg"))) {
        writer.setQuality(95);
        writer.setOptimizedWrite(true);
        // Opaque white background: JPEG has no alpha.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        written = writer.write(flat);
    } else {
        writer.setQuality(0);  // smallest file; PNG stays lossless
        written =
            writer.write(IsOpaque(image) ? image.convertToFormat(QImage::Format_RGB32) : image);
    }
    if (!written) failed_ = true;
    std::printf("%s %dx%d%s\n", qPrintable(path), image.width(), image.height(),
                written ? "" : " FAILED");
}

QString U(const char *text) {
    return QString::fromUtf8(text);
}

QFont Sans(int pixels, bool bold) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont Serif(int pixels, bool bold) {
    QFont font(QStringLiteral("Noto Serif CJK SC"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QImage Canvas(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void Begin(QPainter &p, QImage &image) {
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void DrawTable(QPainter &p, const Grid &grid, const std::vector<Cell> &cells, const QFont &body,
               const QFont &head, int padding) {
    for (const Cell &c : cells) {
        QColor fill = c.fill;
        if (c.head && fill == Qt::transparent) fill = kHeadFill;
        if (fill != Qt::transparent) p.fillRect(grid.Rect(c), fill);
    }
    p.setPen(kInk);
    for (const Cell &c : cells) {
        QFont font = c.head ? head : body;
        if (c.bold) font.setBold(true);
        p.setFont(font);
        const QRect inner = grid.Rect(c).adjusted(padding, 2, -padding, -2);
        p.drawText(inner, c.align | Qt::TextWordWrap, c.text);
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kRule, 1));
    p.setBrush(Qt::NoBrush);
    for (const Cell &c : cells) p.drawRect(grid.Rect(c));
    p.setPen(QPen(kRule, 2));
    p.drawRect(QRect(grid.origin, QPoint(grid.Right(), grid.Bottom())));
    p.restore();
}

void FitRows(Grid &grid, const std::vector<Cell> &cells, const QFont &body, const QFont &head,
             int minimum, int padding) {
    for (size_t r = 0; r < grid.heights.size(); ++r) {
        int need = minimum;
        for (const Cell &c : cells) {
            if (c.row != int(r) || c.rowSpan != 1) continue;
            QFont font = c.head ? head : body;
            if (c.bold) font.setBold(true);
            const int width = grid.X(c.col + c.colSpan) - grid.X(c.col) - 2 * padding;
            const QRect used = QFontMetrics(font).boundingRect(QRect(0, 0, width, 1000),
                                                               c.align | Qt::TextWordWrap, c.text);
            need = std::max(need, used.height() + 8);
        }
        grid.heights[r] = need;
    }
}

int Paragraph(QPainter &p, const QRect &box, const QString &text, const QFont &font, int flags,
              QColor ink) {
    p.setFont(font);
    p.setPen(ink);
    QRect used;
    p.drawText(box, flags | Qt::TextWordWrap, text, &used);
    return used.height();
}

void Title(QPainter &p, const QRect &box, const QString &text, int pixels) {
    p.setFont(Sans(pixels, true));
    p.setPen(kTitleInk);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, text);
}

void SourceTag(QPainter &p, const QRect &box, const QString &text) {
    p.setFont(Sans(12));
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
}

void Arrowhead(QPainter &p, QPointF tip, QPointF from, double size) {
    const QLineF back(tip, from);
    const double a = qDegreesToRadians(back.angle());
    const double spread = qDegreesToRadians(18.0);
    QPolygonF head;
    head << tip << tip + QPointF(std::cos(a + spread) * size, -std::sin(a + spread) * size)
         << tip + QPointF(std::cos(a - spread) * size, -std::sin(a - spread) * size);
    p.save();
    p.setBrush(p.pen().color());
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
    p.restore();
}

void Dimension(QPainter &p, QPointF a, QPointF b, const QString &text, double side, QColor colour,
               int pixels) {
    p.save();
    p.setPen(QPen(colour, 1.1));
    p.drawLine(a, b);
    Arrowhead(p, a, b, 6);
    Arrowhead(p, b, a, 6);
    const QPointF mid = (a + b) / 2;
    QLineF line(a, b);
    QLineF normal = line.normalVector().unitVector();
    QPointF n(normal.dx(), normal.dy());
    if (line.length() < 1) n = QPointF(0, -1);
    p.setFont(Sans(pixels));
    const QFontMetricsF fm(p.font());
    const QSizeF size(fm.horizontalAdvance(text) + 4, fm.height());
    const QPointF centre =
        mid + n * side * (size.height() * 0.55 + 2 + std::abs(n.x()) * size.width() * 0.45);
    QRectF box(centre - QPointF(size.width() / 2, size.height() / 2), size);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

void Witness(QPainter &p, QPointF a, QPointF b, QColor colour) {
    p.save();
    p.setPen(QPen(colour, 0.8));
    p.drawLine(a, b);
    p.restore();
}

void ChargedHole(QPainter &p, QPointF c, double r) {
    p.save();
    p.setPen(QPen(kCharged, 1));
    p.setBrush(kCharged);
    p.drawEllipse(c, r, r);
    p.restore();
}

void EmptyHole(QPainter &p, QPointF c, double r) {
    p.save();
    p.setPen(QPen(kCharged, 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    p.restore();
}

void Label(QPainter &p, QPointF centre, const QString &text, int pixels, QColor ink, bool bold) {
    p.save();
    p.setFont(Sans(pixels, bold));
    p.setPen(ink);
    const QFontMetricsF fm(p.font());
    const QSizeF size(fm.horizontalAdvance(text) + 2, fm.height());
    p.drawText(QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size), Qt::AlignCenter,
               text);
    p.restore();
}

void Hatch(QPainter &p, const QPainterPath &area, QColor colour, double step) {
    p.save();
    p.setClipPath(area);
    p.setPen(QPen(colour, 0.8));
    const QRectF r = area.boundingRect();
    for (double x = r.left() - r.height(); x < r.right(); x += step)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.restore();
}

void PanelFrame(QPainter &p, const QImage &image) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0xa0, 0xa8, 0xb4), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    p.restore();
}

std::vector<QPointF> Along(const std::vector<QPointF> &path, double step) {
    double length = 0;
    for (size_t i = 1; i < path.size(); ++i) length += QLineF(path[i - 1], path[i]).length();
    const int n = std::max(1, int(std::lround(length / step)));
    std::vector<QPointF> out;
    for (int k = 0; k <= n; ++k) {
        double target = length * k / n;
        for (size_t i = 1; i < path.size(); ++i) {
            const double seg = QLineF(path[i - 1], path[i]).length();
            if (target <= seg + 1e-9 || i + 1 == path.size()) {
                out.push_back(path[i - 1] + (path[i] - path[i - 1]) * std::min(1.0, target / seg));
                break;
            }
            target -= seg;
        }
    }
    return out;
}

std::vector<QPointF> Contour(double radius, double springing, double bottom) {
    std::vector<QPointF> path;
    path.push_back(QPointF(-radius, bottom));
    path.push_back(QPointF(-radius, springing));
    for (int i = 0; i <= 180; ++i) {
        const double a = qDegreesToRadians(180.0 - i);
        path.push_back(QPointF(radius * std::cos(a), springing + radius * std::sin(a)));
    }
    path.push_back(QPointF(radius, bottom));
    return path;
}

}  // namespace pictures
