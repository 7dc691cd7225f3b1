#include "app/window_catalog.h"

#include "app/window_ops.h"
#include "modules/mucking/core/mucking.h"
#include "widgets/calc_window.h"
#include "widgets/help_window.h"
#include "widgets/reference_window.h"

#ifdef TUNNEL_HAS_DANGEROUS_WORKS
#include "modules/dangerous_works/widgets/dangerous_works_window.h"
#endif
#ifdef TUNNEL_HAS_VIBRATION
#include "modules/vibration/widgets/vibration_window.h"
#endif
#ifdef TUNNEL_HAS_PERIOD
#include "modules/period/widgets/period_window.h"
#endif
#ifdef TUNNEL_HAS_VENTILATION
#include "modules/ventilation/widgets/ventilation_window.h"
#endif
#ifdef TUNNEL_HAS_SMOOTHBLAST
#include "modules/smoothblast/widgets/smoothblast_window.h"
#endif
#ifdef TUNNEL_HAS_FORMWORK
#include "modules/formwork/widgets/formwork_window.h"
#endif

// A module adds its include, its factory and its row; a build that leaves
// the module out keeps the row with no factory, so its button and menu entry
// show disabled.

namespace tunnel {

namespace {

QWidget *MakeMucking(const WindowContext &context) {
    auto *window = new CalcWindow(MuckingTable(), context.dialogs, context.programFolder);
    ConnectReference(window, QStringLiteral("按钮1"), Reference::RockBulking);
    return window;
}

QWidget *MakeHelp(const WindowContext &context) {
    return new HelpWindow(context.programFolder);
}

QWidget *MakeUpdateNotes(const WindowContext &) {
    return CreateUpdateNotesWindow();
}

#ifdef TUNNEL_HAS_DANGEROUS_WORKS
QWidget *MakeDangerousWorks(const WindowContext &context) {
    return CreateDangerousWorksWindow(context.dialogs, context.programFolder, *context.ops);
}
#else
constexpr WindowFactory MakeDangerousWorks = nullptr;
#endif

#ifdef TUNNEL_HAS_VIBRATION
QWidget *MakeVibration(const WindowContext &context) {
    return new VibrationWindow(context.dialogs, context.programFolder);
}
#else
constexpr WindowFactory MakeVibration = nullptr;
#endif

#ifdef TUNNEL_HAS_PERIOD
QWidget *MakePeriod(const WindowContext &context) {
    return new PeriodWindow(context.dialogs, context.programFolder, *context.ops);
}
#else
constexpr WindowFactory MakePeriod = nullptr;
#endif

#ifdef TUNNEL_HAS_VENTILATION
QWidget *MakeVentilation(const WindowContext &context) {
    return new VentilationWindow(context.dialogs, context.programFolder);
}
#else
constexpr WindowFactory MakeVentilation = nullptr;
#endif

#ifdef TUNNEL_HAS_SMOOTHBLAST
QWidget *MakeSmoothBlasting(const WindowContext &context) {
    return new SmoothBlastWindow(context.dialogs, context.programFolder, *context.ops);
}
#else
constexpr WindowFactory MakeSmoothBlasting = nullptr;
#endif

#ifdef TUNNEL_HAS_FORMWORK
QWidget *MakeFormworkLoad(const WindowContext &context) {
    return CreateFormworkWindow(context.dialogs, context.programFolder);
}
#else
constexpr WindowFactory MakeFormworkLoad = nullptr;
#endif

const CatalogueEntry kCatalogue[] = {
    {WindowKind::DangerousWorks,
     "危险性较大的分部分项工程",
     false,
     MakeDangerousWorks,
     {"超级按钮6", "危大范围辨识", 44, 50},
     {"危大工程范围辨识", "危险性较大工程辨识"}},
    {WindowKind::FormworkLoad,
     "荷载计算",
     true,
     MakeFormworkLoad,
     {},
     {"危大工程范围辨识", "荷载计算"}},
    {WindowKind::SmoothBlasting,
     "隧道光面爆破设计与计算",
     false,
     MakeSmoothBlasting,
     {"超级按钮1", "光面爆破计算", 87, 50},
     {"光面爆破计算", "光面爆破与计算"}},
    {WindowKind::Vibration,
     "爆破影响分析计算",
     false,
     MakeVibration,
     {"超级按钮2", "爆破振速计算", 130, 48},
     {"光面爆破计算", "爆破振速影响计算"}},
    {WindowKind::Ventilation,
     "隧道压入式通风计算",
     false,
     MakeVentilation,
     {"超级按钮3", "施工通风计算", 214, 50},
     {"隧道通风计算", "隧道施工通风计算"}},
    {WindowKind::Period,
     "隧道工期计算",
     false,
     MakePeriod,
     {"超级按钮4", "工期进尺计算", 171, 50},
     {"隧道工期及进尺计算", "隧道工期计算"}},
    {WindowKind::Mucking,
     "隧道除渣及设备配置计算",
     false,
     MakeMucking,
     {"超级按钮5", "开挖配置计算", 257, 50},
     {"隧道工期及进尺计算", "除渣及设备配置计算"}},
    {WindowKind::Help, "帮助", true, MakeHelp, {}, {"关于本程序", "帮助"}},
    {WindowKind::UpdateNotes,
     "软件更新说明",
     true,
     MakeUpdateNotes,
     {},
     {"关于本程序", "版本更新"}},
};

}  // namespace

std::span<const CatalogueEntry> WindowCatalogue() {
    return kCatalogue;
}

const CatalogueEntry &CatalogueEntryOf(WindowKind kind) {
    for (const CatalogueEntry &entry : kCatalogue)
        if (entry.kind == kind) return entry;
    Q_UNREACHABLE();
}

QWidget *CreateWindow(WindowKind kind, const WindowContext &context) {
    const WindowFactory create = CatalogueEntryOf(kind).create;
    if (!create) return nullptr;
    WindowContext full = context;
    if (!full.ops) full.ops = &PlainWindowOps();
    return create(full);
}

bool IsAvailable(WindowKind kind) {
    return CatalogueEntryOf(kind).create != nullptr;
}

bool IsModal(WindowKind kind) {
    return CatalogueEntryOf(kind).modal;
}

}  // namespace tunnel
