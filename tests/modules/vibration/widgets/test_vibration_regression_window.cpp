#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "core/gbk_text.h"
#include "modules/vibration/core/vibration.h"
#include "modules/vibration/core/vibration_regression.h"
#include "modules/vibration/widgets/regression_chart.h"
#include "modules/vibration/widgets/regression_window.h"
#include "modules/vibration/widgets/vibration_record_model.h"
#include "modules/vibration/widgets/vibration_window.h"
#include "support/office_check.h"
#include "support/scripted_dialogs.h"
#include "support/test_files.h"

using namespace tunnel;

namespace {

// Eight readings with scatter, as a monitoring program writes them.
const QByteArray kCsv =
    "日期,测点,最大段药量Q(kg),距离R(m),实测振速V(cm/s)\r\n"
    "2024-05-01,1#,8,15,9.35\r\n2024-05-01,2#,12,22,4.641\r\n"
    "2024-05-02,1#,15,30,4.119\r\n2024-05-02,2#,20,38,2.771\r\n"
    "2024-05-03,1#,24,50,2.703\r\n2024-05-03,2#,30,65,1.293\r\n"
    "2024-05-04,1#,36,80,1.351\r\n2024-05-04,2#,45,100,0.971\r\n";

const char *const kResultIds[] = {kFitKId, kFitAlphaId, kFitRId,   kFitR2Id,
                                  kFitNId, kFitSId,     kDesignKId};

}  // namespace

class TestVibrationRegressionWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensFromVibrationWindow();
    void importAsksBeforeReplacing();
    void importListsSkippedRows();
    void fitFillsBoxesAndChart();
    void tableChangeEmptiesResults();
    void largeTableMarksASample();
    void confidenceMovesDesignLine();
    void applyWritesVibrationFields();
    void pasteAppendsRows();
    void saveAndOpenRoundTrip();
    void exportedReportInOffice();

private:
    void Click(const char *id);
    void Import(const QByteArray &bytes);
    QString Text(const char *id) const { return m_window->Text(id); }
    QList<QScatterSeries *> Scatter() const;

    std::optional<QTemporaryDir> m_folder;
    test::ScriptedDialogs *m_dialogs = nullptr;
    VibrationWindow *m_vibration = nullptr;
    RegressionWindow *m_window = nullptr;
};

void TestVibrationRegressionWindow::init() {
    m_folder.emplace();
    QDir(m_folder->path()).mkpath("Data");
    m_dialogs = new test::ScriptedDialogs;
    m_vibration = new VibrationWindow(*m_dialogs, m_folder->path());
    m_vibration->setAttribute(Qt::WA_DeleteOnClose, false);
    m_vibration->show();
    QPushButton *open = m_vibration->Button(kVibrationRegressionButtonId);
    QVERIFY(open && open->isEnabled() && open->isVisible());
    QCOMPARE(open->text(), QStringLiteral("回归K、α"));
    QTest::mouseClick(open, Qt::LeftButton);
    m_window = m_vibration->Regression();
    QVERIFY(m_window);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestVibrationRegressionWindow::cleanup() {
    delete m_window;
    delete m_vibration;
    delete m_dialogs;
}

void TestVibrationRegressionWindow::Click(const char *id) {
    QPushButton *button = m_window->Button(id);
    QVERIFY2(button && button->isVisible() && button->isEnabled(), id);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestVibrationRegressionWindow::Import(const QByteArray &bytes) {
    const QString path = m_folder->filePath("Data/监测.csv");
    QVERIFY(test::WriteFileBytes(path, bytes));
    m_dialogs->files.enqueue(path);
    Click(kImportButtonId);
}

QList<QScatterSeries *> TestVibrationRegressionWindow::Scatter() const {
    QList<QScatterSeries *> series;
    for (QAbstractSeries *s : m_window->ChartView()->chart()->series())
        if (auto *points = qobject_cast<QScatterSeries *>(s)) series << points;
    return series;
}

void TestVibrationRegressionWindow::opensFromVibrationWindow() {
    QCOMPARE(m_window->windowTitle(), QStringLiteral("爆破振动衰减规律回归"));
    QVERIFY(m_window->isWindow() && !m_window->parent() && !m_window->isModal());
    QCOMPARE(m_window->Confidence()->currentText(), QStringLiteral("95%"));
    QStringList captions;
    for (const char *id :
         {kImportButtonId, kFitButtonId, kApplyButtonId, kRegressionExportButtonId})
        captions << m_window->Button(id)->text();
    QCOMPARE(captions, (QStringList{"导入CSV", "回归计算", "应用到计算", "导出回归报告"}));
    // A second click brings the same window forward.
    QTest::mouseClick(m_vibration->Button(kVibrationRegressionButtonId), Qt::LeftButton);
    QCOMPARE(m_vibration->Regression(), m_window);
}

void TestVibrationRegressionWindow::importAsksBeforeReplacing() {
    Import(kCsv);
    QCOMPARE(m_window->Model()->rowCount(), 8);
    QVERIFY(m_dialogs->messages.isEmpty());
    m_dialogs->answers.enqueue(kAnswerNo);
    Import(ToGbk(QString::fromUtf8(kCsv.left(kCsv.indexOf("2024-05-02")))));
    QCOMPARE(m_dialogs->MessageTexts(),
             QStringList{QStringLiteral("导入将替换表中现有数据，是否继续？")});
    QCOMPARE(m_window->Model()->rowCount(), 8);
    // Asked before the file dialog, which 否 never opened: the path waits.
    QCOMPARE(m_dialogs->files.size(), 1);
    // GBK this time, and 是 by default.
    Click(kImportButtonId);
    QCOMPARE(m_window->Model()->rowCount(), 2);
    QCOMPARE(m_window->Model()->Records()[1].point, QStringLiteral("2#"));
}

void TestVibrationRegressionWindow::importListsSkippedRows() {
    Import(kCsv + "2024-05-05,3#,12,abc,1\r\n");
    QCOMPARE(m_window->Model()->rowCount(), 8);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY(m_dialogs->messages[0].text.contains(QStringLiteral("第10行")));
}

void TestVibrationRegressionWindow::fitFillsBoxesAndChart() {
    Import(kCsv);
    QCOMPARE(m_window->ChartView()->chart()->series().size(), 2);
    Click(kFitButtonId);
    for (const char *id : kResultIds) QVERIFY2(!Text(id).isEmpty(), id);
    QVERIFY(m_window->findChild<QLineEdit *>(kFitKId)->isReadOnly());
    QCOMPARE(Text(kFitNId), QStringLiteral("8"));
    // The points and both lines.
    QCOMPARE(m_window->ChartView()->chart()->series().size(), 4);
    QCOMPARE(Scatter()[0]->count(), 8);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestVibrationRegressionWindow::tableChangeEmptiesResults() {
    Import(kCsv);
    Click(kFitButtonId);
    VibrationRecordModel *model = m_window->Model();
    QVERIFY(model->setData(model->index(7, VibrationRecordModel::Used), Qt::Unchecked,
                           Qt::CheckStateRole));
    QCOMPARE(Text(kFitKId), QString());
    QCOMPARE(m_window->Caption(kRegressionNoticeId),
             QStringLiteral("数据已修改，请重新回归计算！"));
    QCOMPARE(Scatter()[0]->count(), 7);
    QCOMPARE(Scatter()[1]->count(), 1);
    QVERIFY(!model->setData(model->index(0, VibrationRecordModel::Distance), "二十", Qt::EditRole));
    QCOMPARE(model->Records()[0].distance, 15.0);
    Click(kFitButtonId);
    QCOMPARE(Text(kFitNId), QStringLiteral("7"));
}

// Every marker is an item of the chart: 100,000 of them took a minute.
void TestVibrationRegressionWindow::largeTableMarksASample() {
    QByteArray csv;
    for (int i = 0; i < 5000; ++i)
        csv += QByteArray::number(5 + i % 40) + ',' + QByteArray::number(10 + i % 190) + ",1.5\n";
    Import(csv);
    QCOMPARE(m_window->Model()->rowCount(), 5000);
    QVERIFY(Scatter()[0]->count() > 0 && Scatter()[0]->count() <= 2000);
    QVERIFY(m_window->ChartView()->chart()->title().contains(QStringLiteral("每3个测点显示1个")));
}

void TestVibrationRegressionWindow::confidenceMovesDesignLine() {
    Import(kCsv);
    Click(kFitButtonId);
    const QString design95 = Text(kDesignKId);
    m_window->Confidence()->setCurrentIndex(0);
    QCOMPARE(Text(kDesignKId), Text(kFitKId));
    m_window->Confidence()->setCurrentIndex(2);
    QCOMPARE(Text(kDesignKId), design95);
}

void TestVibrationRegressionWindow::applyWritesVibrationFields() {
    Import(kCsv);
    Click(kApplyButtonId);
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{QStringLiteral("请先进行回归计算！")});
    Click(kFitButtonId);
    m_vibration->SetLogText(QString());
    Click(kApplyButtonId);
    QCOMPARE(m_vibration->Text(kSiteFactorId), Text(kDesignKId));
    QCOMPARE(m_vibration->Text(kSiteExponentId), Text(kFitAlphaId));
    QCOMPARE(m_vibration->Caption("标签2"), QStringLiteral("参数已修改，请重新计算！"));
    QVERIFY(m_vibration->LogText().contains(QStringLiteral("测点数n=8，置信度95%")));
    // With the vibration window gone there is nowhere to apply to.
    delete m_vibration;
    m_vibration = nullptr;
    Click(kApplyButtonId);
    QCOMPARE(m_dialogs->MessageTexts().last(),
             QStringLiteral("爆破影响分析计算窗口已关闭，无法应用！"));
}

void TestVibrationRegressionWindow::pasteAppendsRows() {
    QApplication::clipboard()->setText(QStringLiteral("8\t15\t9.35\n12\t22\t4.641\n"));
    Click(kPasteButtonId);
    QCOMPARE(m_window->Model()->rowCount(), 2);
    m_window->Table()->setFocus();
    QTest::keyClick(m_window->Table(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_window->Model()->rowCount(), 4);
    QVERIFY(m_dialogs->messages.isEmpty());
}

void TestVibrationRegressionWindow::saveAndOpenRoundTrip() {
    Import(kCsv);
    m_window->Model()->setData(m_window->Model()->index(2, VibrationRecordModel::Used),
                               Qt::Unchecked, Qt::CheckStateRole);
    const QString path = m_folder->filePath("Data/记录.csv");
    m_dialogs->files.enqueue(path);
    Click(kSaveRecordsButtonId);
    QCOMPARE(m_dialogs->MessageTexts(), QStringList{QStringLiteral("保存成功！")});
    QCOMPARE(FromGbk(test::ReadFileBytes(path)), Text(kRecordsTableId));
    const std::vector<VibrationRecord> saved = m_window->Model()->Records();
    Click(kAddRowButtonId);
    QCOMPARE(m_window->Model()->rowCount(), 9);
    m_dialogs->files.enqueue(path);
    m_dialogs->answers.enqueue(kAnswerYes);
    Click(kOpenRecordsButtonId);
    QVERIFY(m_window->Model()->Records() == saved);
}

void TestVibrationRegressionWindow::exportedReportInOffice() {
    QVERIFY2(test::OfficeAvailable(), "LibreOffice and pdftotext are needed");
    Import(kCsv);
    Click(kFitButtonId);
    Click(kRegressionExportButtonId);
    const QString path = m_folder->filePath("导出的方案/爆破振动衰减规律回归分析报告.docx");
    QCOMPARE(m_dialogs->MessageTexts(),
             (QStringList{"确定开始导出，中途请勿进行其他操作！",
                          "回归分析报告导出成功！\r\n文件：" + QDir::toNativeSeparators(path)}));
    // The chart went in as a picture.
    QVERIFY(test::ReadFileBytes(path).contains("word/media/"));
    QString error;
    test::KeepReport(path, QStringLiteral("window regression"));
    QString text = test::OfficeText(path, &error);
    QVERIFY2(!text.isEmpty(), qPrintable(error));
    text.remove(QRegularExpression("\\s"));
    QVERIFY(!text.contains(QStringLiteral("编辑框_")));
    QVERIFY(text.contains(QStringLiteral("爆破振动衰减规律回归分析报告")));
    QVERIFY(text.contains(QStringLiteral("V=") + Text(kDesignKId) + QStringLiteral("×(∛Q/R)") +
                          Text(kFitAlphaId)));
    QVERIFY(text.contains(QStringLiteral("签字栏")));
}

QTEST_MAIN(TestVibrationRegressionWindow)
#include "test_vibration_regression_window.moc"
