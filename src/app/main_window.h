#pragma once

#include <QAbstractButton>
#include <QMainWindow>
#include <QPixmap>
#include <functional>
#include <vector>

#include "app/window_catalog.h"

class QLabel;
class QTimer;

namespace tunnel {

class Dialogs;

// A navigation button drawn from a normal and a hover picture.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(QPixmap normal, QPixmap hover, QWidget *parent = nullptr);
    QSize sizeHint() const override { return m_normal.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_hover;
};

// The main window: background picture, menu, the navigation buttons and the
// clock line. Closing it asks first and then ends the program. It is the
// shell the windows it opens ask to open others.
class MainWindow : public QMainWindow, public WindowOps {
    Q_OBJECT
public:
    MainWindow(Dialogs &dialogs, QString dataFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens the window with this id (a module's, or kHelpWindow,
    // kUpdateNotesWindow) modal or independent, as its entry says.
    void Open(std::string_view id);
    // The project information dialog, modal.
    void OpenProjectInfo();
    // One clock tick (the timer calls it every second).
    void TickClock();

    // WindowOps
    void OpenCalculationWindow(QWidget *window) override;
    void OpenModalWindow(QWidget *window) override;
    void RestoreMainWindow() override;
    void EndProgram() override;

    // Tests replace the end of the program.
    void SetEndProgramHandler(std::function<void()> handler);

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildMenu();
    // Places the navigation column and the clock line for the window's size.
    void LayOut();
    // The panel drawn behind the navigation column, in window coordinates.
    QRect ColumnPanel() const;
    void BuildButtons();
    // The navigation buttons top down from the design's place, in as many
    // columns as the window's height needs.
    void LayOutColumn(int height);

    Dialogs &m_dialogs;
    QString m_dataFolder;
    QPixmap m_background;
    QLabel *m_clock = nullptr;
    QTimer *m_timer = nullptr;
    QWidget *m_column = nullptr;             // holds the navigation buttons
    std::vector<PictureButton *> m_buttons;  // in column order
    std::function<void()> m_endProgram;
};

}  // namespace tunnel
