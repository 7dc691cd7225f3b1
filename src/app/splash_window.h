#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

namespace tunnel {

// The loading splash: a progress bar filled by one percent every 5 ms. At
// 100 % it emits finished() and goes.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

    void Tick();

signals:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QProgressBar *m_bar = nullptr;
    QLabel *m_label = nullptr;
    QTimer *m_timer = nullptr;
};

}  // namespace tunnel
