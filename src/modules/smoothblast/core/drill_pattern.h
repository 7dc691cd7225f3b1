#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace tunnel {

class Dialogs;
class Form;

// Unit names of the drill pattern window "钻爆设计图".

inline constexpr char kPatternWindowId[] = "钻爆设计图";
inline constexpr char kPatternDrawingId[] = "图形1_钻爆设计图";
inline constexpr char kPatternDelaysId[] = "表格1_段别表";
inline constexpr char kPatternMaxChargeId[] = "标签1_最大段装药量";
inline constexpr char kPatternDxfButtonId[] = "按钮1_导出DXF";
inline constexpr char kPatternPngButtonId[] = "按钮2_导出图片";
inline constexpr char kPatternVibrationButtonId[] = "按钮3_振动校核";
inline constexpr char kPatternCloseButtonId[] = "按钮4_关闭";
inline constexpr char kPatternFitButtonId[] = "按钮5_适合窗口";
inline constexpr char kPatternLegendId[] = "标签2_图例";
inline constexpr char kPatternNoticeId[] = "标签3_说明";

enum class HoleType { Cut, Auxiliary, Perimeter, Floor };

// "掏槽眼", "辅助眼", "周边眼", "底板眼"; also the DXF layer names.
QString HoleTypeName(HoleType type);

// The design numbers the drill pattern is drawn from, as the smooth
// blasting window shows them after "计算". Lengths in metres.
struct DrillDesign {
    double floorWidth = 0;     // B, 编辑框1_底板长
    double outlineLength = 0;  // Lo, outline without the floor, 编辑框1_开挖面外弧长
    double area = 0;           // S as typed; may include the invert
    double spacing = 0;        // E, perimeter spacing
    double burden = 0;         // W, 光爆层厚
    double holeDiameter = 0;   // mm
    bool parallelCut = false;  // 直眼 cut around a relief hole, else wedge cut
    // Hole counts as read from the result fields (not yet checked) and the
    // charge per hole of each type in kg, indexed by HoleType.
    double counts[4] = {};
    double chargePerHole[4] = {};
};

// Reads the design from the smooth blasting window's inputs and results.
DrillDesign ReadDrillDesign(const Form &form);

// The excavation outline: straight walls of wallHeight on the floor width,
// under a circular arch of radius through both wall tops, whose centre is
// at (0, centreY) and which spans halfAngle on either side of the vertical.
// Origin at the floor centre, y upward.
struct Outline {
    double width = 0;
    double wallHeight = 0;
    double radius = 0;
    double centreY = 0;
    double halfAngle = 0;

    double Height() const { return centreY + radius; }
    double Area() const;
    double Length() const;  // without the floor
    // The point at arc length s from the left floor corner, along the left
    // wall, the arch and the right wall.
    struct Point {
        double x, y;
    };
    Point At(double s) const;
    // Distance from (x, y) to the outline including the floor line.
    double Distance(double x, double y) const;
    bool Contains(double x, double y) const;
};

// Semicircular arch of radius B/2 on walls of (Lo − πB/2)/2 when
// Lo ≥ πB/2; otherwise one flatter arc over the width B with no walls,
// whose half angle α solves Lo/B = α/sin α. False when B ≤ 0, Lo ≤ B or
// either is not finite.
bool MakeOutline(double floorWidth, double outlineLength, Outline *outline);

struct Hole {
    HoleType type;
    double x, y;  // collar, metres
    int delay;
    double charge;  // kg
};

struct DelayRow {
    int delay;
    HoleType type;
    int count;
    double chargePerHole;
    double charge;  // of the whole delay, kg
};

struct DrillPattern {
    // Empty when the pattern was placed; else why no hole is drawn.
    QString error;
    // Whether the outline is drawn: with the holes, or alone when the
    // outline and the section area disagree.
    bool hasOutline = false;
    Outline outline;
    std::vector<Hole> holes;
    bool hasRelief = false;  // the empty hole of a parallel cut
    double reliefX = 0, reliefY = 0, reliefDiameter = 0;
    double cutCentreY = 0;
    double cutSpacing = 0;  // between the wedge columns, or cut hole to relief hole
    std::vector<DelayRow> delays;
    double maxDelayCharge = 0;

    int Count(HoleType type) const;
};

// A dimension between two points, drawn offset to the left of the
// direction from the first to the second point (negative: to the right).
struct Dimension {
    double x1, y1, x2, y2;
    double offset;
    QString text;
};

// Face width B, face height H, perimeter spacing E at the crown, burden W
// across the smooth blasting layer and the cut spacing; texts in mm.
std::vector<Dimension> PatternDimensions(const DrillPattern &pattern, const DrillDesign &design);

// The legend: count of each type and the total, the outline's area beside
// the area typed, and the length unit.
QStringList PatternLegend(const DrillPattern &pattern, const DrillDesign &design);

// The charge of each delay and the largest of them, one line each.
QStringList DelayLines(const DrillPattern &pattern);

// A charge in kg as the drawing and the report show it (three decimals).
QString ChargeText(double kg);

// Charged holes closer than this cannot be drilled.
inline constexpr double kMinHoleSpacing = 0.3;

// Below this share of the section area S the outline drawn from B and Lo
// cannot be the face the hole counts were designed for: an invert, which S
// may include, adds far less than half the face above the floor.
inline constexpr double kLeastOutlineShare = 2.0 / 3;

// Places every hole of the design (see drill_pattern.cpp for the rules) and
// numbers the delays. On failure the pattern holds no hole, only the error.
// The last few designs are kept: asked again, the same pattern is returned.
DrillPattern PlaceHoles(const DrillDesign &design);
// The same, placed anew every time.
DrillPattern PlaceHolesAfresh(const DrillDesign &design);

// The pattern as an ASCII DXF drawing (AutoCAD 2007 format, UTF-8 texts),
// millimetres, origin at the floor centre. Every hole carries its delay
// number, placed clear of the holes and of the other texts.
QByteArray DrillPatternDxf(const DrillPattern &pattern, const DrillDesign &design);

// Asks for the file (save dialog in the export folder below dataFolder,
// proposing fileName) and writes the bytes atomically. A failed write is
// reported and leaves the earlier file as it was. Returns the path written,
// empty when cancelled or failed.
QString SaveDrawingFile(Dialogs &dialogs, const QString &dataFolder, const QString &fileName,
                        const QString &filter, const QByteArray &bytes);

}  // namespace tunnel
