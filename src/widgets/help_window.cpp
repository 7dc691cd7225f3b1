#include "widgets/help_window.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>

#include "core/reference_texts.h"
#include "widgets/reference_window.h"
#include "widgets/text_box.h"

namespace tunnel {

namespace {

constexpr int kFrameWidth = 520;
constexpr int kFrameHeight = 242;
constexpr int kTextWidth = 505;
constexpr int kTextHeight = 279;
// The text's top edge lies this far above the scroll position.
constexpr int kTextOffset = 100;
// Scrolling restarts this far above the minimum.
constexpr int kRestartMargin = 20;

}  // namespace

HelpWindow::HelpWindow(const QString &dataFolder, QWidget *parent) : QWidget(parent, Qt::Dialog) {
    setWindowTitle(QStringLiteral("帮助"));
    setFixedSize(563, 306);

    auto *title = new QLabel(QStringLiteral("软件帮助说明："), this);
    title->setObjectName(kHelpTitle);
    title->setGeometry(12, 8, 300, 20);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    m_frame = new QFrame(this);
    m_frame->setObjectName(kHelpFrame);
    m_frame->setGeometry(12, 32, kFrameWidth, kFrameHeight);
    m_frame->setFrameShape(QFrame::StyledPanel);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->setAutoFillBackground(true);
    QPalette paper = m_frame->palette();
    paper.setColor(QPalette::Window, Qt::white);
    m_frame->setPalette(paper);

    // The box is taller than the frame, which clips it; the box itself
    // never scrolls.
    m_text = new TextBox(m_frame);
    m_text->setObjectName(kHelpText);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setTextInteractionFlags(Qt::NoTextInteraction);
    QFont font = m_text->font();
    font.setPixelSize(13);
    m_text->setFont(font);
    m_text->SetRawText(HelpText());
    m_text->setGeometry((kFrameWidth - kTextWidth) / 2, 0, kTextWidth, kTextHeight);
    m_text->hide();

    m_bar = new QScrollBar(Qt::Vertical, this);
    m_bar->setObjectName(kHelpScrollBar);
    m_bar->setGeometry(12 + kFrameWidth + 2, 32, 17, kFrameHeight);
    m_bar->setRange(-kTextHeight, kFrameHeight + 80);
    m_bar->setValue(m_bar->maximum());
    // Moved by hand, the text follows at once, and stays while the mouse is
    // over the window.
    connect(m_bar, &QScrollBar::valueChanged, this,
            [this](int p) { m_text->move(m_text->x(), p - kTextOffset); });

    auto *folder =
        new QLabel(QStringLiteral("数据文件夹：") + QDir::toNativeSeparators(dataFolder), this);
    folder->setObjectName(kHelpFolder);
    folder->setGeometry(12, 280, 539, 20);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    folder->setToolTip(QDir::toNativeSeparators(dataFolder));  // a long path is cut off

    m_timer = new QTimer(this);
    m_timer->setObjectName(kHelpTimer);
    m_timer->setInterval(35);
    connect(m_timer, &QTimer::timeout, this, &HelpWindow::Tick);
    m_timer->start();

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::enterEvent(QEnterEvent *event) {
    m_timer->stop();
    QWidget::enterEvent(event);
}

void HelpWindow::leaveEvent(QEvent *event) {
    m_timer->start();
    QWidget::leaveEvent(event);
}

void HelpWindow::Tick() {
    int p = m_bar->value();
    if (p >= m_bar->minimum() + kRestartMargin)
        p -= 1;
    else
        p = m_bar->maximum();
    m_bar->setValue(p);
    m_text->move(m_text->x(), p - kTextOffset);
    m_text->show();
}

QWidget *CreateUpdateNotesWindow(QWidget *parent) {
    PageTable page{
        QStringLiteral("软件更新说明"),
        {499, 433},
        {{PageUnit::Kind::Text, kUpdateNotesText, UpdateNotesText(), {8, 8, 483, 417}, -1, 13}}};
    return new ReferenceWindow(page, parent);
}

}  // namespace tunnel
