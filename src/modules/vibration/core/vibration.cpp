#include "modules/vibration/core/vibration.h"

#include <QDir>
#include <QStringList>
#include <array>
#include <climits>
#include <cmath>
#include <limits>

#include "core/calc_form.h"
#include "core/code_checks.h"
#include "core/conversions.h"
#include "core/dialogs.h"
#include "core/ini_file.h"
#include "core/parameter_file.h"
#include "modules/vibration/core/vibration_formulas.h"

namespace tunnel {

namespace {

constexpr char kNoticeId[] = "标签2";
constexpr char kRangeId[] = "编辑框5_规范临界值";
constexpr char kFactorId[] = "编辑框5_系数K";
constexpr char kExponentId[] = "编辑框5_衰减系数";
constexpr auto &kChargeId = kVibrationChargeId;
constexpr char kDistanceId[] = "编辑框5_距离R";
constexpr char kVelocityId[] = "编辑框5_求振动速度";
constexpr char kAllowed1Id[] = "编辑框2本项目安全允许质点振动速度实际取值";
constexpr char kDistance1Id[] = "编辑框2距离R";
constexpr char kMaxChargeId[] = "编辑框5计算一次爆破最大用药量";
constexpr char kShelter1Id[] = "编辑框2避让距离";
constexpr char kAllowed2Id[] = "编辑框3本项目安全允许质点振动速度实际取值";
constexpr char kCharge2Id[] = "编辑框3单次起爆炸药总重量";
constexpr char kSafeDistanceId[] = "编辑框5自爆源到被保护建筑或构筑物的距离R";
constexpr char kShelter2Id[] = "编辑框3避让距离";

constexpr char kDistanceLabel[] = "自爆源到被保护建筑或构筑物的距离R（m）";
constexpr char kChargeLabel[] = "单次起爆炸药总重量Qmax（kg）";
constexpr char kChargeNote[] = "齐发爆破按总装药量计算\r\n分段爆破按最大一段药量计算";
constexpr char kAllowedLabel[] = "本项目安全允许质点振动速度实际取值Vkp(cm/s)";
constexpr char kShelterLabel[] =
    "空气冲击波对掩体内避炮人员的安全允许距离Rk（m）（露天地表爆破，一次药量不超过25kg）";

constexpr char kVelocityMissing[] = "请输入爆破参数！\r\n";
constexpr char kIncomplete[] = "参数输入不完整，请查证！\r\n";
constexpr char kFails[] =
    "超过爆破临界值，不符合要求！请降低一次起爆炸药总重量或采取分段起爆，重新计算";
constexpr char kPasses[] = "振速符合要求，验算通过！";

// GB 6722-2014 table 2: each class in the bands f ≤ 10 Hz, 10 Hz < f ≤ 50 Hz
// and f > 50 Hz.
constexpr std::array kCategories = {
    BuildingCategory{"土窑洞、土坯房、毛石房屋",
                     {{"≤0.15～0.45cm/s", 0.45}, {"≤0.45～0.9cm/s", 0.9}, {"≤0.9～1.5cm/s", 1.5}}},
    BuildingCategory{"一般民用建筑物",
                     {{"1.5～2.0 cm/s", 2.0}, {"2.0～2.5 cm/s", 2.5}, {"2.5～3.0 cm/s", 3.0}}},
    BuildingCategory{"工业和商业建筑物",
                     {{"2.5～3.5cm/s", 3.5}, {"3.5～4.5cm/s", 4.5}, {"4.2～5.0cm/s", 5.0}}},
    BuildingCategory{"一般古建筑与古迹",
                     {{"≤0.1～0.2cm/s", 0.2}, {"≤0.2～0.3cm/s", 0.3}, {"≤0.3～0.5cm/s", 0.5}}},
    BuildingCategory{"运行中的水电站及发电厂中心控制室设备",
                     {{"≤0.5～0.6cm/s", 0.6}, {"≤0.6～0.7cm/s", 0.7}, {"≤0.7～0.9cm/s", 0.9}}},
    BuildingCategory{"水工隧洞", {{"≤7～8cm/s", 8}, {"≤8～10cm/s", 10}, {"≤10～15cm/s", 15}}},
    BuildingCategory{"交通隧道", {{"≤10～12cm/s", 12}, {"≤12～15cm/s", 15}, {"≤15～20cm/s", 20}}},
    BuildingCategory{"矿山巷道", {{"≤15～18cm/s", 18}, {"≤18～25cm/s", 25}, {"≤20～30cm/s", 30}}},
    BuildingCategory{"永久性岩石高边坡",
                     {{"≤5～9cm/s", 9}, {"≤8～12cm/s", 12}, {"≤10～15cm/s", 15}}},
    BuildingCategory{"新浇大体积混凝土(C20)初凝～3d",
                     {{"≤1.5～2.0cm/s", 2.0}, {"≤2.0～2.5cm/s", 2.5}, {"≤2.5～3.0cm/s", 3.0}}},
    BuildingCategory{"新浇大体积混凝土(C20)3d～7d",
                     {{"≤3.0～4.0cm/s", 4.0}, {"≤4.0～5.0cm/s", 5.0}, {"≤5.0～7.0cm/s", 7.0}}},
    BuildingCategory{"新浇大体积混凝土(C20)7d～28d",
                     {{"≤7.0～8.0cm/s", 8.0}, {"≤8.0～10.0cm/s", 10.0}, {"≤10.0～12cm/s", 12}}},
};

constexpr std::array kBandNames = {"f≤10Hz", "10Hz<f≤50Hz", "f>50Hz"};

// The rock factors of GB 6722-2014's table for all rocks: outside them only
// a field test can give K and α.
constexpr Range kFactorRange{.min = 50, .max = 350, .code = "GB 6722-2014"};
constexpr Range kExponentRange{.min = 1.3, .max = 2.0, .code = "GB 6722-2014"};

// The tab pages, one per mode; groups 2 to 7 are their input and result groups.
constexpr char kVelocityPage[] = "计算爆破振速影响";
constexpr char kMaxChargePage[] = "计算爆破最大药量";
constexpr char kSafeDistancePage[] = "计算爆破安全距离";

constexpr std::array kGroups = {
    GroupRow{kCategoryGroupTitle},
    GroupRow{"场地系数及衰减指数"},
    GroupRow{.title = "振动速度计算", .page = kVelocityPage},
    GroupRow{.title = "计算结果评价", .page = kVelocityPage},
    GroupRow{.title = "振动速度计算", .page = kMaxChargePage},
    GroupRow{.title = "计算结果评价", .page = kMaxChargePage},
    GroupRow{.title = "振动速度计算", .page = kSafeDistancePage},
    GroupRow{.title = "计算结果", .page = kSafeDistancePage},
};

// The ranges of K and α are long one-liners: under the field they leave it room.
constexpr Place kHintBelow{.hint = HintAt::Below};

constexpr std::array kFields = {
    // Under the window's category list, which takes row 0.
    FieldRow{.id = kRangeId,
             .label = "规定安全允许质点振动速度范围Vkp(cm/s)",
             .group = 0,
             .labelId = "标签54",
             .place = {.row = 1}},
    FieldRow{.id = kFactorId,
             .label = "与岩石性质、地势高低、爆破方法和爆破条件有关的系数K(cm/s)",
             .preset = "250",
             .hint = "坚硬岩石50~150；中硬岩石150~250；软岩石250~350；",
             .change = Change::Notice,
             .group = 1,
             .labelId = "标签48",
             .hintId = "标签49",
             .place = kHintBelow,
             .range = &kFactorRange},
    FieldRow{.id = kExponentId,
             .label = "爆破地振波随距离衰减指数α",
             .preset = "2.0",
             .hint = "坚硬岩石1.3~1.5；中硬岩石1.5~1.8；软岩石1.8~2.0",
             .change = Change::Notice,
             .group = 1,
             .labelId = "标签50",
             .hintId = "标签51",
             .place = kHintBelow,
             .range = &kExponentRange},
    FieldRow{.id = kChargeId,
             .label = kChargeLabel,
             .preset = "120",
             .hint = kChargeNote,
             .change = Change::Notice,
             .group = 2,
             .labelId = "标签45",
             .hintId = "标签46"},
    FieldRow{.id = kDistanceId,
             .label = kDistanceLabel,
             .preset = "25",
             .change = Change::Notice,
             .group = 2,
             .labelId = "标签47"},
    FieldRow{.id = kVelocityId,
             .label = "计算建筑物质点垂直振动速度V'[cm/s]",
             .group = 3,
             .kind = FieldKind::Result,
             .labelId = "标签53"},
    // Multi-line: the failure verdict is a long sentence.
    FieldRow{.id = kEvaluationId,
             .label = "计算结果评价（cm/s）",
             .group = 3,
             .kind = FieldKind::MultiLine,
             .labelId = "标签1"},
    FieldRow{.id = kAllowed1Id,
             .label = kAllowedLabel,
             .preset = "9.73",
             .group = 4,
             .labelId = "标签4"},
    FieldRow{.id = kDistance1Id,
             .label = kDistanceLabel,
             .preset = "25",
             .group = 4,
             .labelId = "标签3"},
    FieldRow{.id = kMaxChargeId,
             .label = "计算单次爆破最大用药量Qmax（kg）",
             .group = 5,
             .kind = FieldKind::Result,
             .labelId = "标签7"},
    FieldRow{.id = kShelter1Id,
             .label = kShelterLabel,
             .group = 5,
             .kind = FieldKind::Result,
             .labelId = "标签14"},
    FieldRow{.id = kAllowed2Id,
             .label = kAllowedLabel,
             .preset = "9.73",
             .group = 6,
             .labelId = "标签8"},
    FieldRow{.id = kCharge2Id,
             .label = kChargeLabel,
             .preset = "120",
             .hint = kChargeNote,
             .group = 6,
             .labelId = "标签13",
             .hintId = "标签12"},
    FieldRow{.id = kSafeDistanceId,
             .label = kDistanceLabel,
             .group = 7,
             .kind = FieldKind::Result,
             .labelId = "标签9"},
    FieldRow{.id = kShelter2Id,
             .label = kShelterLabel,
             .group = 7,
             .kind = FieldKind::Result,
             .labelId = "标签6"},
};

// Open and save store the category as an index, which the generic
// parameter procedures cannot, so the buttons run this module's commands.
constexpr std::array kButtons = {
    // Opens the allowable velocity table, beside the range it explains.
    ButtonRow{.id = kVibrationLimitsButtonId,
              .caption = "查表",
              .group = 0,
              .place = {.row = 1, .column = 2}},
    // The window opens the regression window; the button has no command.
    ButtonRow{.id = kVibrationRegressionButtonId,
              .caption = "回归K、α",
              .group = 1,
              .place = {.row = 3, .column = 2}},
    ButtonRow{.id = kVibrationOpenButtonId,
              .caption = "打开数据",
              .group = -1,
              .command = &OpenVibrationParameters},
    ButtonRow{.id = kVibrationSaveButtonId,
              .caption = "保存数据",
              .group = -1,
              .command = &SaveVibrationParameters},
    ButtonRow{.id = kVibrationCalculateButtonId,
              .caption = "计算",
              .group = -1,
              .command = &VibrationCalculate,
              .role = Role::Calculate},
    // Under the verdict, with the window's progress bar beside it.
    ButtonRow{.id = kVibrationExportButtonId,
              .caption = "生成计算书",
              .group = 3,
              .role = Role::Export,
              .place = {.row = 2}},
};

constexpr std::array<const char *, 1> kCreationLog = {
    "\r\n软件启动并调试完成，前置待命中……\r\n",
};

// The category index first: the range text after it comes from the file,
// not from the list.
constexpr std::array kParams = {
    ParamKey{.section = "2.1", .key = "1", .field = kCategoryId, .stored = Stored::IndexOrLast},
    ParamKey{"2.1", "2", kChargeId},
    ParamKey{"2.1", "3", kDistanceId},
    ParamKey{"2.1", "4", kFactorId},
    ParamKey{"2.1", "5", kExponentId},
    ParamKey{"2.1", "6", kRangeId},
    ParamKey{.section = "2.1",
             .key = "7",
             .field = kBandId,
             .stored = Stored::Index,
             .absentIndex = int(kDefaultBand)},
    ParamKey{"2.2", "1", kAllowed1Id},
    ParamKey{"2.2", "2", kDistance1Id},
    ParamKey{"2.3", "1", kCharge2Id},
    ParamKey{"2.3", "2", kAllowed2Id},
};

// The allowable range as a range: the list's "≤" goes, and its unit, which
// the report prints once after the range.
QString RangeText(const Form &form) {
    QString range = form.Text(kRangeId).trimmed();
    while (range.startsWith(u'≤') || range.startsWith(u'<')) range = range.mid(1).trimmed();
    if (range.endsWith(QStringLiteral("cm/s"), Qt::CaseInsensitive)) range.chop(4);
    return range.trimmed();
}

// Each placeholder is replaced in up to twenty places.
constexpr auto kReportSteps = Classified(
    std::array{
        Notice("方案导出准备中……"),
        Log("方案导出准备，开始数据写入！\r\n"),
        Notice("处理计算参数，导出倒计时8"),
        // Without a category there is no verdict to print: an empty result.
        Fill({.placeholder = "保护对象类别C",
              .field = kCategoryId,
              .passes = 20,
              .printed = Printed::Result}),
        Fill({.placeholder = "主振频率频段Fb", .field = kBandId, .passes = 20}),
        Fill({.placeholder = "Q炸药量", .field = kChargeId, .passes = 20}),
        Notice("处理计算参数，导出倒计时7"),
        Fill({.placeholder = "K系数", .field = kFactorId, .passes = 20}),
        Notice("处理计算参数，导出倒计时6"),
        Fill({.placeholder = "α衰减指数", .field = kExponentId, .passes = 20}),
        Notice("数据写入，导出倒计时5"),
        Fill({.placeholder = "R距离", .field = kDistanceId, .passes = 20}),
        Notice("数据写入，导出倒计时4"),
        Fill({.placeholder = "安全质点振速v", .field = kVelocityId, .passes = 20}),
        Notice("数据写入，导出倒计时3"),
        Fill({.placeholder = "规范临界值V", .field = kRangeId, .passes = 20, .value = &RangeText}),
        Notice("数据写入，导出倒计时2"),
        Fill({.placeholder = "评价结果Z", .field = kEvaluationId, .passes = 20}),
        Notice("数据写入，导出倒计时1"),
        Log("数据写入完毕，开始导出计算书！\r\n"),
        WriteDocument(),
        Notice("数据导出准备……"),
        Animate(Animation::DownloadNotice),
        Log("计算书导出完毕！ \r\n"),
        Message("自动生成计算书成功！"),
        OpenFolder(),
    },
    kFields);

const ReportTable kReport{
    .templateName = "vibration",
    .outputName = "爆破影响评价计算书.docx",
    .noticeId = kNoticeId,
    .steps = kReportSteps,
    .checks = &VibrationChecks,
};

const WindowTable kTable{
    .title = "爆破影响分析计算",
    .logId = "编辑框日志",
    .noticeId = kNoticeId,
    .noticePreset = "计算书为Word文档（.docx），可用Word、WPS或LibreOffice打开",
    .changeNoticeId = kNoticeId,
    .changeNotice = "参数已修改，请重新计算！",
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .creationLog = kCreationLog,
    .params = kParams,
    .report = &kReport,
    .openedLog = "数据打开成功！\r\n",
    .savedLog = "数据储存成功！\r\n",
};

// A result read back from its field, as later steps use it. Non-finite
// results print as words that would read back as 0, so they are kept.
double ReadBack(const Form &form, const char *id, double written) {
    return std::isfinite(written) ? ReadNumber(form, id) : written;
}

void ShowVerdict(Form &form, Rgb text, const char *verdict, Rgb back) {
    form.SetTextColor(kEvaluationId, text);
    form.SetText(kEvaluationId, verdict);
    form.SetBackColor(kEvaluationId, back);
}

// No verdict can be given: an earlier one must not stay beside the new
// velocity, where the report would pick it up.
void ClearVerdict(Form &form) {
    ShowVerdict(form, kEvaluationText, "", kEvaluationBack);
}

// The limit T of the selected class in the selected band, if a class is.
std::optional<double> SelectedLimit(const Form &form) {
    const BuildingCategory *category = FindBuildingCategory(form.Text(kCategoryId));
    if (!category) return std::nullopt;
    return category->In(SelectedBand(form)).limit;
}

// A result as shown, with the words a non-finite one prints as ("inf",
// "nan") read as what they say rather than as 0.
double ShownValue(const Form &form, const char *id) {
    const QString text = form.Text(id).trimmed();
    if (text == QLatin1String("inf")) return std::numeric_limits<double>::infinity();
    if (text == QLatin1String("-inf")) return -std::numeric_limits<double>::infinity();
    if (text == QLatin1String("nan")) return std::numeric_limits<double>::quiet_NaN();
    return ToNumber(text);
}

bool Outside(const Range &range, double value) {
    return value < range.min - 1e-7 || value > range.max + 1e-7;
}

// K and α as typed, held against the table; an empty field is not checked.
QStringList RockFactorChecks(const Form &form) {
    const bool outside =
        (Filled(form.Text(kFactorId)) && Outside(kFactorRange, ReadNumber(form, kFactorId))) ||
        (Filled(form.Text(kExponentId)) && Outside(kExponentRange, ReadNumber(form, kExponentId)));
    if (!outside) return {};
    return {QStringLiteral("K、α超出GB 6722-2014表列范围，应通过现场试验确定")};
}

// The shelter distance shown beside a charge above 25 kg.
QStringList ShelterCheck(const Form &form, const char *chargeId, const char *shelterId) {
    if (!Filled(form.Text(shelterId)) || !Filled(form.Text(chargeId))) return {};
    if (ShelterFormulaApplies(ShownValue(form, chargeId))) return {};
    return {QStringLiteral(
        "一次爆破药量大于25kg，Rk公式不适用；地下爆破的空气冲击波安全允许距离应由设计确定。")};
}

}  // namespace

const WindowTable &VibrationTable() {
    return kTable;
}

std::span<const BuildingCategory> BuildingCategories() {
    return kCategories;
}

const BuildingCategory *FindBuildingCategory(const QString &name) {
    for (const BuildingCategory &category : kCategories)
        if (U(category.name) == name) return &category;
    return nullptr;
}

FrequencyBand SelectedBand(const Form &form) {
    const int index = form.CurrentIndex(kBandId);
    return index >= 0 && index < kBandCount ? FrequencyBand(index) : kDefaultBand;
}

QStringList VelocityChecks(const Form &form) {
    QStringList failed = RockFactorChecks(form);
    const std::optional<double> limit = SelectedLimit(form);
    if (!limit || JudgeVelocity(ShownValue(form, kVelocityId), limit) != VelocityVerdict::Fail)
        return failed;
    const double r = ReadNumber(form, kDistanceId);
    const double qmax = MaxChargePerDelay({.exponent = ReadNumber(form, kExponentId),
                                           .factor = ReadNumber(form, kFactorId),
                                           .distance = r,
                                           .allowed = *limit});
    failed << QStringLiteral("按允许振速%1 cm/s、距离%2 m，最大段药量应不大于%3 kg")
                  .arg(ToText(*limit), ToText(r), ToText(qmax));
    return failed;
}

QStringList MaxChargeChecks(const Form &form) {
    return RockFactorChecks(form) + ShelterCheck(form, kMaxChargeId, kShelter1Id);
}

QStringList SafeDistanceChecks(const Form &form) {
    return RockFactorChecks(form) + ShelterCheck(form, kCharge2Id, kShelter2Id);
}

QStringList VibrationChecks(const Form &form) {
    return VelocityChecks(form) + ShelterCheck(form, kMaxChargeId, kShelter1Id) +
           ShelterCheck(form, kCharge2Id, kShelter2Id);
}

void PrepareVibrationForm(Form &form) {
    QStringList names;
    for (const BuildingCategory &category : kCategories) names << category.name;
    form.SetItems(kCategoryId, names);
    form.SetCurrentIndex(kCategoryId, -1);
    form.SetItems(kBandId, QStringList(kBandNames.begin(), kBandNames.end()));
    form.SetCurrentIndex(kBandId, int(kDefaultBand));
    form.SetTextColor(kEvaluationId, kEvaluationText);
    form.SetBackColor(kEvaluationId, kEvaluationBack);
}

void VibrationCalculate(Form &form) {
    switch (form.CurrentIndex(kVibrationTabsId)) {
        case 0:
            VibrationVelocity(form);
            break;
        case 1:
            VibrationMaxCharge(form);
            break;
        case 2:
            VibrationSafeDistance(form);
            break;
        default:
            break;
    }
}

void VibrationVelocity(Form &form) {
    form.SetCaption(kNoticeId, QString());
    if (!CheckFilled(form, {kChargeId, kFactorId, kDistanceId, kExponentId}, kVelocityMissing)) {
        form.SetText(kVelocityId, QString());
        return;
    }
    const VelocityInputs in{.charge = ReadNumber(form, kChargeId),
                            .factor = ReadNumber(form, kFactorId),
                            .distance = ReadNumber(form, kDistanceId),
                            .exponent = ReadNumber(form, kExponentId)};
    const double v = BlastVelocity(in);
    form.SetText(kVelocityId, ToText(v));

    const double shown = ReadBack(form, kVelocityId, v);
    switch (JudgeVelocity(shown, SelectedLimit(form))) {
        case VelocityVerdict::None:
            ClearVerdict(form);
            break;
        case VelocityVerdict::Fail:
            ShowVerdict(form, kFailText, kFails, kFailBack);
            form.AppendLog("计算爆破振速成功，分析评价不合格！\r\n");
            break;
        case VelocityVerdict::Pass:
            ShowVerdict(form, kPassText, kPasses, kPassBack);
            form.AppendLog("计算爆破振速成功，分析评价合格！\r\n");
            break;
    }

    // Checked after the results, which stay as written.
    if (NegativeVelocityInput(shown, in)) form.AppendLog("参数输入超过上限，请重新输入！\r\n");
    LogChecks(form, VelocityChecks(form));
}

void VibrationMaxCharge(Form &form) {
    form.SetText(kMaxChargeId, QString());
    if (!CheckFilled(form, {kExponentId, kFactorId, kDistance1Id, kAllowed1Id}, kIncomplete))
        return;
    const double qmax = MaxChargePerDelay({.exponent = ReadNumber(form, kExponentId),
                                           .factor = ReadNumber(form, kFactorId),
                                           .distance = ReadNumber(form, kDistance1Id),
                                           .allowed = ReadNumber(form, kAllowed1Id)});
    form.SetText(kMaxChargeId, ToText(qmax));
    form.AppendLog("计算单次最大爆破用药量成功！\r\n");
    form.SetText(kShelter1Id, ToText(ShelterDistance(ReadBack(form, kMaxChargeId, qmax))));
    LogChecks(form, MaxChargeChecks(form));
}

void VibrationSafeDistance(Form &form) {
    form.SetText(kSafeDistanceId, QString());
    if (!CheckFilled(form, {kExponentId, kFactorId, kCharge2Id, kAllowed2Id}, kIncomplete)) return;
    const SafeDistanceInputs in{.exponent = ReadNumber(form, kExponentId),
                                .factor = ReadNumber(form, kFactorId),
                                .charge = ReadNumber(form, kCharge2Id),
                                .allowed = ReadNumber(form, kAllowed2Id)};
    form.SetText(kSafeDistanceId, ToText(SafeDistance(in)));
    form.SetText(kShelter2Id, ToText(ShelterDistance(in.charge)));
    form.AppendLog("计算最大安全距离成功！\r\n");
    LogChecks(form, SafeDistanceChecks(form));
}

void VibrationCategorySelected(Form &form) {
    if (const BuildingCategory *category = FindBuildingCategory(form.Text(kCategoryId)))
        form.SetText(kRangeId, category->In(SelectedBand(form)).range);
}

void VibrationTabChanged(Form &form) {
    static constexpr std::array kModeLines = {
        "\r\n已选取计算爆破振速影响模式\r\n",
        "\r\n已选取计算最大单次爆破用药量模式\r\n",
        "\r\n已选取计算爆破安全距离量模式\r\n",
    };
    const int tab = form.CurrentIndex(kVibrationTabsId);
    if (tab < 0 || tab >= int(kModeLines.size())) return;
    form.SetLogText(QString());
    form.AppendLog(kModeLines[tab]);
}

void SaveVibrationParameters(Form &form) {
    SaveParameters(form, kTable);
}

void OpenVibrationParameters(Form &form) {
    OpenParameters(form, kTable);
}

}  // namespace tunnel
