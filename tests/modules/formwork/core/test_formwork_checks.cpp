#include <QTemporaryDir>
#include <QtTest>

#include "modules/formwork/core/danger_evaluation.h"
#include "modules/formwork/core/formwork.h"
#include "modules/formwork/core/formwork_checks.h"
#include "modules/formwork/core/lateral_pressure.h"
#include "support/memory_form.h"

using namespace tunnel;
using tunnel::test::MemoryForm;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

class FormworkForm : public MemoryForm {
public:
    explicit FormworkForm(const QString &folder) : MemoryForm(folder, &FormworkTable()) {
        PrepareQuestions(*this);
    }
};

using Inputs = QList<QPair<QString, QString>>;

}  // namespace

class TestFormworkChecks : public QObject {
    Q_OBJECT
private slots:
    void currentPartialFactors_data();
    void currentPartialFactors();
    void settingTime_data();
    void settingTime();
    void reportChecksJoinBothPages();

private:
    QTemporaryDir m_dir;
};

void TestFormworkChecks::currentPartialFactors_data() {
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QStringList>("failed");
    // With the presets both ways of combining reach 15 kN/m² and 20 kN/m.
    QTest::newRow("presets agree") << Inputs{} << QStringList{};
    // Today 8.839 kN/m² (not dangerous); 1.3 × 5.268 + 1.5 × 2.5 = 10.598.
    QTest::newRow("slab 0.18 m")
        << Inputs{{S(kSlabId), S("0.18")}}
        << QStringList{S(
               "按GB 55001-2021分项系数（1.3/1.5）计算，施工总荷载为10.598kN/m2，属危险性较大的分部分项工程范围，与上述评价不同，请核对计算依据。")};
    // Today 14.702 kN/m; 0.4 × (1.3 × 28.8 + 1.5 × 2) = 16.176.
    QTest::newRow("beam 0.4 × 1.1")
        << Inputs{{S(kBeamBId), S("0.4")}, {S(kBeamHId), S("1.1")}}
        << QStringList{S(
               "按GB 55001-2021分项系数（1.3/1.5）计算，集中线荷载为16.176kN/m，属危险性较大的分部分项工程范围，与上述评价不同，请核对计算依据。")};
    // Slab 0.36 m: today 14.095 (scheme), now 16.472 (beyond a certain scale).
    QTest::newRow("slab 0.36 m over scale")
        << Inputs{{S(kSlabId), S("0.36")}}
        << QStringList{S(
               "按GB 55001-2021分项系数（1.3/1.5）计算，施工总荷载为16.472kN/m2，属超过一定规模的危险性较大的分部分项工程范围，与上述评价不同，请核对计算依据。")};
}

void TestFormworkChecks::currentPartialFactors() {
    QFETCH(Inputs, inputs);
    QFETCH(QStringList, failed);
    FormworkForm form(m_dir.path());
    QCOMPARE(LoadChecks(form), QStringList{});  // nothing computed yet
    for (const auto &[id, text] : inputs) form.SetText(id, text);
    CalculateLoads(form);
    QCOMPARE(LoadChecks(form), failed);
    // Each failed check ends the log as a warning line.
    QString tail;
    for (const QString &line : failed) tail += S("校核：") + line + S("\r\n");
    QVERIFY(form.LogText().endsWith(S("自动行评价完成！\r\n") + tail));
}

void TestFormworkChecks::settingTime_data() {
    QTest::addColumn<QString>("temperature");  // empty: none entered
    QTest::addColumn<QString>("setTime");      // empty: what the temperature gives
    QTest::addColumn<bool>("fails");
    // Without a temperature t0 is compared with 200 / (20 + 15) = 5.714 h.
    QTest::newRow("preset 2 h") << QString() << S("2") << true;
    QTest::newRow("5.713 h") << QString() << S("5.713") << true;
    QTest::newRow("5.714 h") << QString() << S("5.714") << false;
    QTest::newRow("T 10 gives 8 h") << S("10") << QString() << false;
    QTest::newRow("T 10, 7.9 h typed") << S("10") << S("7.9") << true;
    QTest::newRow("T 40, 4 h typed") << S("40") << S("4") << false;
}

void TestFormworkChecks::settingTime() {
    QFETCH(QString, temperature);
    QFETCH(QString, setTime);
    QFETCH(bool, fails);
    FormworkForm form(m_dir.path());
    QCOMPARE(PressureChecks(form), QStringList{});  // nothing computed yet
    form.SetText(S(kTemperatureId), temperature);
    if (!setTime.isEmpty()) form.SetText(S(kSetTimeId), setTime);
    WallPressure(form);
    const QString line = S("初凝时间t0小于按200/(T+15)计算的值，应有试验资料");
    QCOMPARE(PressureChecks(form), fails ? QStringList{line} : QStringList{});
    QCOMPARE(form.LogText().endsWith(S("校核：") + line + S("\r\n")), fails);
}

void TestFormworkChecks::reportChecksJoinBothPages() {
    FormworkForm form(m_dir.path());
    form.SetText(S(kSlabId), S("0.18"));
    CalculateLoads(form);
    QCOMPARE(FormworkChecks(form).size(), 1);
    MemberPressure(form);
    const QStringList both = FormworkChecks(form);
    QCOMPARE(both.size(), 2);
    QVERIFY(both[0].startsWith(S("按GB 55001-2021")));
    QVERIFY(both[1].startsWith(S("初凝时间t0")));
}

QTEST_GUILESS_MAIN(TestFormworkChecks)
#include "test_formwork_checks.moc"
