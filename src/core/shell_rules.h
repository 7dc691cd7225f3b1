#pragma once

#include <QDateTime>
#include <QPoint>
#include <QSize>
#include <QString>

namespace tunnel {

// "YYYY年M月D日" then the time with trailing zero parts left out: seconds
// shown when not 0, else minutes when not 0, else the hour when not 0; at
// midnight the date alone. No leading zeros.
QString ClockText(const QDateTime &now);

// Half the screen in each direction, truncated to whole pixels.
QSize MainWindowSize(QSize screen);

// Top-left corner that centres the window (integer division).
QPoint CentredPosition(QSize screen, QSize window);

// Caption of the splash label at progress p: "进度加载p%".
QString SplashCaption(int progress);

}  // namespace tunnel
