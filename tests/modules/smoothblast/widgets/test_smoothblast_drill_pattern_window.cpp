#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "widgets/module_window.h"
#include "core/conversions.h"
#include "core/project_info.h"
#include "modules/smoothblast/core/drill_pattern.h"
#include "modules/smoothblast/widgets/drill_pattern_widget.h"
#include "modules/smoothblast/widgets/drill_pattern_window.h"
#include "modules/smoothblast/widgets/smoothblast_window.h"
#include "core/module_entry.h"
#include "widgets/module_window.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"
#include "widgets/fitted_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

template <typename T>
T *Top(const QString &name) {
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *w = qobject_cast<T *>(top);
            w && w->isVisible() && (name.isEmpty() || w->objectName() == name))
            return w;
    return nullptr;
}

struct Fixture {
    Fixture() : window(static_cast<SmoothBlastWindow *>(
                    CreateModuleWindow(*FindModule("smoothblast"), WindowContext{dialogs, dir.path()}))) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    ~Fixture() {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top != window.get() && top->isVisible()) top->close();
        QCoreApplication::processEvents();
    }
    QPushButton *Button(QWidget *in, const char *id) const {
        return in->findChild<QPushButton *>(S(id));
    }
    void Calculate() {
        QTest::mouseClick(Button(window.get(), "按钮1"), Qt::LeftButton);
        QTest::qWaitFor([&] { return window->width() == kBlastOpenWidth; }, 3000);
    }
    DrillPatternWindow *OpenPattern() {
        QTest::mouseClick(Button(window.get(), "按钮3_钻爆设计图"), Qt::LeftButton);
        return Top<DrillPatternWindow>(S("钻爆设计图"));
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<SmoothBlastWindow> window;
};

}  // namespace

// Run in a process of its own on the screen the parent test gives it:
// opens the window from the smooth blasting window's results and prints
// what does not fit; exit code 0 when everything does.
int CheckFitOnScreen() {
    Fixture f;
    f.Calculate();
    DrillPatternWindow *pattern = f.OpenPattern();
    if (!pattern || !QTest::qWaitForWindowExposed(pattern)) return 2;
    QStringList faults;
    const QRect available = pattern->screen()->availableGeometry();
    const QRect outer(pattern->pos(), pattern->size() + FrameAllowance(pattern));
    if (!available.contains(outer))
        faults << QStringLiteral("window %1,%2 %3x%4 outside %5x%6")
                      .arg(outer.x())
                      .arg(outer.y())
                      .arg(outer.width())
                      .arg(outer.height())
                      .arg(available.width())
                      .arg(available.height());
    for (QPushButton *button : pattern->findChildren<QPushButton *>()) {
        const QPoint centre = button->mapToGlobal(button->rect().center());
        if (!button->isVisible() || !available.contains(centre) ||
            QApplication::widgetAt(centre) != button)
            faults << button->text() + QStringLiteral(" not reachable");
    }
    if (pattern->Drawing()->width() < 400 || pattern->Drawing()->height() < 300)
        faults << QStringLiteral("drawing squeezed");
    for (const QString &fault : faults) fprintf(stderr, "%s\n", qPrintable(fault));
    return faults.isEmpty() ? 0 : 1;
}

class TestDrillPatternWindow : public QObject {
    Q_OBJECT
private slots:
    void OpensFromTheResults();
    void InputsWithoutPatternSayWhy_data();
    void InputsWithoutPatternSayWhy();
    void ExportsDxfAndPicture();
    void VibrationCheckGetsTheLargestDelay();
    void ZoomPanAndHover();
    void FitsTheScreen_data();
    void FitsTheScreen();
    void ReportFigureShowsInOffice();
};

void TestDrillPatternWindow::OpensFromTheResults() {
    Fixture f;
    f.Calculate();
    DrillPatternWindow *pattern = f.OpenPattern();
    QVERIFY(pattern);
    QVERIFY(!f.window->isMinimized());
    QVERIFY(pattern->isWindow());
    // The table shows the delays as placed from the window's fields.
    const DrillPattern expected = PlaceHoles(ReadDrillDesign(*f.window));
    QTableWidget *table = pattern->DelayTable();
    QCOMPARE(table->rowCount(), int(expected.delays.size()));
    for (int i = 0; i < table->rowCount(); ++i) {
        const DelayRow &r = expected.delays[std::size_t(i)];
        QCOMPARE(table->item(i, 0)->text(), ToText(r.delay));
        QCOMPARE(table->item(i, 1)->text(), HoleTypeName(r.type));
        QCOMPARE(table->item(i, 2)->text(), ToText(r.count));
        QCOMPARE(table->item(i, 4)->text(), ChargeText(r.charge));
    }
    QCOMPARE(pattern->findChild<QLabel *>(S("标签1_最大段装药量"))->text(),
             S("最大段装药量：%1kg").arg(ChargeText(expected.maxDelayCharge)));
    // The legend beside the drawing.
    const QString legend = pattern->findChild<QLabel *>(S("标签2_图例"))->text();
    for (const QString &line : PatternLegend(expected, ReadDrillDesign(*f.window)))
        QVERIFY2(legend.contains(line.toHtmlEscaped()), qPrintable(line));
    QVERIFY(!pattern->findChild<QLabel *>(S("标签3_说明"))->isVisible());
    // The cut type follows the radio buttons.
    pattern->close();
    f.window->findChild<QAbstractButton *>(S("单选框2"))->setChecked(true);
    QVERIFY(PlaceHoles(ReadDrillDesign(*f.window)).hasRelief);
}

void TestDrillPatternWindow::InputsWithoutPatternSayWhy_data() {
    QTest::addColumn<QString>("floor");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("area");
    QTest::addColumn<bool>("opens");  // with the outline alone
    QTest::newRow("no floor") << QString() << S("24.22") << S("110.63") << false;
    QTest::newRow("outline far smaller than the section")
        << S("9.3") << S("12.14") << S("52.3") << true;
}

void TestDrillPatternWindow::InputsWithoutPatternSayWhy() {
    QFETCH(QString, floor);
    QFETCH(QString, outline);
    QFETCH(QString, area);
    QFETCH(bool, opens);
    Fixture f;
    f.window->findChild<QLineEdit *>(S("编辑框1_底板长"))->setText(floor);
    f.window->findChild<QLineEdit *>(S("编辑框1_开挖面外弧长"))->setText(outline);
    f.window->findChild<QLineEdit *>(S("编辑框1_断面面积"))->setText(area);
    f.Calculate();
    const QString error = PlaceHoles(ReadDrillDesign(*f.window)).error;
    QVERIFY(!error.isEmpty());
    DrillPatternWindow *pattern = f.OpenPattern();
    QCOMPARE(f.dialogs.MessageTexts().last(), error);
    QCOMPARE(pattern != nullptr, opens);
    if (!pattern) return;
    QCOMPARE(pattern->findChild<QLabel *>(S("标签3_说明"))->text(), error);
    QVERIFY(pattern->findChild<QLabel *>(S("标签3_说明"))->isVisible());
    QCOMPARE(pattern->DelayTable()->rowCount(), 0);
}

void TestDrillPatternWindow::ExportsDxfAndPicture() {
    Fixture f;
    ProjectInfo info;
    info.name = S("测试隧道工程");
    info.section = S("K1+000～K2+000");
    info.date = QDate(2026, 3, 1);
    QCOMPARE(WriteProjectInfo(f.dir.path(), info), QString());
    f.Calculate();
    DrillPatternWindow *pattern = f.OpenPattern();
    QVERIFY(pattern);
    const QString dxf = f.dir.filePath(S("导出的方案/钻爆设计图.dxf"));
    const QString png = f.dir.filePath(S("导出的方案/钻爆设计图.png"));
    f.dialogs.files << dxf << png;
    QTest::mouseClick(f.Button(pattern, "按钮1_导出DXF"), Qt::LeftButton);
    QTest::mouseClick(f.Button(pattern, "按钮2_导出图片"), Qt::LeftButton);
    QCOMPARE(f.dialogs.requests.size(), 2);
    QCOMPARE(f.dialogs.requests[0].fileName, S("钻爆设计图.dxf"));
    QCOMPARE(f.dialogs.requests[0].initialFolder, f.dir.filePath(S("导出的方案")));
    QCOMPARE(f.dialogs.requests[1].fileName, S("钻爆设计图.png"));
    const DrillDesign design = ReadDrillDesign(*f.window);
    QCOMPARE(test::ReadFileBytes(dxf), DrillPatternDxf(PlaceHoles(design), design));
    // The picture carries the title block of the project, at 150 dpi.
    const TitleBlock title{info.name, info.section, S("2026年3月1日")};
    QCOMPARE(test::ReadFileBytes(png),
             DrillPatternPng(PlaceHoles(design), design, QSize(1600, 1000), &title));
    QImage picture;
    QVERIFY(picture.loadFromData(test::ReadFileBytes(png), "PNG"));
    QCOMPARE(picture.size(), QSize(1600, 1000));
    QCOMPARE(picture.dotsPerMeterX(), 5906);
    QCOMPARE(f.dialogs.MessageTexts(), (QStringList{S("导出成功！"), S("导出成功！")}));
}

void TestDrillPatternWindow::VibrationCheckGetsTheLargestDelay() {
    Fixture f;
    f.Calculate();
    DrillPatternWindow *pattern = f.OpenPattern();
    QVERIFY(pattern);
    QTest::mouseClick(f.Button(pattern, "按钮3_振动校核"), Qt::LeftButton);
    QWidget *vibration = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->findChild<QLineEdit *>(S("编辑框5_炸药总量"))) vibration = top;
    QVERIFY(vibration);
    QCOMPARE(vibration->findChild<QLineEdit *>(S("编辑框5_炸药总量"))->text(),
             ChargeText(PlaceHoles(ReadDrillDesign(*f.window)).maxDelayCharge));
    QVERIFY(!f.window->isMinimized());
}

void TestDrillPatternWindow::ZoomPanAndHover() {
    Fixture f;
    f.Calculate();
    DrillPatternWindow *pattern = f.OpenPattern();
    QVERIFY(pattern);
    QVERIFY(QTest::qWaitForWindowExposed(pattern));
    DrillPatternWidget *drawing = pattern->Drawing();
    const DrillPattern expected = PlaceHoles(ReadDrillDesign(*f.window));
    const QPointF at = drawing->HolePosition(0);
    QVERIFY(drawing->HoleTextAt(at).startsWith(HoleTypeName(expected.holes[0].type)));
    QVERIFY(drawing->HoleTextAt(at).contains(S("第%1段").arg(expected.holes[0].delay)));

    QWheelEvent wheel(at, drawing->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(drawing, &wheel);
    QVERIFY(drawing->Zoom() > 1);
    // Zooming keeps the hole under the mouse.
    QVERIFY((drawing->HolePosition(0) - at).manhattanLength() < 1);

    QTest::mousePress(drawing, Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(drawing, QPoint(260, 230));
    QTest::mouseRelease(drawing, Qt::LeftButton, {}, QPoint(260, 230));
    QCOMPARE(drawing->HolePosition(0) - at, QPointF(60, 30));

    QTest::mouseClick(f.Button(pattern, "按钮5_适合窗口"), Qt::LeftButton);
    QCOMPARE(drawing->Zoom(), 1.0);
    QCOMPARE(drawing->Pan(), QPointF());
    QCOMPARE(drawing->HolePosition(0), at);

    QTest::keyClick(drawing, Qt::Key_Escape);
    QVERIFY(!pattern->isVisible());
}

void TestDrillPatternWindow::FitsTheScreen_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QString>("scale");
    QTest::newRow("1366x768") << QSize(1366, 768) << S("1");
    QTest::newRow("1280x720") << QSize(1280, 720) << S("1");
    QTest::newRow("1920x1080 at 1.5") << QSize(1920, 1080) << S("1.5");
}

// The platform's screens are fixed at start-up: each screen gets a process.
void TestDrillPatternWindow::FitsTheScreen() {
    QFETCH(QSize, screen);
    QFETCH(QString, scale);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("needs the offscreen platform");
    QTemporaryDir dir;
    const QString config = dir.filePath(S("screen.json"));
    const QJsonObject one{{S("name"), S("screen")},
                          {S("x"), 0},
                          {S("y"), 0},
                          {S("width"), screen.width()},
                          {S("height"), screen.height()},
                          {S("logicalDpi"), 96},
                          {S("logicalBaseDpi"), 96},
                          {S("dpr"), 1}};
    QVERIFY(test::WriteFileBytes(config, QJsonDocument(QJsonObject{{S("windowFrameMargins"), false},
                                                                   {S("screens"), QJsonArray{one}}})
                                             .toJson()));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(S("QT_QPA_PLATFORM"), S("offscreen:configfile=") + config);
    env.insert(S("QT_SCALE_FACTOR"), scale);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {S("--check-fit")});
    QVERIFY(child.waitForFinished(120000));
    QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
}

// The window draws the figure; LibreOffice must lay it out in the report.
void TestDrillPatternWindow::ReportFigureShowsInOffice() {
    Fixture f;
    f.Calculate();
    QTest::mouseClick(f.Button(f.window.get(), "按钮1_爆破影响导出"), Qt::LeftButton);
    const QString report = f.dir.filePath(S("导出的方案/光面爆破参数及成果表.docx"));
    QVERIFY(QFile::exists(report));

    QTemporaryDir work;
    const QString copy = work.filePath(S("report.docx"));
    QVERIFY(QFile::copy(report, copy));
    QProcess office;
    office.start(S("soffice"), {S("-env:UserInstallation=") +
                                    QUrl::fromLocalFile(work.filePath(S("profile"))).toString(),
                                S("--headless"), S("--norestore"), S("--convert-to"), S("pdf"),
                                S("--outdir"), work.path(), copy});
    QVERIFY(office.waitForFinished(240000));
    const QString pdf = work.filePath(S("report.pdf"));
    QVERIFY(QFile::exists(pdf));
    QProcess images;
    images.start(S("pdfimages"), {S("-list"), pdf});
    QVERIFY(images.waitForFinished(60000));
    // Two header lines, then one line per picture: 1200 × 750 as drawn.
    const QStringList lines = QString::fromUtf8(images.readAllStandardOutput())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines[2].contains(QRegularExpression(S("\\s1200\\s+750\\s"))), qPrintable(lines[2]));
    QProcess text;
    text.start(S("pdftotext"), {S("-layout"), pdf, S("-")});
    QVERIFY(text.waitForFinished(60000));
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY(shown.contains(S("图 钻爆设计图")));
    QVERIFY(shown.contains(S("最大段装药量")));
}

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains(S("--check-fit"))) return CheckFitOnScreen();
    TestDrillPatternWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_smoothblast_drill_pattern_window.moc"
