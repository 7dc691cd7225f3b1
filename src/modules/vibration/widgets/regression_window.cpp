#include "modules/vibration/widgets/regression_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/dialogs.h"
#include "core/parameter_file.h"
#include "modules/vibration/widgets/regression_chart.h"
#include "modules/vibration/widgets/vibration_record_model.h"
#include "widgets/text_box.h"
#include "widgets/text_label.h"

namespace tunnel {

namespace {

// 3:2, as the report's figure is 16 cm by 10.67 cm.
constexpr QSize kPictureSize(720, 480);

}  // namespace

RegressionWindow::RegressionWindow(Dialogs &dialogs, QString dataFolder, CalcWindow *vibration,
                                   QWidget *parent)
    : CalcWindow(RegressionTable(), dialogs, std::move(dataFolder), Layout::None, parent),
      m_vibration(vibration) {
    PlaceFields();
    m_model = new VibrationRecordModel(this);
    BuildLayout();
    PrepareRegressionForm(*this);

    const std::pair<const char *, void (RegressionWindow::*)()> actions[] = {
        {kAddRowButtonId, &RegressionWindow::AddRow},
        {kDeleteRowsButtonId, &RegressionWindow::DeleteRows},
        {kPasteButtonId, &RegressionWindow::Paste},
        {kImportButtonId, &RegressionWindow::Import},
        {kOpenRecordsButtonId, &RegressionWindow::OpenRecords},
        {kSaveRecordsButtonId, &RegressionWindow::SaveRecords},
        {kFitButtonId, &RegressionWindow::Calculate},
        {kApplyButtonId, &RegressionWindow::Apply},
    };
    for (const auto &[id, action] : actions) {
        QPushButton *button = Button(id);
        button->setEnabled(true);
        connect(button, &QPushButton::clicked, this, action);
    }
    // "文件" opens and saves the records, as the two buttons do.
    for (QAction *action : menuBar()->actions().first()->menu()->actions()) {
        if (action->text() == QStringLiteral("打开")) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, &RegressionWindow::OpenRecords);
        } else if (action->text() == QStringLiteral("保存")) {
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, &RegressionWindow::SaveRecords);
        }
    }
    auto *paste = new QShortcut(QKeySequence::Paste, m_table);
    paste->setContext(Qt::WidgetWithChildrenShortcut);
    connect(paste, &QShortcut::activated, this, &RegressionWindow::Paste);
    connect(m_model, &QAbstractItemModel::modelReset, this, &RegressionWindow::RecordsChanged);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &RegressionWindow::RecordsChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &RegressionWindow::RecordsChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &RegressionWindow::RecordsChanged);
    connect(m_confidence, &QComboBox::currentIndexChanged, this,
            &RegressionWindow::ConfidenceChanged);
    connect(m_chart, &RegressionChartView::pointHovered, this, [this](int row) {
        m_table->selectRow(row);
        m_table->scrollTo(m_model->index(row, 0));
    });
    Redraw();
    resize(1240, 700);
}

// The records and the chart side by side, the results under both.
void RegressionWindow::BuildLayout() {
    QGroupBox *records = Group(0);
    m_table = new QTableView(records);
    m_table->setObjectName(kRecordsTableId);
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(VibrationRecordModel::Point,
                                                      QHeaderView::Stretch);
    GroupGrid(0)->addWidget(m_table, 1, 0);
    GroupGrid(0)->setRowStretch(1, 1);

    m_chart = new RegressionChartView(centralWidget());
    m_chart->setObjectName(kRegressionChartId);

    QGroupBox *results = Group(1);
    QGridLayout *grid = GroupGrid(1);
    auto *label = new TextLabel(kConfidenceLabel, results);
    m_confidence = new QComboBox(results);
    m_confidence->setObjectName(kConfidenceId);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_confidence, 0, 1);
    // Results only come from a fit.
    for (const FieldRow &field : RegressionTable().fields)
        if (auto *box = qobject_cast<QLineEdit *>(Unit(field.id))) box->setReadOnly(true);
    auto *warnings = static_cast<TextBox *>(Unit(kWarningsId));
    warnings->setReadOnly(true);
    warnings->setFixedHeight(warnings->fontMetrics().lineSpacing() * 4 + 8);
    SetTextColor(kWarningsId, Rgb{156, 0, 6});
    SetTextColour(NoticeLabel(), QColor(0xc0, 0, 0));
    grid->addWidget(NoticeLabel(), 4, 0, 1, 6);
    grid->addWidget(ProgressBar(), 4, 6, 1, 2);

    auto *split = new QSplitter(Qt::Horizontal, centralWidget());
    split->addWidget(records);
    split->addWidget(m_chart);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    auto *main = new QVBoxLayout(centralWidget());
    main->addWidget(split, 1);
    main->addWidget(results);
}

QString RegressionWindow::Text(QAnyStringView id) const {
    if (QAnyStringView::equal(id, kRecordsTableId)) return RecordsText(m_model->Records());
    return CalcWindow::Text(id);
}

QByteArray RegressionWindow::Picture(QAnyStringView id) {
    if (!QAnyStringView::equal(id, kRegressionChartId)) return {};
    return RegressionChartPng(Plot(), kPictureSize);
}

RegressionPlot RegressionWindow::Plot() const {
    const auto levels = ConfidenceLevels();
    const int index = m_confidence->currentIndex();
    return RegressionPlot{
        .records = &m_model->Records(),
        .fit = m_fit ? &*m_fit : nullptr,
        .level = levels[index >= 0 && index < int(levels.size()) ? index : kDefaultConfidence],
    };
}

void RegressionWindow::AddRow() {
    m_model->Append({VibrationRecord{
        .charge = std::nan(""), .distance = std::nan(""), .velocity = std::nan("")}});
    const QModelIndex cell = m_model->index(m_model->rowCount() - 1, VibrationRecordModel::Date);
    m_table->setCurrentIndex(cell);
    m_table->edit(cell);
}

void RegressionWindow::DeleteRows() {
    QList<int> rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedIndexes())
        rows << index.row();
    if (rows.isEmpty() && m_table->currentIndex().isValid()) rows << m_table->currentIndex().row();
    m_model->Remove(rows);
}

void RegressionWindow::Paste() {
    RecordsRead read = ParseRecordsText(QGuiApplication::clipboard()->text());
    const QString skipped = SkippedRowsMessage(read.skipped);
    if (read.records.empty()) {
        DialogService().Message(QStringLiteral("剪贴板中没有可读取的测点记录。") +
                                (skipped.isEmpty() ? QString() : QStringLiteral("\r\n") + skipped));
        return;
    }
    m_model->Append(read.records);
    if (!skipped.isEmpty())
        DialogService().Message(skipped, QStringLiteral("信息："), Buttons::Ok, Icon::Warning);
}

void RegressionWindow::Import() {
    FileRequest request;
    request.initialFolder = ParameterFolder(*this);
    request.filter = QStringLiteral("CSV文件（*.csv）|*.csv|文本文件（*.txt）|*.txt");
    LoadRecords(request);
}

void RegressionWindow::OpenRecords() {
    FileRequest request;
    request.initialFolder = ParameterFolder(*this);
    request.filter = QStringLiteral("测点记录（*.csv）|*.csv");
    LoadRecords(request);
}

void RegressionWindow::LoadRecords(const FileRequest &request) {
    if (!ConfirmReplaceRecords(*this, m_model->Records().size())) return;
    const std::optional<QString> path = DialogService().AskFile(request);
    if (!path) return;
    RecordsRead read;
    const QString failure = ReadRecordsFile(*path, read);
    if (!failure.isEmpty()) {
        DialogService().Message(QStringLiteral("读取失败！\r\n文件：%1\r\n原因：%2")
                                    .arg(QDir::toNativeSeparators(*path), failure),
                                QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return;
    }
    const QString skipped = SkippedRowsMessage(read.skipped);
    if (read.records.empty()) {
        DialogService().Message(QStringLiteral("文件中没有可读取的测点记录。") +
                                (skipped.isEmpty() ? QString() : QStringLiteral("\r\n") + skipped));
        return;
    }
    const std::size_t count = read.records.size();
    m_model->SetRecords(std::move(read.records));
    SetCaption(kRegressionNoticeId, QStringLiteral("已读入%1条测点记录").arg(count));
    if (!skipped.isEmpty())
        DialogService().Message(skipped, QStringLiteral("信息："), Buttons::Ok, Icon::Warning);
}

void RegressionWindow::SaveRecords() {
    FileRequest request;
    request.save = true;
    request.initialFolder = ParameterFolder(*this);
    request.filter = QStringLiteral("测点记录（*.csv）|*.csv");
    request.defaultExtension = QStringLiteral(".csv");
    request.fileName = QStringLiteral("爆破振动监测记录.csv");
    const std::optional<QString> path = DialogService().AskFile(request);
    if (!path) return;
    const QString failure = WriteRecordsFile(*path, m_model->Records());
    if (!failure.isEmpty()) {
        DialogService().Message(QStringLiteral("保存失败！\r\n文件：%1\r\n原因：%2")
                                    .arg(QDir::toNativeSeparators(*path), failure),
                                QStringLiteral("信息："), Buttons::Ok, Icon::Error);
        return;
    }
    DialogService().Message(QStringLiteral("保存成功！"));
}

void RegressionWindow::Calculate() {
    m_fit = RegressionCalculate(*this, m_model->Records());
    Redraw();
}

void RegressionWindow::Apply() {
    if (!m_vibration) {
        DialogService().Message(QStringLiteral("爆破影响分析计算窗口已关闭，无法应用！"));
        return;
    }
    ApplyRegression(*this, *m_vibration);
}

void RegressionWindow::RecordsChanged() {
    m_fit.reset();
    RegressionRecordsChanged(*this);
    Redraw();
}

// A new level moves the design line of the fit on show.
void RegressionWindow::ConfidenceChanged() {
    if (m_fit && m_fit->refusal.isEmpty()) Calculate();
}

void RegressionWindow::Redraw() {
    m_chart->Redraw(Plot());
}

}  // namespace tunnel
