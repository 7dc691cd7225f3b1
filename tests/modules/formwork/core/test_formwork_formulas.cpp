#include <QtTest>

#include "core/conversions.h"
#include "modules/formwork/core/formwork_formulas.h"

using namespace tunnel;

Q_DECLARE_METATYPE(MemberSize)

// Each formula against a hand-checked result as the window shows it; the
// commands' chains, with their reads of displayed values, are test_formwork's.
class TestFormworkFormulas : public QObject {
    Q_OBJECT
private slots:
    void shown_data();
    void shown();
    void comparisons();
    void classifyMember_data();
    void classifyMember();
};

void TestFormworkFormulas::shown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    const PressureCoefficients plain = PlainCoefficients();
    const PressureCoefficients steel = SteelCoefficients();
    // G = 0.5 + 25 × 0.2 + 1.1 × 0.2 = 5.72: 0.9 × (6.864 + 4.2), 0.9 × (7.722 + 2.94)
    const LoadCombinations slab = SlabCombinations({0.2, 0.5, 25, 1.1, 3});
    // G = 0.3 + 2.4 + 0.11 = 2.81: 0.9 × (3.372 + 3.5), 0.9 × (3.7935 + 2.45)
    const LoadCombinations thin = SlabCombinations({0.1, 0.3, 24, 1.1, 2.5});
    // G = 0.5 + 25 + 1.5 = 27: 0.5 × (32.4 + 5.6) × 0.9, 0.5 × (36.45 + 3.92) × 0.9
    const LoadCombinations beam = BeamCombinations({0.5, 1, 0.5, 25, 1.5, 4});
    // clang-format off
    QTest::newRow("slab live") << slab.live << "9.958";
    QTest::newRow("slab dead") << slab.dead << "9.596";
    QTest::newRow("thin slab live") << thin.live << "6.185";
    QTest::newRow("thin slab dead") << thin.dead << "5.619";
    QTest::newRow("beam live") << beam.live << "17.1";
    QTest::newRow("beam dead") << beam.dead << "18.167";
    QTest::newRow("no beam") << BeamCombinations({0, 1, 0.5, 25, 1.5, 4}).dead << "0";
    // 0.22 × 25 × 4 × √4; 0.22 × 24 × 5 × 1.2 × 1.15 × 1.5 = 54.648
    QTest::newRow("F' whole") << LateralPressureByTime(25, 4, 1, 1, 4) << "44";
    QTest::newRow("F' rounded") << LateralPressureByTime(24, 5, 1.2, 1.15, 2.25) << "54.65";
    QTest::newRow("F") << LateralPressureByHead(25, 2) << "50";
    // 24 + 1.26 × 4; 0.855 × (24 + 1.4 × 4) unrounded
    QTest::newRow("thin plain") << ThinCombination(plain, 20, 4) << "29.04";
    QTest::newRow("thin steel") << ThinCombination(steel, 20, 4) << "25.308";
    // 24 + 1.26 × 6; 0.855 × 32.4 = 27.702
    QTest::newRow("thick plain") << ThickCombination(plain, 20, 6, false) << "31.56";
    QTest::newRow("thick steel") << ThickCombination(steel, 20, 6, false) << "27.702";
    QTest::newRow("thick steel rounded") << ThickCombination(steel, 20, 6, true) << "27.7";
    // 1.08 × 30 / 24; 1.026 × 30 / 24 = 1.2825
    QTest::newRow("head plain") << EffectiveHead(plain, 30) << "1.35";
    QTest::newRow("head steel") << EffectiveHead(steel, 30) << "1.28";
    QTest::newRow("dumping plain") << DumpingDesign(plain, 6) << "7.56";
    // 6 × 1.197 = 7.182
    QTest::newRow("dumping steel") << DumpingDesign(steel, 6) << "7.18";
    // 2 × 5 / 27 = 0.3704; × 0.95 = 0.3519
    QTest::newRow("acting plain") << ActingHeight(plain, 2, 5, 25) << "0.37";
    QTest::newRow("acting steel") << ActingHeight(steel, 2, 5, 25) << "0.35";
    QTest::newRow("design plain") << DesignLateralPressure(plain, 30) << "32.4";
    QTest::newRow("design steel") << DesignLateralPressure(steel, 30) << "30.78";
    QTest::newRow("above the head") << HeadBeyondEffective(3, 1.35) << "1.65";
    // 200 / 20, 200 / 50
    QTest::newRow("setting at 5 °C") << SettingTime(5) << "10";
    QTest::newRow("setting at 35 °C") << SettingTime(35) << "4";
    // 200 / 45 = 4.4444
    QTest::newRow("setting at 30 °C") << SettingTime(30) << "4.444";
    QTest::newRow("setting at -15 °C") << SettingTime(-15) << "inf";
    // clang-format on
}

void TestFormworkFormulas::shown() {
    QFETCH(double, value);
    QTEST(ToText(value), "shown");
}

void TestFormworkFormulas::comparisons() {
    QVERIFY(LiveLoadGoverns(9.958, 9.596));
    QVERIFY(!LiveLoadGoverns(17.1, 18.167));
    QVERIFY(LiveLoadGoverns(5, 5));
    QVERIFY(LiveLoadGoverns(4.99999995, 5));
    QVERIFY(!LiveLoadGoverns(4.9999998, 5));
    // F' beyond F, or equal, takes F.
    QVERIFY(TakeHeadPressure(80, 72));
    QVERIFY(TakeHeadPressure(72, 72));
    QVERIFY(TakeHeadPressure(71.99999995, 72));
    QVERIFY(!TakeHeadPressure(44, 50));
    // The steel dumping factor is the double product, not 1.197.
    QCOMPARE(SteelCoefficients().dumpingFactor, 1.1969999999999998);
}

void TestFormworkFormulas::classifyMember_data() {
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<MemberSize>("kind");
    QTest::newRow("nothing") << 0.0 << 100.0 << MemberSize::Invalid;
    QTest::newRow("at the tolerance") << 1e-7 << 300.0 << MemberSize::Invalid;
    QTest::newRow("negative") << -5.0 << 100.0 << MemberSize::Invalid;
    QTest::newRow("thin") << 250.0 << 300.0 << MemberSize::Thin;
    QTest::newRow("thin by more than 1e-7") << 299.9999998 << 300.0 << MemberSize::Thin;
    QTest::newRow("within 1e-7 is thick") << 299.99999995 << 300.0 << MemberSize::Thick;
    QTest::newRow("at the threshold") << 100.0 << 100.0 << MemberSize::Thick;
    QTest::newRow("thick") << 600.0 << 300.0 << MemberSize::Thick;
}

void TestFormworkFormulas::classifyMember() {
    QFETCH(double, size);
    QFETCH(double, threshold);
    QTEST(ClassifyMember(size, threshold), "kind");
}

QTEST_GUILESS_MAIN(TestFormworkFormulas)
#include "test_formwork_formulas.moc"
