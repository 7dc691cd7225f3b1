#include <QTemporaryDir>
#include <QtTest>

#include "modules/ventilation/core/ventilation.h"
#include "modules/ventilation/core/ventilation_checks.h"
#include "modules/ventilation/core/ventilation_ids.h"
#include "support/memory_form.h"

using namespace tunnel;
using namespace tunnel::ventilation_ids;
using tunnel::test::MemoryForm;

namespace {

QString S(const char *utf8) {
    return QString::fromUtf8(utf8);
}

using Inputs = QList<QPair<QString, QString>>;

const QString kLeakLine = S("风管百米漏风率大于2%，应改善风管质量或缩短风管");
const QString kFanLine = S("所选风机额定风量（风压）小于计算值");

}  // namespace

class TestVentilationChecks : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();

private:
    QTemporaryDir m_dir;
};

void TestVentilationChecks::checks_data() {
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<QStringList>("failed");
    // The presets: 2 × 2100 m3/min against Q供 3955.44, 5000 Pa against 4173.12 Pa.
    QTest::newRow("presets") << Inputs{} << QStringList{};
    // Q供 rises to 4562.86 with the larger leakage.
    QTest::newRow("leakage 0.025")
        << Inputs{{S(kLeakRate), S("0.025")}} << QStringList{kLeakLine, kFanLine};
    // 2 % is allowed, but Q供 rises to 4246.89.
    QTest::newRow("leakage 0.02") << Inputs{{S(kLeakRate), S("0.02")}} << QStringList{kFanLine};
    QTest::newRow("2 × 1900 < Q供") << Inputs{{S(kFanFlow), S("1900")}} << QStringList{kFanLine};
    QTest::newRow("one fan") << Inputs{{S(kFanCount), S("1")}} << QStringList{kFanLine};
    QTest::newRow("no count: one fan")
        << Inputs{{S(kFanCount), QString()}} << QStringList{kFanLine};
    QTest::newRow("4000 Pa < total")
        << Inputs{{S(kFanPressure), S("4000")}} << QStringList{kFanLine};
    QTest::newRow("flow and pressure short: one line")
        << Inputs{{S(kFanCount), S("1")}, {S(kFanPressure), S("4000")}} << QStringList{kFanLine};
    QTest::newRow("no fan entered") << Inputs{{S(kFanModel), QString()},
                                              {S(kFanFlow), QString()},
                                              {S(kFanPressure), QString()},
                                              {S(kFanPower), QString()},
                                              {S(kFanCount), QString()}}
                                    << QStringList{};
}

void TestVentilationChecks::checks() {
    QFETCH(Inputs, inputs);
    QFETCH(QStringList, failed);
    MemoryForm form(m_dir.path(), &VentilationTable());
    PrepareVentilation(form);
    QCOMPARE(VentilationChecks(form), QStringList{});  // nothing computed yet
    for (const auto &[id, text] : inputs) form.SetText(id, text);
    CalculateVentilation(form);
    QCOMPARE(VentilationChecks(form), failed);
    QString tail;
    for (const QString &line : failed) tail += S("校核：") + line + S("\r\n");
    QVERIFY(form.LogText().endsWith(S("通风总风压计算成功！\r\n") + tail));
}

QTEST_GUILESS_MAIN(TestVentilationChecks)
#include "test_ventilation_checks.moc"
