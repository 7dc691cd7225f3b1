#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace tunnel::test {

struct Opened {
    QString caption;
    bool modal = false;
};

// Clicks the button and tells which window it opened: a modal one is read
// and closed from a timer, an independent one is found among the new
// top-level windows and closed.
inline Opened ClickReference(QAbstractButton *button) {
    Opened opened;
    const QList<QWidget *> before = QApplication::topLevelWidgets();
    QTimer::singleShot(50, [&opened] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            opened = {modal->windowTitle(), true};
            modal->close();
        }
    });
    button->click();
    if (opened.caption.isEmpty()) {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (!before.contains(w) && w->isVisible()) {
                opened = {w->windowTitle(), false};
                w->close();
            }
    }
    QTest::qWait(60);  // let the timer fire when nothing modal came
    return opened;
}

}  // namespace tunnel::test
