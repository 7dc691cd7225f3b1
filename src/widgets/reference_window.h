#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

class QAbstractButton;

namespace tunnel {

// The reference windows the calculation windows open beside their fields.
enum class Reference {
    Advance,             // "进尺参考表", period window "查进尺"
    CycleTime,           // "隧道循环时间参考表", period window "查用时"
    WedgeCut,            // "斜眼楔形掏槽", smooth blasting radio button
    ParallelCut,         // "直眼掏槽选型", smooth blasting radio button
    HoleLayout,          // "布眼示意图（示意，非本工程设计）", smooth blasting
    VibrationLimits,     // "爆破振动安全允许标准", vibration "查表"
    RockBulking,         // "岩石的可松性参考", mucking small button
    SlabFormworkWeight,  // "楼板模板自重标准值", formwork G1k small button
    LiveLoad,            // "活荷载标准值规范取值", formwork Q1k small button
    DumpingLoad,         // pouring load on vertical formwork, formwork Q3k small button
};

// One unit of a fixed-layout page: a picture box, a label, a multi-line
// text box or a group box. Geometry is relative to the window, or to the
// group given by index.
struct PageUnit {
    enum class Kind { Picture, Label, Text, Group };
    Kind kind;
    const char *id;
    // Picture name under :/pictures/, label caption or text box text.
    QString content;
    QRect geometry;
    int group = -1;
    int pixelSize = 0;  // 0: the platform font size
    bool bold = false;
    int align = Qt::AlignLeft | Qt::AlignVCenter;
};

struct PageTable {
    QString caption;
    QSize size;
    std::vector<PageUnit> units;
};

// A window that only shows its units; it computes and stores nothing.
class ReferenceWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceWindow(const PageTable &table, QWidget *parent = nullptr);
};

// The caption, size and units of a reference window.
PageTable ReferencePage(Reference kind);

// Whether the window opens modal through ShowModalWindow; the others are
// independent windows that leave their caller usable.
bool IsModalReference(Reference kind);

// Builds the window without showing it. A parent makes it a dialog owned by
// that window.
QWidget *CreateReferenceWindow(Reference kind, QWidget *parent = nullptr);

// Opens the window as its caller needs it: modal ones owned by the caller's
// window, returning when closed; independent ones shown without owner (the
// caller stays usable and may close first) and brought to the front when
// already open. Nothing is minimised.
void OpenReference(Reference kind, QWidget *caller);

// Enables the button and makes its clicks open the reference window.
void ConnectReference(QAbstractButton *button, Reference kind);

// The same for the button with this objectName inside window; returns false
// when the window has no such button.
bool ConnectReference(QWidget *window, const QString &buttonId, Reference kind);

}  // namespace tunnel
