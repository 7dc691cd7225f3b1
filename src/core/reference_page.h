#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace tunnel {

// One unit of a fixed-layout reference page: a picture box, a label, a
// multi-line text box or a group box. Geometry is relative to the window, or
// to the group given by index.
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

// A reference window: its caption, size and units.
struct PageTable {
    QString caption;
    QSize size;
    std::vector<PageUnit> units;
};

// A reference page a module's window opens from one of its buttons.
struct ReferenceLink {
    const char *button;   // objectName of the button (or option) in the window
    PageTable (*page)();  // the page; also identifies it
    bool modal = false;   // modal to the window, else independent and shown once
};

// A picture unit of a page.
inline PageUnit PicturePageUnit(const char *id, const char *name, QRect geometry, int group = -1) {
    return PageUnit{PageUnit::Kind::Picture, id, QString::fromUtf8(name), geometry, group};
}

}  // namespace tunnel
