#pragma once

#include <QPoint>
#include <memory>

#include "widgets/calc_window.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;
class QTimer;
class QVBoxLayout;

namespace tunnel {

class Dialogs;

// The formwork load window "荷载计算" (964 × 824, no menu): page 1 with the
// load combinations, the danger evaluation and the report export, page 2
// with the lateral pressure and its diagram, the log box at the top right of
// the page shown and the hover hint driven by the one-second timer "时钟1".
class FormworkWindow : public CalcWindow {
    Q_OBJECT
public:
    FormworkWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);
    ~FormworkWindow() override;

    // One tick of the hover hint for the cursor at this global position:
    // shows "标签5" beside a hinted field under it, else hides the label.
    void HoverTick(const QPoint &globalPos);

    QTabWidget *Tabs() const { return m_tabs; }

    // Form: a dark background gets white text; an export also locks its
    // button.
    void SetBackColor(QAnyStringView id, Rgb colour) override;
    void SetBusy(bool busy) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildPageLoads(QWidget *page);
    void BuildPagePressure(QWidget *page);
    QComboBox *AddQuestion(const char *id, const char *label, int group);
    // Puts the log box into its place on that page.
    void MoveLogTo(int page);
    // Lays out page 2, once: its units stand ready on the page from the
    // start, but measuring its wrapped texts took a third of the window's
    // opening, so that waits until the page first shows.
    void LayOutPagePressure();

    QTabWidget *m_tabs = nullptr;
    QVBoxLayout *m_logPlaces[2] = {};
    QWidget *m_pressurePage = nullptr;
    std::unique_ptr<QLayout> m_pressureLayout;  // until the page takes it
    QLabel *m_hover = nullptr;
    QTimer *m_timer = nullptr;
};

// Creates the formwork load window for OpenModalWindow (the main window's
// menu and the dangerous works window both open it so).
QWidget *CreateFormworkWindow(Dialogs &dialogs, const QString &dataFolder);

}  // namespace tunnel
