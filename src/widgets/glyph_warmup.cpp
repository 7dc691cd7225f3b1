#include "widgets/glyph_warmup.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTimer>
#include <memory>

namespace tunnel {

namespace {

// A line of glyphs drawn in each font takes a few milliseconds; one line
// per turn of the event loop leaves every frame to the user.
struct Warmup {
    QStringList lines;
    QList<QFont> fonts;
    qsizetype next = 0;
    // Wide enough for a line: glyphs outside the image would not be drawn.
    QImage image{1400, 24, QImage::Format_ARGB32_Premultiplied};
};

void DrawNextLine(const std::shared_ptr<Warmup> &w) {
    if (w->next >= w->lines.size()) return;
    QPainter painter(&w->image);
    for (const QFont &font : w->fonts) {
        painter.setFont(font);
        painter.drawText(QPointF(0, 18), w->lines[w->next]);
    }
    painter.end();
    ++w->next;
    QTimer::singleShot(0, qApp, [w] { DrawNextLine(w); });
}

}  // namespace

void WarmGlyphs(const QStringList &texts, const QList<QFont> &otherFonts) {
    auto w = std::make_shared<Warmup>();
    QFont bold = QApplication::font();
    bold.setBold(true);
    w->fonts = QList<QFont>{QApplication::font(), bold} + otherFonts;
    // Each character once, 32 to a line.
    QSet<char32_t> seen;
    w->lines << QString();
    for (const QString &text : texts) {
        for (const char32_t c : text.toUcs4()) {
            if (c < 0x20 || seen.contains(c)) continue;
            seen.insert(c);
            if (w->lines.last().size() >= 32) w->lines << QString();
            w->lines.last() += QString::fromUcs4(&c, 1);
        }
    }
    w->image.fill(Qt::transparent);
    DrawNextLine(w);
}

}  // namespace tunnel
