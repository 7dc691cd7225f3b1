#include "modules/vibration/core/vibration_regression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/docx_document.h"

namespace tunnel {

namespace {

constexpr std::array kConfidenceLevels = {
    ConfidenceLevel{"50%", 0.0},
    ConfidenceLevel{"90%", 1.2816},
    ConfidenceLevel{"95%", 1.6449},
};

// The code's table of K and α by rock spans these.
constexpr double kFactorLow = 50;
constexpr double kFactorHigh = 350;
constexpr double kExponentLow = 1.3;
constexpr double kExponentHigh = 2.0;

// ln(∛Q / R) values closer than this are one distance.
constexpr double kNoSpread = 1e-9;

constexpr char kAlphaRefusal[] =
    "拟合得到的衰减指数α≤0，数据不符合衰减规律，请检查数据或增加测点距离的范围";

// The name of the first of Q, R, V that is not a positive number, or null.
const char *NotPositive(const VibrationRecord &r) {
    // Written as !(x > 0) so that a quantity not given (NaN) is caught too.
    if (!(r.charge > 0)) return "最大段药量Q";
    if (!(r.distance > 0)) return "距离R";
    if (!(r.velocity > 0)) return "实测振速V";
    return nullptr;
}

QString Rounded(double value, int decimals) {
    return ToText(RoundTo(value, decimals));
}

// Group 0 holds the records table the window adds; group 1 the results,
// in four label | box pairs a row under the confidence list.
constexpr std::array kGroups = {
    GroupRow{"测点记录"},
    GroupRow{"回归结果"},
};

constexpr std::array kFields = {
    ResultField(kFitKId, "场地系数K", 1, {.row = 0, .column = 2}),
    ResultField(kFitAlphaId, "衰减指数α", 1, {.row = 0, .column = 4}),
    ResultField(kFitRId, "相关系数r", 1, {.row = 0, .column = 6}),
    ResultField(kFitR2Id, "决定系数R²", 1, {.row = 1, .column = 0}),
    ResultField(kFitNId, "测点数n", 1, {.row = 1, .column = 2}),
    ResultField(kFitSId, "剩余标准差s", 1, {.row = 1, .column = 4}),
    ResultField(kDesignKId, "设计K", 1, {.row = 1, .column = 6}),
    FieldRow{.id = kWarningsId,
             .label = "提示",
             .group = 1,
             .kind = FieldKind::MultiLine,
             .place = {.row = 2, .column = 0, .span = 7}},
};

// The record buttons run the window's own operations on its table; the
// window connects them.
constexpr Place kRecordButtons{.row = 0};
constexpr Place kResultButtons{.row = 3, .column = 0, .span = 8};
constexpr std::array kButtons = {
    ButtonRow{.id = kAddRowButtonId, .caption = "添加行", .group = 0, .place = kRecordButtons},
    ButtonRow{.id = kDeleteRowsButtonId, .caption = "删除行", .group = 0, .place = kRecordButtons},
    ButtonRow{.id = kPasteButtonId, .caption = "粘贴", .group = 0, .place = kRecordButtons},
    ButtonRow{.id = kImportButtonId, .caption = "导入CSV", .group = 0, .place = kRecordButtons},
    ButtonRow{
        .id = kOpenRecordsButtonId, .caption = "打开数据", .group = 0, .place = kRecordButtons},
    ButtonRow{
        .id = kSaveRecordsButtonId, .caption = "保存数据", .group = 0, .place = kRecordButtons},
    ButtonRow{.id = kFitButtonId, .caption = "回归计算", .group = 1, .place = kResultButtons},
    ButtonRow{.id = kApplyButtonId, .caption = "应用到计算", .group = 1, .place = kResultButtons},
    ButtonRow{.id = kRegressionExportButtonId,
              .caption = "导出回归报告",
              .group = 1,
              .role = Role::Export,
              .place = kResultButtons},
};

// The level the drop-down shows; 95 % when it shows none.
const ConfidenceLevel &ChosenLevel(const Form &form) {
    const int index = form.CurrentIndex(kConfidenceId);
    return kConfidenceLevels[index >= 0 && index < int(kConfidenceLevels.size())
                                 ? std::size_t(index)
                                 : std::size_t(kDefaultConfidence)];
}

QString ChosenLevelName(const Form &form) {
    return QString::fromUtf8(ChosenLevel(form).name);
}

QString WarningsText(const Form &form) {
    const QString warnings = form.Text(kWarningsId).trimmed();
    return warnings.isEmpty() ? QStringLiteral("本次回归的测点数、决定系数及K、α值均未见异常。")
                              : warnings;
}

void AddRegressionParts(Form &form, DocxDocument &document);

constexpr auto kReportSteps = Classified(
    std::array{
        Notice("报告导出准备中……"),
        Fill(kFitKId, Occurrences{20}),
        Fill(kFitAlphaId, Occurrences{20}),
        Fill(kFitRId, Occurrences{20}),
        Fill(kFitR2Id, Occurrences{20}),
        Notice("写入回归结果，导出倒计时2"),
        Fill(kFitNId, Occurrences{20}),
        Fill(kFitSId, Occurrences{20}),
        Fill(kDesignKId, Occurrences{20}),
        Fill({.placeholder = "回归_置信度",
              .field = kConfidenceId,
              .passes = 20,
              .value = &ChosenLevelName,
              .printed = Printed::Text}),
        Fill({.placeholder = "回归_提示",
              .field = kWarningsId,
              .passes = 1,
              .value = &WarningsText,
              .printed = Printed::Text}),
        Notice("写入测点记录及回归图，导出倒计时1"),
        WriteDocument(),  // with the records table and the chart
        Animate(Animation::DoneNotice),
        Message("回归分析报告导出成功！"),
        OpenFolder(),
    },
    kFields);

const ReportTable kReport{
    .templateName = "vibration_regression",
    .outputName = "爆破振动衰减规律回归分析报告.docx",
    .noticeId = kRegressionNoticeId,
    .steps = kReportSteps,
    .finish = &AddRegressionParts,
};

const WindowTable kTable{
    .title = "爆破振动衰减规律回归",
    .noticeId = kRegressionNoticeId,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .report = &kReport,
};

// The records as the window's table unit holds them, one table row each,
// with the scaled distance beside them; then the chart 16 cm wide.
void AddRegressionParts(Form &form, DocxDocument &document) {
    const RecordsRead read = ParseRecordsText(form.Text(kRecordsTableId));
    QList<QStringList> rows{{QStringLiteral("序号"), QStringLiteral("爆破日期"),
                             QStringLiteral("测点"), QStringLiteral("Q（kg）"),
                             QStringLiteral("R（m）"), QStringLiteral("∛Q/R"),
                             QStringLiteral("V（cm/s）"), QStringLiteral("参与回归")}};
    int sequence = 0;
    for (const VibrationRecord &r : read.records) {
        const double scaled = ScaledDistance(r);
        rows << QStringList{ToText(++sequence),
                            r.date,
                            r.point,
                            ToText(r.charge),
                            ToText(r.distance),
                            std::isfinite(scaled) ? Rounded(scaled, 4) : QString(),
                            ToText(r.velocity),
                            r.used ? QStringLiteral("是") : QStringLiteral("否")};
    }
    // Dates and the velocity's heading stand on one line.
    document.InsertTable(QStringLiteral("回归_测点表"), rows, {5, 12, 7, 7, 7, 9, 9, 8});
    const QString figure = QStringLiteral("回归_图片");
    const QByteArray png = form.Picture(kRegressionChartId);
    if (png.isEmpty() || !document.InsertImage(figure, png, 5760000, 3840000))
        document.ReplacePlaceholder(figure, QString(), 1);
}

void ClearResults(Form &form) {
    for (const FieldRow &field : kFields) form.SetText(field.id, QString());
}

}  // namespace

double ScaledDistance(const VibrationRecord &record) {
    return std::cbrt(record.charge) / record.distance;
}

AttenuationFit FitAttenuation(std::span<const VibrationRecord> records) {
    AttenuationFit fit;
    std::vector<double> xs;
    std::vector<double> ys;
    xs.reserve(records.size());
    ys.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const VibrationRecord &r = records[i];
        if (!r.used) continue;
        if (const char *name = NotPositive(r)) {
            fit.refusal = QStringLiteral("第%1行的%2须为大于0的数，请修改该行或取消其“参与回归”")
                              .arg(i + 1)
                              .arg(QString::fromUtf8(name));
            return fit;
        }
        xs.push_back(std::log(ScaledDistance(r)));
        ys.push_back(std::log(r.velocity));
    }
    const std::size_t n = xs.size();
    fit.n = int(n);
    if (n < 3) {
        fit.refusal = QStringLiteral("参与回归的有效测点少于3个，无法回归，请至少输入3组Q、R、V");
        return fit;
    }
    const auto [low, high] = std::minmax_element(xs.begin(), xs.end());
    if (*high - *low < kNoSpread) {
        fit.refusal =
            QStringLiteral("各测点的比例距离∛Q/R全部相同，无法回归，请增加不同距离或药量的测点");
        return fit;
    }

    // Sums about the means, which keeps exact data exact to rounding.
    double mx = 0;
    double my = 0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += xs[i];
        my += ys[i];
    }
    mx /= double(n);
    my /= double(n);
    double sxx = 0;
    double sxy = 0;
    double syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = xs[i] - mx;
        const double dy = ys[i] - my;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    const double alpha = sxy / sxx;
    if (!(alpha > 0)) {
        fit.refusal = QString::fromUtf8(kAlphaRefusal);
        return fit;
    }
    const double lnK = my - alpha * mx;
    double sse = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double e = ys[i] - lnK - alpha * xs[i];
        sse += e * e;
    }
    fit.alpha = alpha;
    fit.k = std::exp(lnK);
    fit.r = std::min(1.0, sxy / std::sqrt(sxx * syy));
    fit.r2 = fit.r * fit.r;
    fit.s = std::sqrt(sse / double(n - 2));

    // Held against the values as the boxes show them, so that a shown 350
    // or 0.6 is never warned about.
    const double shownR2 = RoundTo(fit.r2, 4);
    const double shownK = RoundTo(fit.k, 2);
    const double shownAlpha = RoundTo(fit.alpha, 3);
    if (n < 6) fit.warnings << QStringLiteral("测点少于6个，回归结果仅供参考");
    if (shownR2 < 0.6)
        fit.warnings << QStringLiteral("决定系数R²=%1小于0.6，测点数据离散性大，回归结果仅供参考")
                            .arg(ToText(shownR2));
    if (shownK < kFactorLow || shownK > kFactorHigh)
        fit.warnings << QStringLiteral("回归得到的K=%1不在规范表列的50～350范围内，请核查测点数据")
                            .arg(ToText(shownK));
    if (shownAlpha < kExponentLow || shownAlpha > kExponentHigh)
        fit.warnings << QStringLiteral("回归得到的α=%1不在规范表列的1.3～2.0范围内，请核查测点数据")
                            .arg(ToText(shownAlpha));
    return fit;
}

std::span<const ConfidenceLevel> ConfidenceLevels() {
    return kConfidenceLevels;
}

double DesignFactor(const AttenuationFit &fit, double z) {
    return fit.k * std::exp(z * fit.s);
}

const WindowTable &RegressionTable() {
    return kTable;
}

void PrepareRegressionForm(Form &form) {
    QStringList names;
    for (const ConfidenceLevel &level : kConfidenceLevels) names << level.name;
    form.SetItems(kConfidenceId, names);
    form.SetCurrentIndex(kConfidenceId, kDefaultConfidence);
}

AttenuationFit RegressionCalculate(Form &form, std::span<const VibrationRecord> records) {
    const AttenuationFit fit = FitAttenuation(records);
    form.SetCaption(kRegressionNoticeId, QString());
    if (!fit.refusal.isEmpty()) {
        ClearResults(form);
        form.DialogService().Message(fit.refusal, QStringLiteral("信息："), Buttons::Ok,
                                     Icon::Warning);
        return fit;
    }
    const double z = ChosenLevel(form).z;
    form.SetText(kFitKId, Rounded(fit.k, 2));
    form.SetText(kFitAlphaId, Rounded(fit.alpha, 3));
    form.SetText(kFitRId, Rounded(fit.r, 4));
    form.SetText(kFitR2Id, Rounded(fit.r2, 4));
    form.SetText(kFitNId, ToText(fit.n));
    form.SetText(kFitSId, Rounded(fit.s, 4));
    form.SetText(kDesignKId, Rounded(DesignFactor(fit, z), 2));
    form.SetText(kWarningsId, fit.warnings.join(QStringLiteral("\r\n")));
    return fit;
}

void RegressionRecordsChanged(Form &form) {
    if (!Filled(form.Text(kFitKId))) return;
    ClearResults(form);
    form.SetCaption(kRegressionNoticeId, QStringLiteral("数据已修改，请重新回归计算！"));
}

bool ApplyRegression(Form &regression, Form &vibration) {
    const QString k = regression.Text(kDesignKId);
    const QString alpha = regression.Text(kFitAlphaId);
    if (!Filled(k) || !Filled(alpha)) {
        regression.DialogService().Message(QStringLiteral("请先进行回归计算！"));
        return false;
    }
    vibration.SetText(kSiteFactorId, k);
    vibration.SetText(kSiteExponentId, alpha);
    vibration.AppendLog(QStringLiteral("已采用实测回归结果：K=%1，α=%2（测点数n=%3，置信度%4）\r\n")
                            .arg(k, alpha, regression.Text(kFitNId), ChosenLevelName(regression)));
    regression.SetCaption(kRegressionNoticeId, QStringLiteral("已应用到爆破影响分析计算"));
    return true;
}

bool ConfirmReplaceRecords(Form &form, std::size_t rowsHeld) {
    return rowsHeld == 0 ||
           form.DialogService().Message(QStringLiteral("导入将替换表中现有数据，是否继续？"),
                                        QStringLiteral("信息："), Buttons::YesNoDefaultYes,
                                        Icon::Question) == kAnswerYes;
}

QString SkippedRowsMessage(const QStringList &skipped) {
    if (skipped.isEmpty()) return QString();
    constexpr int kListed = 20;
    QString text = QStringLiteral("以下%1行无法读取，已跳过：\r\n").arg(skipped.size());
    text += QStringList(skipped.mid(0, kListed)).join(QStringLiteral("\r\n"));
    if (skipped.size() > kListed)
        text += QStringLiteral("\r\n……另有%1行").arg(skipped.size() - kListed);
    return text;
}

}  // namespace tunnel
