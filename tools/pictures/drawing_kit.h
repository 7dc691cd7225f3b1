// Shared pieces for drawing the program's pictures: the house colours and
// fonts, a sink that writes finished images, ruled tables and the sketch
// marks (dimensions, holes, labels, hatching).

#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <utility>
#include <vector>

namespace pictures {

inline const QColor kInk(0x20, 0x20, 0x20);
inline const QColor kRule(0x3a, 0x3a, 0x3a);
inline const QColor kHeadFill(0xdd, 0xe6, 0xf1);
inline const QColor kSumFill(0xf3, 0xf0, 0xe2);
inline const QColor kTitleInk(0x17, 0x36, 0x5d);
inline const QColor kDim(0x1f, 0x5f, 0xa8);
inline const QColor kCharged(0x20, 0x20, 0x20);

// Writes pictures into one folder. A failed write is remembered rather than
// fatal, so the remaining pictures are still drawn and the run fails at the end.
class PictureSink {
public:
    explicit PictureSink(QString folder) : folder_(std::move(folder)) {}

    // PNG, or JPEG for a .jpg name; a subfolder in the name is created.
    void Save(const QImage &image, const char *fileName);
    bool Failed() const { return failed_; }

private:
    QString folder_;
    bool failed_ = false;
};

QString U(const char *text);
QFont Sans(int pixels, bool bold = false);
QFont Serif(int pixels, bool bold = false);

QImage Canvas(int width, int height, QColor fill = Qt::white);
void Begin(QPainter &p, QImage &image);

struct Cell {
    int row;
    int col;
    QString text;
    int rowSpan = 1;
    int colSpan = 1;
    int align = Qt::AlignCenter;
    bool head = false;
    QColor fill = Qt::transparent;
    bool bold = false;
};

struct Grid {
    QPoint origin;
    std::vector<int> widths;
    std::vector<int> heights;

    int X(int col) const {
        int x = origin.x();
        for (int i = 0; i < col; ++i) x += widths[i];
        return x;
    }
    int Y(int row) const {
        int y = origin.y();
        for (int i = 0; i < row; ++i) y += heights[i];
        return y;
    }
    QRect Rect(const Cell &c) const {
        return QRect(X(c.col), Y(c.row), X(c.col + c.colSpan) - X(c.col),
                     Y(c.row + c.rowSpan) - Y(c.row));
    }
    int Right() const { return X(int(widths.size())); }
    int Bottom() const { return Y(int(heights.size())); }
};

// Header cells shaded; every cell outlined (merged cells simply span), the
// outer frame drawn heavier.
void DrawTable(QPainter &p, const Grid &grid, const std::vector<Cell> &cells, const QFont &body,
               const QFont &head, int padding = 5);

// Sets each row to the height its one-row cells need (at least minimum).
void FitRows(Grid &grid, const std::vector<Cell> &cells, const QFont &body, const QFont &head,
             int minimum, int padding = 5);

// Text block with word wrap; returns the height used.
int Paragraph(QPainter &p, const QRect &box, const QString &text, const QFont &font,
              int flags = Qt::AlignLeft | Qt::AlignTop, QColor ink = kInk);

void Title(QPainter &p, const QRect &box, const QString &text, int pixels = 17);

// Small "code" tag drawn right-aligned, e.g. the standard a table comes from.
void SourceTag(QPainter &p, const QRect &box, const QString &text);

void Arrowhead(QPainter &p, QPointF tip, QPointF from, double size = 7);

// A dimension line between a and b with arrows at both ends and the text
// centred beside it (offset to the left of a→b for positive side).
void Dimension(QPainter &p, QPointF a, QPointF b, const QString &text, double side = 1,
               QColor colour = kDim, int pixels = 12);

// Extension (witness) line.
void Witness(QPainter &p, QPointF a, QPointF b, QColor colour = kDim);

void ChargedHole(QPainter &p, QPointF c, double r = 6);
void EmptyHole(QPainter &p, QPointF c, double r = 6);

void Label(QPainter &p, QPointF centre, const QString &text, int pixels = 12, QColor ink = kInk,
           bool bold = false);

// Rock hatching inside a path (diagonal lines, light).
void Hatch(QPainter &p, const QPainterPath &area, QColor colour = QColor(0xb8, 0xb0, 0xa0),
           double step = 9);

void PanelFrame(QPainter &p, const QImage &image);

// Points spaced evenly (about step apart) along a polyline in metres.
std::vector<QPointF> Along(const std::vector<QPointF> &path, double step);

// Horseshoe contour of the given radius: walls from `bottom` up to the
// springing line, then the arch. Smaller radii give the inner hole rings.
std::vector<QPointF> Contour(double radius, double springing, double bottom);

}  // namespace pictures
