#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "modules/smoothblast/widgets/evaluation_window.h"
#include "support/evaluation_texts.h"
#include "support/scripted_dialogs.h"
#include "widgets/text_box.h"

using namespace tunnel;
using tunnel::test::ScriptedDialogs;

using tunnel::test::kFail;
using tunnel::test::kGreen;
using tunnel::test::kInputError;
using tunnel::test::kPass;
using tunnel::test::kRed;
using tunnel::test::kYellow;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

const QString kTotalHint =
    S("\r\n周边眼指均匀布置在开挖轮廓线周边的炮眼\r\n周边眼不包括底板周边眼");
const QString kRemainingHint = S("\r\n当炮眼痕迹保存率大于孔深70%时，按残留有痕迹的炮眼计数");

struct Fixture {
    Fixture() : window(new EvaluationWindow(dialogs, QDir::tempPath())) {
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    QLineEdit *Edit(const char *id) const { return window->findChild<QLineEdit *>(S(id)); }
    QComboBox *RockClass() const { return window->findChild<QComboBox *>(S("组合框1")); }
    TextBox *Verdict() const { return window->findChild<TextBox *>(S("编辑框1评价结果")); }
    QString ShareLabel() const {
        return window->findChild<QLabel *>(S("标签1标准炮眼保存率"))->text();
    }
    Rgb VerdictColour() const {
        const QColor c = Verdict()->palette().color(QPalette::Text);
        return Rgb{c.red(), c.green(), c.blue()};
    }

    void Type(const char *id, const QString &text) const {
        QLineEdit *edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Chooses a rock class with the keyboard, as from the closed list.
    void Choose(int index) const {
        RockClass()->setFocus();
        while (RockClass()->currentIndex() < index) QTest::keyClick(RockClass(), Qt::Key_Down);
    }
    void Evaluate() const {
        QTest::mouseClick(window->findChild<QPushButton *>(S("按钮1")), Qt::LeftButton);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<EvaluationWindow> window;
};

}  // namespace

class TestSmoothBlastEvaluationWindow : public QObject {
    Q_OBJECT
private slots:
    void Opening();
    void ChoosingAClassShowsItsShare_data();
    void ChoosingAClassShowsItsShare();
    void Verdicts_data();
    void Verdicts();
    void FocusHintsReplaceTheVerdict();
};

void TestSmoothBlastEvaluationWindow::Opening() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), S("爆破效果评价"));
    QCOMPARE(f.window->findChild<QLabel *>(S("标签3"))->text(), S("隧道爆破效果评价"));
    QCOMPARE(f.RockClass()->currentIndex(), -1);
    QCOMPARE(f.RockClass()->count(), 3);
    QCOMPARE(f.RockClass()->itemText(0), S("硬岩"));
    QCOMPARE(f.RockClass()->itemText(1), S("中硬岩"));
    QCOMPARE(f.RockClass()->itemText(2), S("软岩"));
    QCOMPARE(f.ShareLabel(), S("标准炮眼保存率"));
    for (const char *id :
         {"编辑框1_残留周边眼炮眼数量", "编辑框1_周边眼总数", "编辑框1_周边眼炮炮痕保存率"})
        QCOMPARE(f.Edit(id)->text(), QString());
    QCOMPARE(f.Verdict()->RawText(), QString());
    QCOMPARE(f.window->findChild<QPushButton *>(S("按钮1"))->text(), S("周边眼炮炮痕保存率计算"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.Verdict()));
    // No parameter file and no report: the window has no menu.
    QVERIFY(!f.window->menuBar()->isVisible());

    QStringList labels;
    for (QLabel *label : f.window->findChildren<QLabel *>())
        if (label->isVisible()) labels << label->text();
    for (const char *text :
         {"围岩条件", "残留周边眼炮眼数量（个）", "周边眼总数（个）", "评价结果"})
        QVERIFY2(labels.contains(S(text)), text);
}

void TestSmoothBlastEvaluationWindow::ChoosingAClassShowsItsShare_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("share");
    QTest::newRow("hard") << 0 << S("标准炮眼保存率≥ 80%");
    QTest::newRow("medium") << 1 << S("标准炮眼保存率≥ 70%");
    QTest::newRow("soft") << 2 << S("标准炮眼保存率≥ 50%");
}

void TestSmoothBlastEvaluationWindow::ChoosingAClassShowsItsShare() {
    QFETCH(int, index);
    QFETCH(QString, share);
    Fixture f;
    f.Choose(index);
    QCOMPARE(f.RockClass()->currentIndex(), index);
    QCOMPARE(f.ShareLabel(), share);
}

void TestSmoothBlastEvaluationWindow::Verdicts_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("points");
    QTest::newRow("hard pass at 80") << 0 << "40"
                                     << "50"
                                     << "80" << kPass << kGreen << 11;
    QTest::newRow("medium fail") << 1 << "27"
                                 << "40"
                                 << "67.5" << kFail << kRed << 11;
    QTest::newRow("more than all") << 0 << "60"
                                   << "50"
                                   << "120" << kInputError << kYellow << 9;
}

void TestSmoothBlastEvaluationWindow::Verdicts() {
    QFETCH(int, index);
    QFETCH(QString, remaining);
    QFETCH(QString, total);
    QFETCH(QString, factor);
    QFETCH(QString, text);
    QFETCH(Rgb, colour);
    QFETCH(int, points);
    Fixture f;
    f.Choose(index);
    f.Type("编辑框1_残留周边眼炮眼数量", remaining);
    f.Type("编辑框1_周边眼总数", total);
    f.Evaluate();
    QCOMPARE(f.Edit("编辑框1_周边眼炮炮痕保存率")->text(), factor);
    QCOMPARE(f.Verdict()->RawText(), text);
    QCOMPARE(f.VerdictColour(), colour);
    QCOMPARE(f.Verdict()->font().pointSize(), points);
    // The verdict is shown with plain line breaks.
    QCOMPARE(f.Verdict()->toPlainText(), QString(text).replace(S("\r\n"), S("\n")));
    // Another verdict replaces it whole.
    f.Type("编辑框1_残留周边眼炮眼数量", S("0"));
    f.Type("编辑框1_周边眼总数", S("10"));
    f.Evaluate();
    QCOMPARE(f.Verdict()->RawText(), kFail);
}

void TestSmoothBlastEvaluationWindow::FocusHintsReplaceTheVerdict() {
    Fixture f;
    f.Choose(0);
    f.Type("编辑框1_残留周边眼炮眼数量", S("40"));
    QCOMPARE(f.Verdict()->RawText(), kRemainingHint);
    f.Type("编辑框1_周边眼总数", S("50"));
    QCOMPARE(f.Verdict()->RawText(), kTotalHint);
    f.Evaluate();
    QCOMPARE(f.Verdict()->RawText(), kPass);
    QCOMPARE(f.Verdict()->font().pointSize(), 11);

    // Tabbing back from the button into the total replaces the verdict.
    auto *button = f.window->findChild<QPushButton *>(S("按钮1"));
    button->setFocus();
    QCOMPARE(f.Verdict()->RawText(), kPass);
    QTest::keyClick(button, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.Edit("编辑框1_周边眼总数")));
    QCOMPARE(f.Verdict()->RawText(), kTotalHint);
    QCOMPARE(f.VerdictColour(), kGreen);
    QCOMPARE(f.Verdict()->font().pointSize(), 9);
}

QTEST_MAIN(TestSmoothBlastEvaluationWindow)
#include "test_smoothblast_evaluation_window.moc"
