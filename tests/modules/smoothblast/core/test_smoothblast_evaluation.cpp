#include <QDir>
#include <QTest>

#include "modules/smoothblast/core/blast_evaluation.h"
#include "support/evaluation_texts.h"
#include "support/memory_form.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

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

const QString kMissing = S("\r\n    请选择并录入相关参数！");

// The evaluation form; the rock class list holds its three items and the
// memory form reads a list's text as the selected item.
class EvaluationForm : public MemoryForm {
public:
    EvaluationForm() : MemoryForm(QDir::tempPath(), &EvaluationTable()) {
        SetItems(S("组合框1"), RockClasses());
    }
    QString Text(QAnyStringView id) const override {
        if (id == S("组合框1")) return Items(id).value(CurrentIndex(id));
        return MemoryForm::Text(id);
    }
};

}  // namespace

class TestSmoothBlastEvaluation : public QObject {
    Q_OBJECT
private slots:
    void Evaluate_data();
    void Evaluate();
};

void TestSmoothBlastEvaluation::Evaluate_data() {
    QTest::addColumn<int>("rockClass");  // -1: none chosen
    QTest::addColumn<QString>("remaining");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<int>("points");

    QTest::newRow("hard, exactly 80") << 0 << "40"
                                      << "50"
                                      << "80" << kPass << kGreen << 11;
    QTest::newRow("hard, 78") << 0 << "39"
                              << "50"
                              << "78" << kFail << kRed << 11;
    QTest::newRow("medium, 67.5") << 1 << "27"
                                  << "40"
                                  << "67.5" << kFail << kRed << 11;
    QTest::newRow("medium, exactly 70") << 1 << "28"
                                        << "40"
                                        << "70" << kPass << kGreen << 11;
    // 69.996 shows as 70, and the shown value is judged.
    QTest::newRow("medium, rounded up") << 1 << "6999.6"
                                        << "10000"
                                        << "70" << kPass << kGreen << 11;
    QTest::newRow("medium, 69.99") << 1 << "6999"
                                   << "10000"
                                   << "69.99" << kFail << kRed << 11;
    QTest::newRow("soft, 33.33") << 2 << "1"
                                 << "3"
                                 << "33.33" << kFail << kRed << 11;
    QTest::newRow("soft, exactly 50") << 2 << "1"
                                      << "2"
                                      << "50" << kPass << kGreen << 11;
    QTest::newRow("soft, 100 is no error") << 2 << "50"
                                           << "50"
                                           << "100" << kPass << kGreen << 11;
    QTest::newRow("hard, 100.004 shows 100") << 0 << "100.004"
                                             << "100"
                                             << "100" << kPass << kGreen << 11;
    QTest::newRow("more than all") << 0 << "60"
                                   << "50"
                                   << "120" << kInputError << kYellow << 9;
    QTest::newRow("100.01") << 2 << "100.01"
                            << "100"
                            << "100.01" << kInputError << kYellow << 9;
    QTest::newRow("negative count") << 2 << "-5"
                                    << "50"
                                    << "-10" << kFail << kRed << 11;
    // No perimeter holes: the factor text reads back as 0.
    QTest::newRow("zero total") << 2 << "5"
                                << "0"
                                << "inf" << kFail << kRed << 11;
    QTest::newRow("no class") << -1 << "40"
                              << "50"
                              << "80" << kMissing << kYellow << 9;
    QTest::newRow("remaining empty") << 0 << ""
                                     << "50"
                                     << "0" << kMissing << kYellow << 9;
    QTest::newRow("total empty") << 1 << "40"
                                 << ""
                                 << "inf" << kMissing << kYellow << 9;
    QTest::newRow("both empty") << 1 << ""
                                << ""
                                << "nan" << kMissing << kYellow << 9;
    QTest::newRow("blank counts as filled") << 1 << " "
                                            << "40"
                                            << "0" << kFail << kRed << 11;
}

void TestSmoothBlastEvaluation::Evaluate() {
    QFETCH(int, rockClass);
    QFETCH(QString, remaining);
    QFETCH(QString, total);
    QFETCH(QString, factor);
    QFETCH(QString, text);
    QFETCH(Rgb, colour);
    QFETCH(int, points);
    EvaluationForm form;
    form.SetCurrentIndex(S("组合框1"), rockClass);
    form.SetText(S("编辑框1_残留周边眼炮眼数量"), remaining);
    form.SetText(S("编辑框1_周边眼总数"), total);
    const Verdict verdict = EvaluateBlast(form);
    QCOMPARE(form.Text(S("编辑框1_周边眼炮炮痕保存率")), factor);
    QCOMPARE(verdict.text, text);
    QCOMPARE(verdict.colour, colour);
    QCOMPARE(verdict.points, points);
}

QTEST_GUILESS_MAIN(TestSmoothBlastEvaluation)
#include "test_smoothblast_evaluation.moc"
