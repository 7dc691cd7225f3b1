#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "core/conversions.h"
#include "core/gbk_text.h"
#include "core/module_entry.h"
#include "modules/smoothblast/widgets/evaluation_window.h"
#include "modules/smoothblast/widgets/smoothblast_window.h"
#include "support/office_check.h"
#include "support/preset_colours.h"
#include "support/reference_check.h"
#include "support/scripted_dialogs.h"
#include "widgets/bar_chart_widget.h"
#include "widgets/module_window.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

const QString kRockTable =
    S("硬岩   饱和单轴抗压强度>60Mpa    取0.30-0.35\n中硬岩 饱和单轴抗压强度30-60Mpa  取0.20-0.30\n"
      "软岩   饱和单轴抗压强度≤30Mpa   取0.07-0.15");

Rgb TextRgb(const QWidget *widget) {
    const QColor c = widget->palette().color(QPalette::Text);
    return Rgb{c.red(), c.green(), c.blue()};
}

// A smooth blasting window shown on the offscreen screen, with scripted
// dialogs and a program folder of its own.
struct Fixture {
    Fixture()
        : window(static_cast<SmoothBlastWindow *>(
              CreateModuleWindow(*FindModule("smoothblast"), WindowContext{dialogs, dir.path()}))) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    QLineEdit *Edit(const char *id) const { return window->findChild<QLineEdit *>(S(id)); }
    QString Text(const char *id) const { return Edit(id)->text(); }
    QPushButton *Button(const char *id) const { return window->findChild<QPushButton *>(S(id)); }
    QString Caption(const char *id) const {
        QWidget *unit = window->findChild<QWidget *>(S(id));
        if (auto *label = qobject_cast<QLabel *>(unit)) return label->text();
        return qobject_cast<QAbstractButton *>(unit)->text();
    }
    QTimer *Slide() const { return window->findChild<QTimer *>(S("时钟2")); }

    // Replaces the field's text by typing, as a user does.
    void Type(const char *id, const QString &text) const {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // Presses "计算" and lets the slide run to its end; returns the widths
    // after each tick.
    QList<int> Calculate() {
        QList<int> widths;
        auto connection = QObject::connect(Slide(), &QTimer::timeout, window.get(),
                                           [&] { widths << window->width(); });
        QTest::mouseClick(Button("按钮1"), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return !Slide()->isActive(); }, 2000)) widths << -1;
        QObject::disconnect(connection);
        return widths;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<SmoothBlastWindow> window;
};

const QList<int> kSlide{732, 874, 1016, 1158, 1300};

struct Result {
    const char *id;
    const char *text;
};

const Result kPresetResults[] = {
    {"编辑框10_总装药量", "139"},          {"编辑框8_周边眼集密系数", "0.8"},
    {"编辑框8_周边眼单孔装药量", "0.63"},  {"编辑框8_周边眼数量", "49"},
    {"编辑框8_周边眼装药量", "31"},        {"编辑框9_底板眼单孔装药量", "0.54"},
    {"编辑框9_底板眼数量", "26"},          {"编辑框9_底板眼装药量", "14"},
    {"编辑框6_掏槽眼单孔装药量", "0.63"},  {"编辑框6_掏槽眼数量", "6"},
    {"编辑框6_掏槽眼总装药量", "3.78"},    {"编辑框7_辅助眼总装药量", "90"},
    {"编辑框7_辅助眼单孔装药量", "0.576"}, {"编辑框7_辅助眼数量", "156"},
    {"编辑框3_计算炸药直径", "23mm"},      {"编辑框10_断面钻眼总数量", "237个"},
};

void WriteGbk(const QString &path, const QString &text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ToGbk(text));
}

}  // namespace

class TestSmoothBlastWindow : public QObject {
    Q_OBJECT
private slots:
    void Inputs_data();
    void Inputs();
    void Opening();
    void SlideOpensAndCloses();
    void EnterUpdatesOpenResults();
    void ChartAfterCalculation();
    void TypingSpacingSetsBurden();
    void LimitWarning();
    void SaveAndOpen();
    void ExportedTable();
    void EvaluationOpensModally();
};

void TestSmoothBlastWindow::Inputs_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("group");
    auto row = [](const char *id, const char *label, const char *preset, Rgb colour,
                  const QString &hint, const char *group) {
        QTest::newRow(id) << S(id) << S(label) << S(preset) << colour << hint << S(group);
    };
    row("编辑框1_断面面积", "爆破断面面积（m2）", "110.63", kBlack, "", "断面参数1");
    row("编辑框1_隧道进尺", "爆破循环进尺（m）", "1.8", kBlack, S("一般为0.8-3.5m"), "断面参数1");
    row("编辑框1_开挖面外弧长", "开挖面外弧长（不含底板）（m）", "24.22", kBlack, "", "断面参数1");
    row("编辑框1_底板长", "开挖面底板长（m）", "13.1", kBlack, "", "断面参数1");
    row("编辑框1_单位体积岩体的耗药量", "单位体积岩体的耗药量q(kg/m3)", "0.7", kGrey128,
        S("一般取0.7-2.9"), "断面参数1");
    row("编辑框2_掏槽眼数量", "掏槽眼数量（个）", "6", kGrey192, S("一般取4~6个"),
        "中心掏槽眼参数2");
    row("编辑框2_掏槽装药集中系数", "掏槽装药集中系数q（kg/m）", "0.35", kGrey192, kRockTable,
        "中心掏槽眼参数2");
    row("编辑框3_辅助眼装填集中系数", "辅助眼装药集中系数q（kg/m）", "0.32", kGrey128, kRockTable,
        "辅助眼参数3");
    row("编辑框4_周边眼间距", "周边眼间距E（cm）", "50", kGrey128,
        S("中硬岩（10-18d）软岩（8-12d）一般宜取50-70cm"), "周边眼参数4");
    row("编辑框4_光爆层厚", "最小抵抗线V/光爆层厚W（cm）", "62.5", kGrey128,
        S("中硬岩（12.5-22.5d）软岩（10-15d）一般宜取50-80cm"), "周边眼参数4");
    row("编辑框4_周边眼装填集中系数", "周边眼装药集中系数q（kg/m）", "0.35", kGrey128, kRockTable,
        "周边眼参数4");
    row("编辑框5_底板眼间距", "底板眼间距E（cm）", "50", kGrey128,
        S("中硬岩（10-18d）  软岩（8-12d）一般取50-70cm"), "底板眼参数5");
    row("编辑框5_底板眼装填集中系数", "底板眼装药集中系数q（kg/m）", "0.3", kGrey128, kRockTable,
        "底板眼参数5");
    row("编辑框3_炮眼钻孔直径", "炮眼钻孔直径d（mm）", "35", kGrey128, S("一般为32-46mm"),
        "确定钻孔及炸药直径");
    row("编辑框3_装药不耦合系数", "装药不耦合系数B", "1.5", kGrey128, S("一般为1.5-2.0"),
        "确定钻孔及炸药直径");
}

void TestSmoothBlastWindow::Inputs() {
    QFETCH(QString, id);
    QFETCH(QString, label);
    QFETCH(QString, preset);
    QFETCH(Rgb, colour);
    QFETCH(QString, hint);
    QFETCH(QString, group);
    Fixture f;
    auto *edit = f.window->findChild<QLineEdit *>(id);
    QVERIFY(edit);
    QVERIFY(!edit->isReadOnly());
    QCOMPARE(edit->text(), preset);
    QCOMPARE(TextRgb(edit), colour);
    auto *box = qobject_cast<QGroupBox *>(edit->parentWidget());
    QVERIFY(box);
    QCOMPARE(box->title(), group);
    // Label and hint stand in the field's group, on its line.
    QStringList texts;
    for (QLabel *l : box->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        if (l->isVisible() && l->geometry().top() < edit->geometry().bottom() &&
            l->geometry().bottom() > edit->geometry().top())
            texts << l->text();
    // A unit stands beside the box, out of the label.
    if (QLabel *unit = f.window->UnitLabel(id.toUtf8().constData())) {
        QString suffix = S("（") + unit->text() + S("）");
        if (!label.endsWith(suffix)) suffix = u'(' + unit->text() + u')';
        QVERIFY2(label.endsWith(suffix), qPrintable(label));
        label.chop(suffix.size());
        const QPoint at = unit->mapTo(box, QPoint());
        QVERIFY(at.y() < edit->geometry().bottom() &&
                at.y() + unit->height() > edit->geometry().top());
        QVERIFY(at.x() >= edit->geometry().right());
    }
    QVERIFY2(texts.contains(label), qPrintable(texts.join(S(" | "))));
    if (!hint.isEmpty()) QVERIFY2(texts.contains(hint), qPrintable(texts.join(S(" | "))));
    // The field is fully inside the visible input half.
    QVERIFY(edit->mapTo(f.window.get(), QPoint(edit->width(), 0)).x() < kBlastInputWidth);
}

void TestSmoothBlastWindow::Opening() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), S("隧道光面爆破设计与计算"));
    QCOMPARE(f.window->width(), kBlastInputWidth);
    QCOMPARE(f.Caption("按钮1"), S("计算"));
    QVERIFY(!f.Slide()->isActive());
    auto *results = f.Edit("编辑框10_总装药量")->parentWidget();
    QCOMPARE(qobject_cast<QGroupBox *>(results)->title(), S("光面爆破计算成果表"));
    QVERIFY(!results->isVisible());
    for (const Result &r : kPresetResults) QCOMPARE(f.Text(r.id), QString());
    QCOMPARE(f.Caption("标签1_说明"), QString());
    QCOMPARE(f.Caption("标签1_进度条"),
             S("计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开"));
    // The picture openers show their reference windows.
    QCOMPARE(f.Caption("按钮2"), S("布眼示意图"));
    test::Opened opened = test::ClickReference(f.Button("按钮2"));
    QCOMPARE(opened.caption, S("布眼示意图（示意，非本工程设计）"));
    QVERIFY(opened.modal);
    const std::pair<const char *, const char *> radios[] = {{"单选框1", "斜眼楔形掏槽"},
                                                            {"单选框2", "直眼掏槽选型"}};
    for (const auto &[id, caption] : radios) {
        opened = test::ClickReference(f.window->findChild<QRadioButton *>(S(id)));
        QCOMPARE(opened.caption, S(caption));
        QVERIFY(!opened.modal);
    }
    QCOMPARE(f.Caption("单选框1"), S("斜眼楔形垂直/水平掏槽"));
    QCOMPARE(f.Caption("单选框2"), S("直眼中空柱状/螺旋掏槽"));
    QCOMPARE(f.Caption("按钮1_爆破影响导出1"), S("爆破效果评价"));
    QCOMPARE(f.Caption("按钮4_打开数据"), S("打开数据"));
    QCOMPARE(f.Caption("按钮2_保存数据"), S("保存数据"));
    QCOMPARE(f.Caption("按钮1_爆破影响导出"), S("导出计算参数及成果"));
    for (const char *id : {"按钮1", "按钮4_打开数据", "按钮2_保存数据", "按钮1_爆破影响导出"}) {
        QPushButton *button = f.Button(id);
        QVERIFY(button->isEnabled());
        QVERIFY(button->mapTo(f.window.get(), QPoint(button->width(), 0)).x() < kBlastInputWidth);
    }
    // Before the first calculation the charts show their titles over an
    // empty plot.
    for (const char *id : {"柱状图控件1", "柱状图控件2"}) {
        auto *chart = f.window->findChild<BarChartWidget *>(S(id));
        QVERIFY2(chart, id);
        QVERIFY(!chart->Chart().Title().isEmpty());
        for (int c = 0; c < chart->Chart().CategoryCount(); ++c)
            QCOMPARE(chart->Chart().Value(0, c), 0.0);
    }
    // The user cannot drag the width.
    QCOMPARE(f.window->minimumWidth(), f.window->maximumWidth());
}

void TestSmoothBlastWindow::SlideOpensAndCloses() {
    Fixture f;
    QCOMPARE(f.Calculate(), kSlide);
    QCOMPARE(f.window->width(), kBlastOpenWidth);
    QCOMPARE(f.Caption("按钮1"), S("返回重新计算"));
    QCOMPARE(f.Caption("标签1_进度条"), S("计算成功，请稍候！"));
    for (const Result &r : kPresetResults) QCOMPARE(f.Text(r.id), S(r.text));
    QWidget *results = f.Edit("编辑框10_总装药量")->parentWidget();
    QVERIFY(results->isVisible());
    QVERIFY(results->mapTo(f.window.get(), QPoint(results->width(), 0)).x() <= kBlastOpenWidth);
    QVERIFY(f.dialogs.messages.isEmpty());

    // The second press closes at once and calculates the same again.
    for (const Result &r : kPresetResults) f.Edit(r.id)->clear();
    QCOMPARE(f.Calculate(), QList<int>{});
    QCOMPARE(f.window->width(), kBlastInputWidth);
    QCOMPARE(f.Caption("按钮1"), S("计算"));
    for (const Result &r : kPresetResults) QCOMPARE(f.Text(r.id), S(r.text));

    // And the third opens again.
    QCOMPARE(f.Calculate(), kSlide);
    QCOMPARE(f.Caption("按钮1"), S("返回重新计算"));
}

// Enter in a field recalculates what is shown; it never closes the results.
void TestSmoothBlastWindow::EnterUpdatesOpenResults() {
    Fixture f;
    QCOMPARE(f.Calculate(), kSlide);
    const QString total = f.Text("编辑框10_总装药量");
    f.Edit("编辑框1_断面面积")->setText(S("80"));
    QTest::keyClick(f.Edit("编辑框1_断面面积"), Qt::Key_Return);
    QCOMPARE(f.window->width(), kBlastOpenWidth);
    QCOMPARE(f.Caption("按钮1"), S("返回重新计算"));
    QVERIFY(f.Text("编辑框10_总装药量") != total);
    QVERIFY(f.dialogs.messages.isEmpty());
}

void TestSmoothBlastWindow::ChartAfterCalculation() {
    Fixture f;
    f.Calculate();
    BarChartWidget *widget = f.window->ChartWidget();
    QVERIFY(widget->isVisible());
    // The counts chart shows the count fields, the charges chart the
    // charge fields.
    const char *const counts[] = {"编辑框6_掏槽眼数量", "编辑框7_辅助眼数量", "编辑框8_周边眼数量",
                                  "编辑框9_底板眼数量"};
    const char *const charges[] = {"编辑框6_掏槽眼总装药量", "编辑框7_辅助眼总装药量",
                                   "编辑框8_周边眼装药量", "编辑框9_底板眼装药量"};
    BarChartWidget *chargeWidget = f.window->ChargeChartWidget();
    QVERIFY(chargeWidget->isVisible());
    for (int c = 0; c < 4; ++c) {
        QCOMPARE(widget->Chart().Value(0, c), ToNumber(f.Text(counts[c])));
        QCOMPARE(chargeWidget->Chart().Value(0, c), ToNumber(f.Text(charges[c])));
    }
    // The chart lies in the visible part of the open window.
    for (BarChartWidget *w : {widget, chargeWidget}) {
        QVERIFY(w->mapTo(f.window.get(), QPoint(w->width(), w->height())).x() <= kBlastOpenWidth);
        QVERIFY(w->height() >= 250);
    }
}

void TestSmoothBlastWindow::TypingSpacingSetsBurden() {
    Fixture f;
    f.Type("编辑框4_周边眼间距", S("60"));
    QCOMPARE(f.Text("编辑框4_光爆层厚"), S("75"));
    QCOMPARE(TextRgb(f.Edit("编辑框4_周边眼间距")), kBlack);
    QCOMPARE(TextRgb(f.Edit("编辑框4_光爆层厚")), kBlack);
    QCOMPARE(f.Caption("标签1_说明"), S("参数已修改请重新计算"));
    QVERIFY(f.window->findChild<QLabel *>(S("标签1_说明"))->isVisible());
    // Untouched presets stay grey.
    QCOMPARE(TextRgb(f.Edit("编辑框2_掏槽眼数量")), kGrey192);

    f.Calculate();
    QCOMPARE(f.Caption("标签1_说明"), QString());
    QCOMPARE(f.Text("编辑框8_周边眼集密系数"), S("0.8"));
    QCOMPARE(f.Text("编辑框8_周边眼数量"), S("41"));  // 24.22 / 0.6 + 1 = 41.37

    // A black preset raises the notice and keeps its colour.
    f.Type("编辑框1_断面面积", S("120"));
    QCOMPARE(f.Caption("标签1_说明"), S("参数已修改请重新计算"));
    QCOMPARE(TextRgb(f.Edit("编辑框1_断面面积")), kBlack);
    QCOMPARE(f.Text("编辑框10_总装药量"), S("139"));  // results wait for the next press
}

void TestSmoothBlastWindow::LimitWarning() {
    Fixture f;
    f.Type("编辑框1_单位体积岩体的耗药量", S("0.2"));
    QString caption;
    QString auxiliary;
    f.dialogs.onMessage = [&](const ScriptedDialogs::Shown &) {
        caption = f.Caption("按钮1");
        auxiliary = f.Text("编辑框7_辅助眼总装药量");
    };
    f.Calculate();
    QCOMPARE(f.dialogs.MessageTexts(),
             QStringList{S("超过限值！请增大开挖断面面积或调整单位体积岩体的耗药量")});
    QCOMPARE(caption, S("返回重新计算"));
    QCOMPARE(auxiliary, S("-9"));
    QCOMPARE(f.window->width(), kBlastOpenWidth);
}

void TestSmoothBlastWindow::SaveAndOpen() {
    Fixture f;
    const QString saved = f.dir.filePath(S("saved.tac"));
    f.dialogs.files << saved;
    QTest::mouseClick(f.Button("按钮2_保存数据"), Qt::LeftButton);
    QCOMPARE(f.dialogs.MessageTexts(), QStringList{S("保存成功！")});
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString content = FromGbk(file.readAll());
    QVERIFY(content.startsWith(S("[2.3]\r\n1=110.63\r\n2=1.8\r\n")));

    // The menu item opens a file: the burden first follows the spacing,
    // then takes its stored value.
    const QString other = f.dir.filePath(S("other.tac"));
    WriteGbk(other, S("[2.3]\r\n1=100\r\n2=2\r\n3=24\r\n4=13\r\n5=0.9\r\n6=5\r\n7=0.3\r\n8=0.3\r\n"
                      "9=1.6\r\n10=40\r\n11=60\r\n12=70\r\n13=0.3\r\n14=55\r\n15=0.25\r\n"));
    QStringList burdens;
    QObject::connect(f.Edit("编辑框4_光爆层厚"), &QLineEdit::textChanged, f.window.get(),
                     [&](const QString &text) { burdens << text; });
    f.dialogs.files << other;
    QAction *open = nullptr;
    for (QAction *menu : f.window->menuBar()->actions())
        if (menu->text() == S("文件"))
            for (QAction *item : menu->menu()->actions())
                if (item->text() == S("打开")) open = item;
    QVERIFY(open);
    QCOMPARE(open->shortcut(), QKeySequence(S("Ctrl+O")));
    open->trigger();
    QCOMPARE(burdens, (QStringList{S("75"), S("70")}));
    QCOMPARE(f.Text("编辑框1_断面面积"), S("100"));
    QCOMPARE(f.Text("编辑框5_底板眼装填集中系数"), S("0.25"));
    QCOMPARE(TextRgb(f.Edit("编辑框2_掏槽眼数量")), kBlack);
    QCOMPARE(TextRgb(f.Edit("编辑框3_装药不耦合系数")), kBlack);
    QCOMPARE(f.Caption("标签1_说明"), S("参数已修改请重新计算"));
    QCOMPARE(f.dialogs.messages.size(), 1);  // no message after opening
}

void TestSmoothBlastWindow::ExportedTable() {
    Fixture f;
    f.Calculate();
    QTest::mouseClick(f.Button("按钮1_爆破影响导出"), Qt::LeftButton);
    QCOMPARE(f.dialogs.MessageTexts(),
             (QStringList{S("确定开始导出，中途请勿进行其他操作！"),
                          S("导出成功！\r\n文件：") +
                              QDir::toNativeSeparators(
                                  f.dir.path() + S("/导出的方案/光面爆破参数及成果表.docx"))}));
    QCOMPARE(f.Caption("标签1_进度条"), S("已导出 100%  "));
    QCOMPARE(f.window->findChild<QProgressBar *>(S("进度条1"))->value(), 100);
    QVERIFY(f.Button("按钮1_爆破影响导出")->isEnabled());
    const QString path = f.dir.path() + S("/导出的方案/光面爆破参数及成果表.docx");
    QVERIFY(QFile::exists(path));

    if (!test::OfficeAvailable()) QSKIP("LibreOffice is not installed");
    QString error;
    const QString text = test::OfficeText(path, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    auto has = [&](const QString &pattern) {
        return QRegularExpression(pattern).match(text).hasMatch();
    };
    QVERIFY(text.contains(S("隧道光面爆破设计计算参数表")));
    QVERIFY(text.contains(S("光面爆破计算成果表")));
    QVERIFY(test::OfficePageText(path).contains(S("隧道施工计算工具")));  // page header
    QVERIFY2(!text.contains(S("编辑框")), qPrintable(text));
    // Parameter rows 2 and 9 stand side by side, as do 7 and 14.
    QVERIFY2(has(S("2\\s+隧道进尺\\s+m\\s+1\\.8\\s+9\\s+掏槽装药集中系数\\s*q\\s+kg/m\\s+0\\.35")),
             qPrintable(text));
    QVERIFY(
        has(S("7\\s+周边眼间距\\s+cm\\s+50\\s+14\\s+周边眼密集系数\\s*E/V\\s*值\\s+-\\s+0\\.8")));
    // Result rows: count, charge per hole, charge of the type.
    QVERIFY(has(S("1\\s+掏槽眼\\s+6\\s+0\\.63\\s+3\\.78")));
    QVERIFY(has(S("2\\s+辅助眼\\s+156\\s+0\\.576\\s+90")));
    QVERIFY(has(S("3\\s+周边眼\\s+49\\s+0\\.63\\s+31")));
    QVERIFY(has(S("4\\s+底板眼\\s+26\\s+0\\.54\\s+14")));
    QVERIFY(has(S("合计\\s+237\\s+139")));
    QVERIFY(has(S("15\\s+炮眼钻孔直径\\s+mm\\s+35\\s+16\\s+装药不耦合系数\\s+-\\s+1\\.5")));
    QVERIFY(has(S("17\\s+计算炸药直径\\s+mm\\s+23\\s")));
}

void TestSmoothBlastWindow::EvaluationOpensModally() {
    Fixture f;
    bool seen = false;
    QTimer::singleShot(0, f.window.get(), [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *evaluation = qobject_cast<EvaluationWindow *>(top)) {
                seen = evaluation->isVisible() &&
                       evaluation->windowModality() == Qt::ApplicationModal &&
                       evaluation->windowTitle() == S("爆破效果评价");
                evaluation->close();
            }
        }
    });
    QTest::mouseClick(f.Button("按钮1_爆破影响导出1"), Qt::LeftButton);
    QVERIFY(seen);
    // The click returns once the window is gone; the opener is unchanged.
    for (QWidget *top : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<EvaluationWindow *>(top));
    QCOMPARE(f.Text("编辑框1_断面面积"), S("110.63"));
}

QTEST_MAIN(TestSmoothBlastWindow)
#include "test_smoothblast_window.moc"
