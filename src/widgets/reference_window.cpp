#include "widgets/reference_window.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPointer>

#include "core/reference_texts.h"
#include "widgets/fitted_window.h"
#include "widgets/picture_view.h"
#include "widgets/text_box.h"

namespace tunnel {

namespace {

using Kind = PageUnit::Kind;

constexpr int kCentre = Qt::AlignCenter;

PageUnit PictureUnit(const char *id, const char *name, QRect geometry, int group = -1) {
    return PageUnit{Kind::Picture, id, QString::fromUtf8(name), geometry, group};
}

// Labels show CR LF as a plain line break; the exact text stays in the
// "rawText" property.
QString Shown(const QString &text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

}  // namespace

ReferenceWindow::ReferenceWindow(const PageTable &table, QWidget *parent)
    : QWidget(parent, parent ? Qt::Dialog : Qt::Window) {
    setWindowTitle(table.caption);
    setFixedSize(table.size);
    std::vector<QWidget *> made;
    for (const PageUnit &unit : table.units) {
        QWidget *owner = unit.group >= 0 ? made.at(unit.group) : this;
        QWidget *widget = nullptr;
        switch (unit.kind) {
            case Kind::Picture: {
                auto *label = new QLabel(owner);
                label->setPixmap(Picture(unit.content, unit.geometry.size()));
                label->setProperty("picture", unit.content);
                label->setAlignment(Qt::AlignCenter);
                widget = label;
                break;
            }
            case Kind::Label: {
                auto *label = new QLabel(Shown(unit.content), owner);
                label->setProperty("rawText", unit.content);
                label->setWordWrap(true);
                label->setAlignment(Qt::Alignment(unit.align));
                widget = label;
                break;
            }
            case Kind::Text: {
                auto *box = new TextBox(owner);
                box->SetRawText(unit.content);
                widget = box;
                break;
            }
            case Kind::Group:
                widget = new QGroupBox(unit.content, owner);
                break;
        }
        widget->setObjectName(QString::fromUtf8(unit.id));
        widget->setGeometry(unit.geometry);
        if (unit.pixelSize > 0 || unit.bold) {
            QFont font = widget->font();
            if (unit.pixelSize > 0) font.setPixelSize(unit.pixelSize);
            font.setBold(unit.bold);
            widget->setFont(font);
        }
        made.push_back(widget);
    }
}

PageTable ReferencePage(Reference kind) {
    switch (kind) {
        case Reference::Advance:
            return {QStringLiteral("进尺参考表"),
                    {630, 290},
                    {{Kind::Text, "编辑框2_说明框", AdvanceText(), {8, 8, 614, 274}, -1, 13}}};
        case Reference::CycleTime:
            return {QStringLiteral("隧道循环时间参考表"),
                    {698, 407},
                    {PictureUnit("图片框1", "cycle_time", {9, 9, 680, 388})}};
        case Reference::WedgeCut:
            return {QStringLiteral("斜眼楔形掏槽"),
                    {969, 623},
                    {PictureUnit("图片框1", "wedge_cut_layout", {10, 8, 470, 266}),
                     PictureUnit("图片框2", "wedge_cut_two_stage", {489, 8, 470, 266}),
                     PictureUnit("图片框3", "wedge_cut_multi_stage", {10, 283, 470, 266}),
                     PictureUnit("图片框4", "wedge_cut_advance", {489, 283, 470, 266}),
                     {Kind::Label, "标签1", WedgeCutText(), {14, 556, 941, 60}, -1, 14}}};
        case Reference::ParallelCut: {
            PageTable page{QStringLiteral("直眼掏槽选型"),
                           {1106, 843},
                           {{Kind::Group,
                             "分组框1",
                             QStringLiteral("小直径空孔直孔掏槽布置"),
                             {10, 6, 1086, 378}},
                            {Kind::Group,
                             "分组框2",
                             QStringLiteral("大直径空孔直孔掏槽布置"),
                             {10, 392, 1086, 443}},
                            PictureUnit("图片框6", "large_hole_cuts", {10, 28, 620, 405}, 1),
                            PictureUnit("图片框7", "double_spiral_cut", {639, 28, 437, 405}, 1)}};
            for (int i = 0; i < 5; ++i) {
                static const char *ids[] = {"图片框1", "图片框2", "图片框3", "图片框4", "图片框5"};
                static const char *names[] = {"parallel_cut_1", "parallel_cut_2", "parallel_cut_3",
                                              "parallel_cut_4", "parallel_cut_5"};
                page.units.push_back(
                    PictureUnit(ids[i], names[i], {10 + i * 215, 28, 206, 338}, 0));
            }
            return page;
        }
        case Reference::HoleLayout:
            return {QStringLiteral("布眼示意图（示意，非本工程设计）"),
                    {794, 574},
                    {PictureUnit("图片框1", "hole_layout", {10, 10, 774, 554})}};
        case Reference::VibrationLimits:
            return {
                QStringLiteral("爆破振动安全允许标准"),
                {715, 717},
                {PictureUnit("图片框1", "vibration_limits", {10, 8, 695, 432}),
                 PictureUnit("图片框2", "vibration_factors", {10, 448, 695, 200}),
                 {Kind::Label, "标签1", VibrationLimitText(), {12, 654, 691, 56}, -1, 14, true}}};
        case Reference::RockBulking:
            return {QStringLiteral("岩石的可松性参考"),
                    {788, 695},
                    {{Kind::Label,
                      "标签1",
                      QStringLiteral("各种岩土的可松性参考值表"),
                      {10, 4, 768, 28},
                      -1,
                      18,
                      true,
                      kCentre},
                     PictureUnit("图片框1", "rock_bulking", {10, 34, 768, 628}),
                     {Kind::Label,
                      "标签2",
                      QStringLiteral("参照建筑施工手册(第五版) 8.1.3 综合后"),
                      {10, 666, 768, 22},
                      -1,
                      12,
                      false,
                      Qt::AlignRight | Qt::AlignVCenter}}};
        case Reference::SlabFormworkWeight:
            return {QStringLiteral("楼板模板自重标准值"),
                    {419, 258},
                    {PictureUnit("图片框1", "slab_formwork_weight", {9, 9, 400, 240})}};
        case Reference::LiveLoad:
            return {QStringLiteral("活荷载标准值规范取值"),
                    {669, 386},
                    {PictureUnit("图片框1", "live_load", {9, 9, 650, 368})}};
        case Reference::DumpingLoad:
            return {QStringLiteral("倾倒混凝土时，对垂直面模板产生的水平荷载标准值"),
                    {754, 290},
                    {PictureUnit("图片框1", "dumping_load", {9, 9, 735, 272})}};
    }
    return {};
}

bool IsModalReference(Reference kind) {
    switch (kind) {
        case Reference::HoleLayout:
        case Reference::RockBulking:
        case Reference::SlabFormworkWeight:
        case Reference::LiveLoad:
        case Reference::DumpingLoad:
            return true;
        default:
            return false;
    }
}

QWidget *CreateReferenceWindow(Reference kind, QWidget *parent) {
    return new ReferenceWindow(ReferencePage(kind), parent);
}

void OpenReference(Reference kind, QWidget *caller) {
    if (IsModalReference(kind)) {
        ShowModalWindow(CreateReferenceWindow(kind, caller ? caller->window() : nullptr));
        return;
    }
    // One independent window per kind: opening it again brings it forward.
    static QHash<int, QPointer<QWidget>> open;
    QPointer<QWidget> &window = open[int(kind)];
    if (!window) {
        window = CreateReferenceWindow(kind);
        window->setAttribute(Qt::WA_DeleteOnClose);
        FitToScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void ConnectReference(QAbstractButton *button, Reference kind) {
    button->setEnabled(true);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [button, kind] { OpenReference(kind, button); });
}

bool ConnectReference(QWidget *window, const QString &buttonId, Reference kind) {
    auto *button = window->findChild<QAbstractButton *>(buttonId);
    if (!button) return false;
    ConnectReference(button, kind);
    return true;
}

}  // namespace tunnel
