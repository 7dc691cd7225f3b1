#include "modules/formwork/widgets/pressure_diagram_widget.h"

#include <QLabel>
#include <QPainter>

#include "modules/formwork/core/formwork.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

// Points of the section and of the pressure figure.
constexpr QPoint kA{100, 34};
constexpr QPoint kG{118, 34};
constexpr QPoint kH{147, 104};
constexpr QPoint kF{172, 104};
constexpr QPoint kE{172, 140};
constexpr QPoint kB{100, 140};
constexpr QPoint kC{100, 222};
constexpr QPoint kD{172, 222};

struct LabelPlace {
    QRect rect;
    Qt::Alignment align;
};

// Beside A–C, beside A–B, under C–D, over A–G, beside E–D, beside F–E, title.
constexpr LabelPlace kPlaces[] = {
    {QRect(32, 112, 63, 16), Qt::AlignLeft | Qt::AlignVCenter},
    {QRect(8, 64, 77, 16), Qt::AlignRight | Qt::AlignVCenter},
    {QRect(113, 229, 102, 16), Qt::AlignLeft | Qt::AlignVCenter},
    {QRect(104, 12, 79, 16), Qt::AlignLeft | Qt::AlignVCenter},
    {QRect(186, 176, 54, 16), Qt::AlignLeft | Qt::AlignVCenter},
    {QRect(186, 120, 54, 16), Qt::AlignLeft | Qt::AlignVCenter},
    {QRect(29, 260, 217, 14), Qt::AlignLeft | Qt::AlignVCenter},
};

// A dimension line with end ticks across it.
void Dimension(QPainter &p, QPoint from, QPoint to) {
    p.drawLine(from, to);
    const bool vertical = from.x() == to.x();
    for (QPoint end : {from, to}) {
        if (vertical)
            p.drawLine(end + QPoint(-3, 0), end + QPoint(3, 0));
        else
            p.drawLine(end + QPoint(0, -3), end + QPoint(0, 3));
    }
}

}  // namespace

PressureDiagramWidget::PressureDiagramWidget(QWidget *parent) : QWidget(parent) {
    setObjectName(QString::fromUtf8(kDiagramId));
    setFixedSize(232, 295);
    QFont small = font();
    small.setPixelSize(11);
    for (int i = 0; i < 7; ++i) {
        auto *label = new TextLabel(this);
        label->setObjectName(QString::fromUtf8(kDiagramLabels[i]));
        label->setGeometry(kPlaces[i].rect);
        label->setAlignment(kPlaces[i].align);
        QFont font = small;
        font.setBold(i == 6);
        label->setFont(font);
        SetTextColour(label, i == 6 ? QColor(0xff, 0xff, 0xff) : QColor(0xff, 0xff, 0x66));
    }
}

void PressureDiagramWidget::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Section outline with the pressure figure: top A–G, slope G–F, right
    // edge F–E–D, bottom D–C, formwork face C–B–A.
    p.setPen(QPen(Qt::white, 2));
    const QPoint outline[] = {kA, kG, kF, kE, kD, kC, kB};
    p.drawPolygon(outline, 7);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(kA, kE);
    p.setPen(QPen(Qt::white, 1, Qt::DashLine));
    p.drawLine(kH, kF);
    p.drawLine(kB, kE);

    p.setPen(QPen(QColor(0, 220, 0), 1));
    Dimension(p, QPoint(26, kA.y()), QPoint(26, kC.y()));    // A–C, total head
    Dimension(p, QPoint(88, kA.y()), QPoint(88, kB.y()));    // A–B, effective head
    Dimension(p, QPoint(kA.x(), 29), QPoint(kG.x(), 29));    // A–G, dumping load
    Dimension(p, QPoint(kC.x(), 228), QPoint(kD.x(), 228));  // C–D, design pressure
    Dimension(p, QPoint(182, kF.y()), QPoint(182, kE.y()));  // F–E, acting height
    Dimension(p, QPoint(182, kE.y()), QPoint(182, kD.y()));  // E–D
    for (int y : {kA.y(), kB.y(), kC.y()}) {
        p.drawLine(20, y, 30, y);
        p.drawLine(84, y, kA.x() - 4, y);
    }
    p.drawLine(kD.x() + 4, kD.y(), 186, kD.y());
    p.drawLine(kE.x() + 4, kE.y(), 186, kE.y());
    p.drawLine(kF.x() + 4, kF.y(), 186, kF.y());
    p.drawLine(20, 255, 212, 255);

    p.setPen(Qt::white);
    QFont letters = font();
    letters.setPixelSize(11);
    letters.setBold(true);
    p.setFont(letters);
    const struct {
        QPoint at;
        const char *name;
    } names[] = {{kA + QPoint(-10, -2), "A"}, {kG + QPoint(-5, 14), "G"},
                 {kH + QPoint(-11, 2), "H"},  {kF + QPoint(3, -3), "F"},
                 {kE + QPoint(3, 11), "E"},   {kB + QPoint(-10, 11), "B"},
                 {kC + QPoint(-10, 11), "C"}, {kD + QPoint(3, 11), "D"}};
    for (const auto &n : names) p.drawText(n.at, QString::fromLatin1(n.name));
}

}  // namespace tunnel
