#include "widgets/text_label.h"

#include <QHash>
#include <QPicture>
#include <optional>

namespace tunnel {

namespace {

enum class Measure { SizeHint, MinimumSizeHint, HeightForWidth };

struct LabelKey {
    QString text;
    QString font;
    int flags;  // alignment, wrapping, text format, shortcut
    int margin;
    int indent;
    int frame;
    QMargins contents;
    int maximumWidth;
    int dpi;
    Measure measure;
    int width;
    friend bool operator==(const LabelKey &, const LabelKey &) = default;
};

size_t qHash(const LabelKey &k, size_t seed = 0) {
    return qHashMulti(seed, k.text, k.font, k.flags, k.margin, k.indent, k.frame, k.contents.left(),
                      k.contents.top(), k.contents.right(), k.contents.bottom(), k.maximumWidth,
                      k.dpi, int(k.measure), k.width);
}

// Measurements as QSize; a height for width is held as its height.
QHash<LabelKey, QSize> &Measured() {
    static QHash<LabelKey, QSize> table;
    return table;
}

// Null when the label's size is not a plain function of the key: a picture,
// a movie, a style sheet (which may change margins at every polish), or no
// text (QLabel then measures by whether it ever had one).
std::optional<LabelKey> KeyOf(const QLabel &label, Measure measure, int width) {
    if (label.text().isEmpty() || label.testAttribute(Qt::WA_StyleSheet) ||
        !label.pixmap().isNull() || label.movie() || !label.picture().isNull())
        return std::nullopt;
    const int flags = int(label.alignment()) | (label.wordWrap() ? 1 << 30 : 0) |
                      (label.buddy() ? 1 << 29 : 0) | (int(label.textFormat()) << 26);
    return LabelKey{label.text(),
                    label.font().key(),
                    flags,
                    label.margin(),
                    label.indent(),
                    label.frameWidth(),
                    label.contentsMargins(),
                    label.maximumWidth(),
                    label.logicalDpiY(),
                    measure,
                    width};
}

template <typename Compute>
QSize Cached(const QLabel &label, Measure measure, int width, Compute compute) {
    label.ensurePolished();
    const std::optional<LabelKey> key = KeyOf(label, measure, width);
    if (!key) return compute();
    QHash<LabelKey, QSize> &table = Measured();
    if (const auto it = table.constFind(*key); it != table.cend()) return *it;
    // Texts are few, but a label whose text is a running result must not
    // grow the table for ever.
    if (table.size() > 20000) table.clear();
    const QSize size = compute();
    table.insert(*key, size);
    return size;
}

}  // namespace

TextLabel::TextLabel(const QString &text, QWidget *parent) : QLabel(text, parent) {}

QSize TextLabel::sizeHint() const {
    return Cached(*this, Measure::SizeHint, 0, [this] { return QLabel::sizeHint(); });
}

QSize TextLabel::minimumSizeHint() const {
    return Cached(*this, Measure::MinimumSizeHint, 0, [this] { return QLabel::minimumSizeHint(); });
}

int TextLabel::heightForWidth(int width) const {
    return Cached(*this, Measure::HeightForWidth, width,
                  [&] { return QSize(0, QLabel::heightForWidth(width)); })
        .height();
}

void SetTextColour(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

}  // namespace tunnel
