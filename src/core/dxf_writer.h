#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tunnel {

// Writes an ASCII DXF drawing in memory, in AutoCAD 2007 format (AC1021),
// whose strings are UTF-8, so Chinese layer names and texts need no code
// page. The file holds every table and object a CAD program expects of an
// R2000+ drawing; entities go to model space. Angles in degrees.
class DxfWriter {
public:
    // units: the $INSUNITS code (4 = millimetres).
    explicit DxfWriter(int units = 4);

    // colour: AutoCAD colour index.
    void AddLayer(const QString &name, int colour);
    void Line(const QString &layer, double x1, double y1, double x2, double y2);
    void Circle(const QString &layer, double x, double y, double radius);
    // Counter-clockwise from start to end.
    void Arc(const QString &layer, double x, double y, double radius, double start, double end);
    enum class Align { Left, Centre, Right, Middle };
    // (x, y) is the left, centre or right end of the text's base line, or
    // (Middle) the centre of the text.
    void Text(const QString &layer, double x, double y, double height, const QString &text,
              Align align = Align::Left, double rotation = 0);

    // The whole file; the drawing's extents are those of its entities.
    QByteArray Finish() const;

    // Name of the text style of every text: a CJK TrueType font.
    static constexpr const char *kTextStyle = "CJK";

private:
    void Grow(double x, double y);

    struct Layer {
        QString name;
        int colour;
    };
    int m_units;
    std::vector<Layer> m_layers;
    QByteArray m_entities;
    int m_entityHandles = 0;
    double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    bool m_empty = true;
};

}  // namespace tunnel
