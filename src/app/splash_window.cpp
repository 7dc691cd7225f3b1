#include "app/splash_window.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "core/shell_rules.h"
#include "widgets/picture_view.h"

namespace tunnel {

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(819, 411);
    m_picture = Picture(QStringLiteral("splash"), QSize(1000, 500),
                        QStringLiteral("隧道钻爆法施工计算工具"));

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("进度条1"));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setGeometry(295, 384, 337, 8);

    m_label = new QLabel(QStringLiteral("载入进度"), this);
    m_label->setObjectName(QStringLiteral("透明标签1"));
    m_label->setGeometry(208, 382, 72, 16);
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_label->setStyleSheet(QStringLiteral("color: white; font-size: 11px;"));

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("时钟1"));
    m_timer->setInterval(5);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::Tick);
    m_timer->start();
}

void SplashWindow::Tick() {
    const int p = m_bar->value();
    if (p == 100) {
        m_label->setText(QStringLiteral("加载完成！"));
        m_bar->hide();
        m_timer->stop();
        m_label->hide();
        emit finished();
        close();
        return;
    }
    m_bar->setValue(p + 1);
    m_label->setText(SplashCaption(p + 1));
}

void SplashWindow::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

}  // namespace tunnel
