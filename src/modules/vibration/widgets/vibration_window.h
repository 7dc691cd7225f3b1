#pragma once

#include <QPointer>

#include "widgets/calc_window.h"

class QComboBox;
class QTabWidget;

namespace tunnel {

class RegressionWindow;

// The vibration window: the shared category and rock fields above a tab
// control with one tab per mode, the log box with the file and calculate
// buttons beside it. Its commands are those of the vibration module.
class VibrationWindow : public CalcWindow {
    Q_OBJECT
public:
    VibrationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);

    QTabWidget *Tabs() const { return m_tabs; }
    QComboBox *Categories() const { return m_categories; }
    QComboBox *Bands() const { return m_bands; }
    // The regression window it opened, while that is open.
    RegressionWindow *Regression() const;

private:
    void BuildCategoryRow();
    void BuildExportRow();
    QWidget *BuildLogColumn();
    void OpenRegression();

    QTabWidget *m_tabs = nullptr;
    QComboBox *m_categories = nullptr;
    QComboBox *m_bands = nullptr;
    QPointer<RegressionWindow> m_regression;
};

}  // namespace tunnel
