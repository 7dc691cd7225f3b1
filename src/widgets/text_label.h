#pragma once

#include <QLabel>

namespace tunnel {

// A label whose size comes from a table shared by every label of the
// process. Windows are built anew on each open and lay out the same texts in
// the same fonts; a wrapped label is measured several times per layout, each
// time shaping its whole text. The table keeps what a measurement depends on
// (text, font, frame, margins, alignment, wrapping and the width asked), so a
// label sized once is sized for every window after it.
class TextLabel : public QLabel {
public:
    explicit TextLabel(const QString &text, QWidget *parent = nullptr);
    explicit TextLabel(QWidget *parent = nullptr) : TextLabel(QString(), parent) {}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;
};

// The text colour of a label or button, through its palette: a style sheet
// would do the same and make the widget's polish and every paint slower.
void SetTextColour(QWidget *widget, const QColor &colour);

}  // namespace tunnel
