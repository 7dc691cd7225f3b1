#pragma once

#include <QWidget>

class QFrame;
class QScrollBar;
class QTimer;

namespace tunnel {

class TextBox;

// Unit names of the help window.
inline constexpr char kHelpTitle[] = "标签1";
inline constexpr char kHelpFrame[] = "图片框1";
inline constexpr char kHelpText[] = "编辑框1";
inline constexpr char kHelpScrollBar[] = "纵向滚动条1";
inline constexpr char kHelpFolder[] = "标签2";
inline constexpr char kHelpTimer[] = "时钟1";
// The text box of the update notes window.
inline constexpr char kUpdateNotesText[] = "编辑框1";

// The help window "帮助": the help text rises through the frame `图片框1`
// one pixel per tick of `时钟1` (35 ms) and starts again from the bottom.
// The scroll bar `纵向滚动条1` holds the position; moving it by hand moves the
// text there. While the mouse is over the window the text stands still. The
// label `标签2` below names the folder of the user's data. Esc closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString &dataFolder = QString(), QWidget *parent = nullptr);

    // One scrolling step (the timer calls it).
    void Tick();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QFrame *m_frame = nullptr;
    TextBox *m_text = nullptr;
    QScrollBar *m_bar = nullptr;
    QTimer *m_timer = nullptr;
};

// The update notes window "软件更新说明" (not shown yet).
QWidget *CreateUpdateNotesWindow(QWidget *parent = nullptr);

}  // namespace tunnel
