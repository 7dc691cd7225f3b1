#include "widgets/group_box.h"

#include <QCache>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>

namespace tunnel {

namespace {

class FrameCachingStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override {
        const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
        // Only where a copy lands on whole pixels as the drawing would.
        if (element != PE_FrameGroupBox || !frame || !painter->device() ||
            painter->transform().type() > QTransform::TxTranslate || option->rect.isEmpty())
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        const qreal dpr = painter->device()->devicePixelRatio();
        const auto *box = qobject_cast<const QGroupBox *>(widget);
        // What the frame is drawn from: its size, the title line's height,
        // whether there is a title or check box, whether it is enabled (not
        // whether its window is active: a window built out of sight draws
        // the frames its first open then finds) and the palette.
        const QString key = QStringLiteral("%1x%2 %3 %4%5 %6 %7 %8")
                                .arg(option->rect.width())
                                .arg(option->rect.height())
                                .arg(option->fontMetrics.height())
                                .arg(box && box->isCheckable())
                                .arg(box && box->title().isEmpty())
                                .arg(bool(option->state & State_Enabled))
                                .arg(option->palette.cacheKey())
                                .arg(dpr);
        QPixmap *pixmap = m_frames.object(key);
        if (!pixmap) {
            pixmap = new QPixmap((QSizeF(option->rect.size()) * dpr).toSize());
            pixmap->setDevicePixelRatio(dpr);
            pixmap->fill(Qt::transparent);
            QStyleOptionFrame moved = *frame;
            moved.rect.moveTopLeft(QPoint(0, 0));
            QPainter drawing(pixmap);
            QProxyStyle::drawPrimitive(element, &moved, &drawing, widget);
            drawing.end();
            // Cost in kB: about the windows' area, a few MB.
            const qint64 bytes = qint64(pixmap->width()) * pixmap->height() * 4;
            if (!m_frames.insert(key, pixmap, int(bytes / 1024) + 1))
                return QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
        painter->drawPixmap(option->rect.topLeft(), *pixmap);
    }

private:
    mutable QCache<QString, QPixmap> m_frames{32 * 1024};
};

QStyle *FrameStyle() {
    static FrameCachingStyle *style = new FrameCachingStyle;
    return style;
}

}  // namespace

GroupBox::GroupBox(const QString &title, QWidget *parent) : QGroupBox(title, parent) {
    setStyle(FrameStyle());
}

}  // namespace tunnel
