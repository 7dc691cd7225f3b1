#pragma once

#include "modules/smoothblast/core/blast_evaluation.h"
#include "widgets/calc_window.h"

class QComboBox;

namespace tunnel {

class TextBox;

// The blasting effect evaluation window, opened modally from the smooth
// blasting window. It keeps nothing between openings.
class EvaluationWindow : public CalcWindow {
    Q_OBJECT
public:
    EvaluationWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);

    // Replaces the verdict box's text and sets its colour and font size.
    void ShowVerdict(const Verdict &verdict);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *m_rockClass = nullptr;
    TextBox *m_verdict = nullptr;
};

}  // namespace tunnel
