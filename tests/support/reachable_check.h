#pragma once

// The check that a window fits a laptop screen: inside the available area,
// every control reachable (scrolled to as a user would) and uncovered on
// every tab page, one-line captions shown whole.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QtTest>

#include "app/main_window.h"
#include "widgets/fitted_window.h"

namespace tunnel::test {

// The controls a user must reach: buttons, fields, lists, text boxes and the
// pictures of the reference pages.
inline bool IsControl(QWidget *w) {
    if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
        qobject_cast<QComboBox *>(w) || qobject_cast<QPlainTextEdit *>(w))
        return true;
    return qobject_cast<QLabel *>(w) && w->property("picture").isValid();
}

// Scrolls every scroll area around the control so that it comes into view,
// the way a user would.
inline void ScrollTo(QWidget *control) {
    for (QWidget *w = control->parentWidget(); w; w = w->parentWidget()) {
        auto *area = qobject_cast<QScrollArea *>(w);
        if (!area || !area->widget()) continue;
        const QPoint centre = control->mapTo(area->widget(), control->rect().center());
        // The whole control where the viewport allows it, else its centre.
        const QSize view = area->viewport()->size();
        area->ensureVisible(centre.x(), centre.y(),
                            qMin(control->width() / 2 + 4, view.width() / 2 - 1),
                            qMin(control->height() / 2 + 4, view.height() / 2 - 1));
    }
}

// The screen of that size ("1366x768"), or null.
inline QScreen *ScreenOfSize(const QString &screen) {
    const QStringList wh = screen.split(QLatin1Char('x'));
    const QSize size(wh[0].toInt(), wh[1].toInt());
    for (QScreen *s : QGuiApplication::screens())
        if (s->geometry().size() == size) return s;
    return nullptr;
}

// Checks the shown window on the target screen; failures end the test.
inline void CheckEveryControlReachable(QWidget *window, QScreen *target) {
    const QRect available = target->availableGeometry();
    const QRect outer(window->pos(), window->size() + FrameAllowance(window));
    QVERIFY2(available.contains(outer), qPrintable(QStringLiteral("window at %1,%2 %3×%4")
                                                       .arg(outer.x())
                                                       .arg(outer.y())
                                                       .arg(outer.width())
                                                       .arg(outer.height())));

    // Every page of every tab widget, then every control shown on it.
    QList<std::pair<QTabWidget *, int>> pages{{nullptr, 0}};
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i) pages.append({tabs, i});
    int checked = 0;
    for (const auto &[tabs, index] : pages) {
        if (tabs) tabs->setCurrentIndex(index);
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (!IsControl(control) || !control->isVisible()) continue;
            ScrollTo(control);
            QCoreApplication::processEvents();
            const QPoint centre = control->mapToGlobal(control->rect().center());
            const QString name =
                control->objectName() + QLatin1Char(' ') + control->metaObject()->className();
            QVERIFY2(available.contains(centre), qPrintable(name + " is off the screen"));
            QWidget *hit = QApplication::widgetAt(centre);
            QVERIFY2(hit && (hit == control || control->isAncestorOf(hit)),
                     qPrintable(name + " is covered by " +
                                (hit ? hit->objectName() + QLatin1Char(' ') +
                                           hit->metaObject()->className()
                                     : QStringLiteral("nothing"))));
            ++checked;
        }
    }
    QVERIFY(checked > 0);

    // One-line captions (the main window's clock line among them) show whole.
    if (auto *main = qobject_cast<MainWindow *>(window)) main->TickClock();
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap() ||
            label->textFormat() == Qt::RichText || label->text().contains(QLatin1Char('\n')))
            continue;
        ScrollTo(label);
        QCoreApplication::processEvents();
        const QRect shown(label->mapTo(window, QPoint()), label->size());
        QVERIFY2(window->rect().contains(shown),
                 qPrintable(label->text() + " is cut by the window"));
        QVERIFY2(
            label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
            qPrintable(label->text() + " is cut"));
    }
}

}  // namespace tunnel::test
