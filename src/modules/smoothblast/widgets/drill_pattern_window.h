#pragma once

#include <QWidget>

#include "modules/smoothblast/core/drill_pattern.h"
#include "widgets/window_ops.h"

class QTableWidget;

namespace tunnel {

class Dialogs;
class DrillPatternWidget;

// "钻爆设计图": the drill pattern to scale beside its legend and the table
// of delays, with DXF and picture export and the vibration check of the
// largest charge of one delay. An independent, resizable window that fits
// its screen when shown; Esc closes it. A pattern whose holes could not be
// placed shows its outline alone and says why.
class DrillPatternWindow : public QWidget {
    Q_OBJECT
public:
    DrillPatternWindow(Dialogs &dialogs, QString dataFolder, WindowOps &ops,
                       DrillPattern pattern, DrillDesign design, QWidget *parent = nullptr);

    DrillPatternWidget *Drawing() const { return m_drawing; }
    QTableWidget *DelayTable() const { return m_table; }

    void ExportDxf();
    void ExportPicture();
    void OpenVibrationCheck();

    void setVisible(bool visible) override;

private:
    Dialogs &m_dialogs;
    QString m_dataFolder;
    WindowOps &m_ops;
    DrillPattern m_pattern;
    DrillDesign m_design;
    DrillPatternWidget *m_drawing = nullptr;
    QTableWidget *m_table = nullptr;
};

}  // namespace tunnel
