#include "core/dxf_writer.h"

#include <algorithm>

namespace tunnel {

namespace {

// Handles of the fixed records; entity handles follow from kFirstEntity.
enum Handle : int {
    kRootDictionary = 0x1,
    kGroupDictionary,
    kVportTable,
    kVport,
    kLtypeTable,
    kByBlock,
    kByLayer,
    kContinuous,
    kLayerTable,
    kStyleTable,
    kStandardStyle,
    kCjkStyle,
    kViewTable,
    kUcsTable,
    kAppidTable,
    kAcadAppid,
    kDimstyleTable,
    kStandardDimstyle,
    kBlockRecordTable,
    kModelRecord,
    kPaperRecord,
    kModelBlock,
    kModelEnd,
    kPaperBlock,
    kPaperEnd,
    kFirstLayer = 0x40,
    kFirstEntity = 0x100,
};

QByteArray Hex(int handle) {
    return QByteArray::number(handle, 16).toUpper();
}

class Out {
public:
    void Tag(int code, const QByteArray &value) {
        m_bytes += QByteArray::number(code).rightJustified(3, ' ');
        m_bytes += '\n';
        m_bytes += value;
        m_bytes += '\n';
    }
    void Tag(int code, const char *value) { Tag(code, QByteArray(value)); }
    void Tag(int code, const QString &value) { Tag(code, value.toUtf8()); }
    void Int(int code, long long value) { Tag(code, QByteArray::number(value)); }
    void Real(int code, double value) { Tag(code, QByteArray::number(value, 'f', 4)); }
    void Handle(int code, int handle) { Tag(code, Hex(handle)); }
    void Point(int code, double x, double y) {
        Real(code, x);
        Real(code + 10, y);
        Real(code + 20, 0);
    }
    void Append(const QByteArray &bytes) { m_bytes += bytes; }
    QByteArray &Bytes() { return m_bytes; }

    void Table(const char *name, int handle, int count) {
        Tag(0, "TABLE");
        Tag(2, name);
        Handle(5, handle);
        Tag(330, "0");
        Tag(100, "AcDbSymbolTable");
        Int(70, count);
    }
    void Record(const char *type, int handle, int owner, const char *subclass) {
        Tag(0, type);
        Handle(type == QByteArrayLiteral("DIMSTYLE") ? 105 : 5, handle);
        Handle(330, owner);
        Tag(100, "AcDbSymbolTableRecord");
        Tag(100, subclass);
    }

private:
    QByteArray m_bytes;
};

}  // namespace

DxfWriter::DxfWriter(int units) : m_units(units) {}

void DxfWriter::AddLayer(const QString &name, int colour) {
    m_layers.push_back({name, colour});
}

void DxfWriter::Grow(double x, double y) {
    if (m_empty) {
        m_minX = m_maxX = x;
        m_minY = m_maxY = y;
        m_empty = false;
        return;
    }
    m_minX = std::min(m_minX, x);
    m_maxX = std::max(m_maxX, x);
    m_minY = std::min(m_minY, y);
    m_maxY = std::max(m_maxY, y);
}

namespace {

void EntityHead(Out &out, const char *type, int handle, const QString &layer) {
    out.Tag(0, type);
    out.Handle(5, handle);
    out.Handle(330, kModelRecord);
    out.Tag(100, "AcDbEntity");
    out.Tag(8, layer);
}

}  // namespace

void DxfWriter::Line(const QString &layer, double x1, double y1, double x2, double y2) {
    Out out;
    EntityHead(out, "LINE", kFirstEntity + m_entityHandles++, layer);
    out.Tag(100, "AcDbLine");
    out.Point(10, x1, y1);
    out.Point(11, x2, y2);
    m_entities += out.Bytes();
    Grow(x1, y1);
    Grow(x2, y2);
}

void DxfWriter::Circle(const QString &layer, double x, double y, double radius) {
    Out out;
    EntityHead(out, "CIRCLE", kFirstEntity + m_entityHandles++, layer);
    out.Tag(100, "AcDbCircle");
    out.Point(10, x, y);
    out.Real(40, radius);
    m_entities += out.Bytes();
    Grow(x - radius, y - radius);
    Grow(x + radius, y + radius);
}

void DxfWriter::Arc(const QString &layer, double x, double y, double radius, double start,
                    double end) {
    Out out;
    EntityHead(out, "ARC", kFirstEntity + m_entityHandles++, layer);
    out.Tag(100, "AcDbCircle");
    out.Point(10, x, y);
    out.Real(40, radius);
    out.Tag(100, "AcDbArc");
    out.Real(50, start);
    out.Real(51, end);
    m_entities += out.Bytes();
    Grow(x - radius, y - radius);
    Grow(x + radius, y + radius);
}

void DxfWriter::Text(const QString &layer, double x, double y, double height, const QString &text,
                     Align align, double rotation) {
    Out out;
    EntityHead(out, "TEXT", kFirstEntity + m_entityHandles++, layer);
    out.Tag(100, "AcDbText");
    out.Point(10, x, y);
    out.Real(40, height);
    // Line breaks would end the tag's value.
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    out.Tag(1, line);
    if (rotation != 0) out.Real(50, rotation);
    out.Tag(7, kTextStyle);
    if (align != Align::Left) {
        out.Int(72, align == Align::Right ? 2 : 1);
        out.Point(11, x, y);
    }
    out.Tag(100, "AcDbText");
    if (align == Align::Middle) out.Int(73, 2);
    m_entities += out.Bytes();
    Grow(x, y);
    Grow(x, y + height);
}

QByteArray DxfWriter::Finish() const {
    Out out;
    const double minX = m_empty ? 0 : m_minX, minY = m_empty ? 0 : m_minY;
    const double maxX = m_empty ? 0 : m_maxX, maxY = m_empty ? 0 : m_maxY;

    out.Tag(0, "SECTION");
    out.Tag(2, "HEADER");
    out.Tag(9, "$ACADVER");
    out.Tag(1, "AC1021");
    out.Tag(9, "$DWGCODEPAGE");
    out.Tag(3, "ANSI_936");
    out.Tag(9, "$INSBASE");
    out.Point(10, 0, 0);
    out.Tag(9, "$EXTMIN");
    out.Point(10, minX, minY);
    out.Tag(9, "$EXTMAX");
    out.Point(10, maxX, maxY);
    out.Tag(9, "$INSUNITS");
    out.Int(70, m_units);
    out.Tag(9, "$MEASUREMENT");
    out.Int(70, 1);
    out.Tag(9, "$LUNITS");
    out.Int(70, 2);
    out.Tag(9, "$TEXTSTYLE");
    out.Tag(7, kTextStyle);
    out.Tag(9, "$CLAYER");
    out.Tag(8, "0");
    out.Tag(9, "$HANDSEED");
    out.Handle(5, kFirstEntity + m_entityHandles);
    out.Tag(0, "ENDSEC");

    out.Tag(0, "SECTION");
    out.Tag(2, "CLASSES");
    out.Tag(0, "ENDSEC");

    out.Tag(0, "SECTION");
    out.Tag(2, "TABLES");

    out.Table("VPORT", kVportTable, 1);
    out.Record("VPORT", kVport, kVportTable, "AcDbViewportTableRecord");
    out.Tag(2, "*ACTIVE");
    out.Int(70, 0);
    out.Real(10, 0);
    out.Real(20, 0);
    out.Real(11, 1);
    out.Real(21, 1);
    out.Real(12, (minX + maxX) / 2);
    out.Real(22, (minY + maxY) / 2);
    out.Real(40, std::max(1.0, (maxY - minY) * 1.1));
    out.Real(41, 1.6);
    out.Tag(0, "ENDTAB");

    out.Table("LTYPE", kLtypeTable, 3);
    const std::pair<int, const char *> ltypes[] = {
        {kByBlock, "ByBlock"}, {kByLayer, "ByLayer"}, {kContinuous, "Continuous"}};
    for (const auto &[handle, name] : ltypes) {
        out.Record("LTYPE", handle, kLtypeTable, "AcDbLinetypeTableRecord");
        out.Tag(2, name);
        out.Int(70, 0);
        out.Tag(3, handle == kContinuous ? "Solid line" : "");
        out.Int(72, 65);
        out.Int(73, 0);
        out.Real(40, 0);
    }
    out.Tag(0, "ENDTAB");

    out.Table("LAYER", kLayerTable, int(m_layers.size()) + 1);
    std::vector<Layer> layers{{QStringLiteral("0"), 7}};
    layers.insert(layers.end(), m_layers.begin(), m_layers.end());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        out.Record("LAYER", kFirstLayer + int(i), kLayerTable, "AcDbLayerTableRecord");
        out.Tag(2, layers[i].name);
        out.Int(70, 0);
        out.Int(62, layers[i].colour);
        out.Tag(6, "Continuous");
        out.Int(370, -3);
    }
    out.Tag(0, "ENDTAB");

    out.Table("STYLE", kStyleTable, 2);
    const std::pair<int, const char *> styles[] = {{kStandardStyle, "Standard"},
                                                   {kCjkStyle, kTextStyle}};
    for (const auto &[handle, name] : styles) {
        out.Record("STYLE", handle, kStyleTable, "AcDbTextStyleTableRecord");
        out.Tag(2, name);
        out.Int(70, 0);
        out.Real(40, 0);
        out.Real(41, 1);
        out.Real(50, 0);
        out.Int(71, 0);
        out.Real(42, 2.5);
        // SimSun carries every Chinese character on any Chinese Windows.
        out.Tag(3, handle == kCjkStyle ? "simsun.ttc" : "txt");
        out.Tag(4, "");
    }
    out.Tag(0, "ENDTAB");

    out.Table("VIEW", kViewTable, 0);
    out.Tag(0, "ENDTAB");
    out.Table("UCS", kUcsTable, 0);
    out.Tag(0, "ENDTAB");

    out.Table("APPID", kAppidTable, 1);
    out.Record("APPID", kAcadAppid, kAppidTable, "AcDbRegAppTableRecord");
    out.Tag(2, "ACAD");
    out.Int(70, 0);
    out.Tag(0, "ENDTAB");

    out.Table("DIMSTYLE", kDimstyleTable, 1);
    out.Tag(100, "AcDbDimStyleTable");
    out.Int(71, 1);
    out.Record("DIMSTYLE", kStandardDimstyle, kDimstyleTable, "AcDbDimStyleTableRecord");
    out.Tag(2, "Standard");
    out.Int(70, 0);
    out.Tag(0, "ENDTAB");

    out.Table("BLOCK_RECORD", kBlockRecordTable, 2);
    const std::pair<int, const char *> records[] = {{kModelRecord, "*Model_Space"},
                                                    {kPaperRecord, "*Paper_Space"}};
    for (const auto &[handle, name] : records) {
        out.Record("BLOCK_RECORD", handle, kBlockRecordTable, "AcDbBlockTableRecord");
        out.Tag(2, name);
    }
    out.Tag(0, "ENDTAB");
    out.Tag(0, "ENDSEC");

    out.Tag(0, "SECTION");
    out.Tag(2, "BLOCKS");
    const struct {
        int begin, end, record;
        const char *name;
        bool paper;
    } blocks[] = {{kModelBlock, kModelEnd, kModelRecord, "*Model_Space", false},
                  {kPaperBlock, kPaperEnd, kPaperRecord, "*Paper_Space", true}};
    for (const auto &b : blocks) {
        out.Tag(0, "BLOCK");
        out.Handle(5, b.begin);
        out.Handle(330, b.record);
        out.Tag(100, "AcDbEntity");
        if (b.paper) out.Int(67, 1);
        out.Tag(8, "0");
        out.Tag(100, "AcDbBlockBegin");
        out.Tag(2, b.name);
        out.Int(70, 0);
        out.Point(10, 0, 0);
        out.Tag(3, b.name);
        out.Tag(1, "");
        out.Tag(0, "ENDBLK");
        out.Handle(5, b.end);
        out.Handle(330, b.record);
        out.Tag(100, "AcDbEntity");
        if (b.paper) out.Int(67, 1);
        out.Tag(8, "0");
        out.Tag(100, "AcDbBlockEnd");
    }
    out.Tag(0, "ENDSEC");

    out.Tag(0, "SECTION");
    out.Tag(2, "ENTITIES");
    out.Append(m_entities);
    out.Tag(0, "ENDSEC");

    out.Tag(0, "SECTION");
    out.Tag(2, "OBJECTS");
    out.Tag(0, "DICTIONARY");
    out.Handle(5, kRootDictionary);
    out.Tag(330, "0");
    out.Tag(100, "AcDbDictionary");
    out.Int(281, 1);
    out.Tag(3, "ACAD_GROUP");
    out.Handle(350, kGroupDictionary);
    out.Tag(0, "DICTIONARY");
    out.Handle(5, kGroupDictionary);
    out.Handle(330, kRootDictionary);
    out.Tag(100, "AcDbDictionary");
    out.Int(281, 1);
    out.Tag(0, "ENDSEC");
    out.Tag(0, "EOF");
    return out.Bytes();
}

}  // namespace tunnel
