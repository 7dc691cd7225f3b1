#pragma once

#include <QPointer>
#include <optional>

#include "core/dialogs.h"
#include "modules/vibration/core/vibration_regression.h"
#include "modules/vibration/widgets/regression_chart.h"
#include "widgets/calc_window.h"

class QComboBox;
class QTableView;

namespace tunnel {

class VibrationRecordModel;

// "爆破振动衰减规律回归": the site's records in a table, their chart, and the
// fit of K and α, which "应用到计算" types into the vibration window that
// opened it. The table unit's text is its records file text; the chart unit
// gives the report its picture.
class RegressionWindow : public CalcWindow {
    Q_OBJECT
public:
    RegressionWindow(Dialogs &dialogs, QString dataFolder, CalcWindow *vibration,
                     QWidget *parent = nullptr);

    VibrationRecordModel *Model() const { return m_model; }
    QTableView *Table() const { return m_table; }
    RegressionChartView *ChartView() const { return m_chart; }
    QComboBox *Confidence() const { return m_confidence; }

    QString Text(QAnyStringView id) const override;
    QByteArray Picture(QAnyStringView id) override;

    void AddRow();
    void DeleteRows();
    // Appends the rows of spreadsheet text on the clipboard.
    void Paste();
    // Replaces the rows by those of a file: any CSV, or the window's own.
    void Import();
    void OpenRecords();
    void SaveRecords();
    void Calculate();
    void Apply();

private:
    void BuildLayout();
    void LoadRecords(const FileRequest &request);
    void RecordsChanged();
    void ConfidenceChanged();
    void Redraw();
    RegressionPlot Plot() const;

    QPointer<CalcWindow> m_vibration;
    VibrationRecordModel *m_model = nullptr;
    QTableView *m_table = nullptr;
    RegressionChartView *m_chart = nullptr;
    QComboBox *m_confidence = nullptr;
    std::optional<AttenuationFit> m_fit;
};

}  // namespace tunnel
