#include "app/window_catalog.h"
#include "modules/mucking/mucking.h"
#include "ui/calc_window.h"
#include "ui/help_window.h"
#include "ui/reference_window.h"

#ifdef TUNNEL_HAS_DANGEROUS_WORKS
#include "modules/dangerous_works/dangerous_works_window.h"
#endif
#ifdef TUNNEL_HAS_VIBRATION
#include "modules/vibration/vibration_window.h"
#endif

#ifdef TUNNEL_HAS_PERIOD
#include "modules/period/period_window.h"
#endif

#ifdef TUNNEL_HAS_VENTILATION
#include "modules/ventilation/ventilation_window.h"
#endif

#ifdef TUNNEL_HAS_SMOOTHBLAST
#include "modules/smoothblast/smoothblast_window.h"
#endif

#ifdef TUNNEL_HAS_FORMWORK
#include "modules/formwork/formwork_window.h"
#endif

// One include and one case per module; a build may leave modules out.

namespace tunnel {

QWidget *CreateWindow(WindowKind kind, const WindowContext &context) {
    switch (kind) {
        case WindowKind::Mucking: {
            auto *window = new CalcWindow(MuckingSpec(), context.dialogs, context.programFolder);
            ConnectReference(window, QStringLiteral("按钮1"), Reference::RockBulking);
            return window;
        }
        case WindowKind::Help:
            return new HelpWindow(context.programFolder);
        case WindowKind::UpdateNotes:
            return CreateUpdateNotesWindow();
#ifdef TUNNEL_HAS_DANGEROUS_WORKS
        case WindowKind::DangerousWorks:
            return CreateDangerousWorksWindow(context.dialogs, context.programFolder);
#endif
#ifdef TUNNEL_HAS_VIBRATION
        case WindowKind::Vibration:
            return new VibrationWindow(context.dialogs, context.programFolder);
#endif
#ifdef TUNNEL_HAS_PERIOD
        case WindowKind::Period:
            return new PeriodWindow(context.dialogs, context.programFolder);
#endif
#ifdef TUNNEL_HAS_VENTILATION
        case WindowKind::Ventilation:
            return new VentilationWindow(context.dialogs, context.programFolder);
#endif
#ifdef TUNNEL_HAS_SMOOTHBLAST
        case WindowKind::SmoothBlasting:
            return new SmoothBlastWindow(context.dialogs, context.programFolder);
#endif
#ifdef TUNNEL_HAS_FORMWORK
        case WindowKind::FormworkLoad:
            return CreateFormworkWindow(context.dialogs, context.programFolder);
#endif
        default:
            break;
    }
    return nullptr;
}

bool IsAvailable(WindowKind kind) {
    switch (kind) {
        case WindowKind::Mucking:
        case WindowKind::Help:
        case WindowKind::UpdateNotes:
            return true;
#ifdef TUNNEL_HAS_DANGEROUS_WORKS
        case WindowKind::DangerousWorks:
            return true;
#endif
#ifdef TUNNEL_HAS_VIBRATION
        case WindowKind::Vibration:
            return true;
#endif
#ifdef TUNNEL_HAS_PERIOD
        case WindowKind::Period:
            return true;
#endif
#ifdef TUNNEL_HAS_VENTILATION
        case WindowKind::Ventilation:
            return true;
#endif
#ifdef TUNNEL_HAS_SMOOTHBLAST
        case WindowKind::SmoothBlasting:
            return true;
#endif
#ifdef TUNNEL_HAS_FORMWORK
        case WindowKind::FormworkLoad:
            return true;
#endif
        default:
            return false;
    }
}

bool IsModal(WindowKind kind) {
    return kind == WindowKind::FormworkLoad || kind == WindowKind::Help ||
           kind == WindowKind::UpdateNotes;
}

}  // namespace tunnel
