// Runs on two laptop screens, 1366 × 768 and 1280 × 720 (see
// support/laptop_screens.json, which tests/CMakeLists.txt hands to the
// offscreen platform), or under Xvfb on the one screen it has.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/main_window.h"
#include "app/window_catalog.h"
#include "app/window_ops.h"
#include "core/shell_rules.h"
#include "modules/period/widgets/rock_grade_window.h"
#include "modules/smoothblast/widgets/evaluation_window.h"
#include "modules/smoothblast/widgets/smoothblast_window.h"
#include "support/scripted_dialogs.h"
#include "widgets/fitted_window.h"
#include "widgets/help_window.h"
#include "widgets/reference_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

using Factory = std::function<QWidget *(Dialogs &, const QString &, QScreen *)>;

Factory Catalogue(WindowKind kind) {
    return [kind](Dialogs &dialogs, const QString &folder, QScreen *) {
        return CreateWindow(kind, WindowContext{dialogs, folder});
    };
}

Factory ReferenceFactory(Reference kind) {
    return [kind](Dialogs &, const QString &, QScreen *) { return CreateReferenceWindow(kind); };
}

// The controls a user must reach: buttons, fields, lists, text boxes and the
// pictures of the reference pages.
bool IsControl(QWidget *w) {
    if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
        qobject_cast<QComboBox *>(w) || qobject_cast<QPlainTextEdit *>(w))
        return true;
    return qobject_cast<QLabel *>(w) && w->property("picture").isValid();
}

// Scrolls every scroll area around the control so that it comes into view,
// the way a user would.
void ScrollTo(QWidget *control) {
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

}  // namespace

Q_DECLARE_METATYPE(Factory)

class TestFittedWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyControlReachable_data();
    void everyControlReachable();

private:
    QTemporaryDir *m_dir = nullptr;
    ScriptedDialogs *m_dialogs = nullptr;
    QPointer<QWidget> m_window;
};

void TestFittedWindow::init() {
    m_dir = new QTemporaryDir;
    m_dialogs = new ScriptedDialogs;
}

void TestFittedWindow::cleanup() {
    delete m_window;
    delete m_dialogs;
    delete m_dir;
}

void TestFittedWindow::everyControlReachable_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<Factory>("factory");
    // Opens the result half of the smooth blasting window first.
    QTest::addColumn<bool>("calculate");

    const Factory main = [](Dialogs &dialogs, const QString &folder, QScreen *screen) {
        auto *window = new MainWindow(dialogs, folder);
        window->SetEndProgramHandler([] {});
        // Sized for the screen it is tested on, as it would be there.
        window->setFixedSize(MainWindowSize(screen->geometry().size()));
        return window;
    };
    const Factory rockGrades = [](Dialogs &dialogs, const QString &folder, QScreen *) {
        return new RockGradeWindow(dialogs, folder);
    };
    const Factory evaluation = [](Dialogs &dialogs, const QString &folder, QScreen *) {
        return new EvaluationWindow(dialogs, folder);
    };
    const struct {
        const char *name;
        Factory factory;
        bool calculate = false;
    } windows[] = {
        {"main", main},
        {"dangerous works", Catalogue(WindowKind::DangerousWorks)},
        {"smooth blasting", Catalogue(WindowKind::SmoothBlasting)},
        {"smooth blasting open", Catalogue(WindowKind::SmoothBlasting), true},
        {"blast evaluation", evaluation},
        {"vibration", Catalogue(WindowKind::Vibration)},
        {"period", Catalogue(WindowKind::Period)},
        {"rock grades", rockGrades},
        {"ventilation", Catalogue(WindowKind::Ventilation)},
        {"mucking", Catalogue(WindowKind::Mucking)},
        {"formwork", Catalogue(WindowKind::FormworkLoad)},
        {"update notes", Catalogue(WindowKind::UpdateNotes)},
        {"hole layout", ReferenceFactory(Reference::HoleLayout)},
        {"advance table", ReferenceFactory(Reference::Advance)},
        {"cycle times", ReferenceFactory(Reference::CycleTime)},
        {"wedge cut", ReferenceFactory(Reference::WedgeCut)},
        {"parallel cut", ReferenceFactory(Reference::ParallelCut)},
        {"vibration limits", ReferenceFactory(Reference::VibrationLimits)},
        {"slab formwork", ReferenceFactory(Reference::SlabFormworkWeight)},
        {"live load", ReferenceFactory(Reference::LiveLoad)},
    };
    for (const char *screen : {"1366x768", "1280x720"})
        for (const auto &w : windows)
            QTest::addRow("%s %s", w.name, screen) << screen << w.factory << w.calculate;
}

void TestFittedWindow::everyControlReachable() {
    QFETCH(QString, screen);
    QFETCH(Factory, factory);
    QFETCH(bool, calculate);
    // By size, so that the test also runs under Xvfb with one of the screens.
    const QStringList wh = screen.split(QLatin1Char('x'));
    const QSize size(wh[0].toInt(), wh[1].toInt());
    QScreen *target = nullptr;
    for (QScreen *s : QGuiApplication::screens())
        if (s->geometry().size() == size) target = s;
    if (!target && QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("no screen of that size");
    QVERIFY2(target, "needs the screens of support/laptop_screens.json");

    m_window = factory(*m_dialogs, m_dir->path(), target);
    QVERIFY(m_window);
    m_window->setScreen(target);
    FitToScreen(m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    if (calculate) {
        auto *slide = m_window->findChild<QTimer *>(QStringLiteral("时钟2"));
        m_window->findChild<QPushButton *>(QStringLiteral("按钮1"))->click();
        QTRY_VERIFY(!slide->isActive());
        QCOMPARE(static_cast<SmoothBlastWindow *>(m_window.data())->WindowWidth(), kBlastOpenWidth);
    }

    const QRect available = target->availableGeometry();
    const QRect outer(m_window->pos(), m_window->size() + FrameAllowance(m_window));
    QVERIFY2(available.contains(outer), qPrintable(QStringLiteral("window at %1,%2 %3×%4")
                                                       .arg(outer.x())
                                                       .arg(outer.y())
                                                       .arg(outer.width())
                                                       .arg(outer.height())));

    // Every page of every tab widget, then every control shown on it.
    QList<std::pair<QTabWidget *, int>> pages{{nullptr, 0}};
    for (QTabWidget *tabs : m_window->findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i) pages.append({tabs, i});
    int checked = 0;
    for (const auto &[tabs, index] : pages) {
        if (tabs) tabs->setCurrentIndex(index);
        for (QWidget *control : m_window->findChildren<QWidget *>()) {
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
    if (auto *main = qobject_cast<MainWindow *>(m_window.data())) main->TickClock();
    for (QLabel *label : m_window->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap() ||
            label->textFormat() == Qt::RichText || label->text().contains(QLatin1Char('\n')))
            continue;
        ScrollTo(label);
        QCoreApplication::processEvents();
        const QRect shown(label->mapTo(m_window, QPoint()), label->size());
        QVERIFY2(m_window->rect().contains(shown),
                 qPrintable(label->text() + " is cut by the window"));
        QVERIFY2(
            label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
            qPrintable(label->text() + " is cut"));
    }
}

QTEST_MAIN(TestFittedWindow)
#include "test_fitted_window.moc"
