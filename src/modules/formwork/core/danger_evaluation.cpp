#include "modules/formwork/core/danger_evaluation.h"

#include "core/calc_form.h"
#include "core/dialogs.h"
#include "core/form.h"
#include "modules/formwork/core/formwork.h"

namespace tunnel {

namespace {

constexpr Rgb kVerdictColour{0, 96, 192};

constexpr char kOverScale[] =
    "属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证";
constexpr char kScheme[] = "属于危险性较大的分部分项工程范围，需编制专项施工方案";
constexpr char kNone[] = "不属于危险性较大的分部分项工程范围";
// Item 6's answer "<7kN" words the scheme category without "于".
constexpr char kSchemeShort[] = "属危险性较大的分部分项工程范围，需编制专项施工方案";

// The category line of a measured item: prefix + field text + suffix.
struct Wording {
    const char *prefix;
    const char *suffix;
};

struct MeasuredItem {
    const char *header;
    const char *field;
    double lower;
    double upper;
    Wording none;
    Wording scheme;
    Wording overScale;
};

// Item 1 writes its over-scale line with three blanks, the others with four.
constexpr MeasuredItem kMeasured[] = {
    {"1、 搭设高度评价\r\n",
     kHeightId,
     5,
     8,
     {"    本项目模板支架搭设高度", "m<5m,不属于危险性较大的分部分项工程范围"},
     {"    本项目模板支架搭设高度", "m≥5m,属于危险性较大的分部分项工程范围，需编制专项施工方案"},
     {"   本项目模板支架搭设高度",
      "m≥8m,属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证"}},
    {"2、 搭设跨度评价\r\n",
     kSpanId,
     10,
     18,
     {"    本项目模板支架搭设跨度", "m<10m,不属于危险性较大的分部分项工程范围"},
     {"    本项目模板支架搭设跨度", "m≥10m,属于危险性较大的分部分项工程范围，需编制专项施工方案"},
     {"    本项目模板支架搭设跨度",
      "m≥18m,属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证"}},
    {"3、施工总荷载组合设计值评价\r\n",
     kSlabMaxId,
     10,
     15,
     {"   本项目施工总荷载（荷载效应基本组合的设计值）",
      "kN/m2<10kN/m2,不属于危险性较大的分部分项工程范围"},
     {"   本项目施工总荷载（荷载效应基本组合的设计值）",
      "kN/m2≥10kN/m2,属于危险性较大的分部分项工程范围，需编制专项施工方案"},
     {"   本项目施工总荷载（荷载效应基本组合的设计值）",
      "kN/m2≥15kN/m2,属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证"}},
    {"4、集中线荷载组合设计值评价\r\n",
     kLineMaxId,
     15,
     20,
     {"   本项目集中线荷载（荷载效应基本组合的设计值）",
      "kN/m<15kN/m,不属于危险性较大的分部分项工程范围"},
     {"   本项目集中线荷载（荷载效应基本组合的设计值）",
      "kN/m≥15kN/m,属于危险性较大的分部分项工程范围，需编制专项施工方案"},
     {"   本项目集中线荷载（荷载效应基本组合的设计值）",
      "kN/m≥20kN/m,属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证"}},
};

// A question item: the line for each answer of its drop-down, null where
// the answer adds none.
struct QuestionItem {
    const char *header;
    const char *combo;
    const char *lines[3];
};

constexpr QuestionItem kQuestions[] = {
    {"5、高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程评价\r\n",
     kQuestion1Id,
     {"   本项目高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程,属于危险性较大的分部分项工程范围，需编制专项施工方案",
      "   本项目不存在高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程，不属于危险性较大的分部分项工程范围",
      nullptr}},
    {"6、本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载评价\r\n",
     kQuestion2Id,
     {"   本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载≥ 7kN,属超过一定规模的危险性较大的分部分项工程范围，需编制专项施工方案，并组织专家论证",
      "   本项目不存在用于钢结构安装等满堂支撑体系，不属于危险性较大的分部分项工程范围",
      "   本项目用于钢结构安装等满堂支撑体系，承受单点集中荷载<7kN，属危险性较大的分部分项工程范围，需编制专项施工方案"}},
};

void AppendTo(Form &form, const char *box, const QString &text) {
    form.SetText(box, form.Text(box) + text);
}

// Header into the box and the log, then the line (if any) into both, the log
// copy ending the line.
void WriteItem(Form &form, const char *box, const char *header, const QString *line) {
    form.DialogService().Pause(300);
    AppendTo(form, box, header);
    form.AppendLog(header);
    if (!line) return;
    AppendTo(form, box, *line);
    form.AppendLog(*line + "\r\n");
}

}  // namespace

bool AtLeast(double x, double limit) {
    return x - limit >= -1e-7;
}

Danger Classify(double x, double lower, double upper) {
    if (AtLeast(x, upper)) return Danger::OverScale;
    if (AtLeast(x, lower)) return Danger::Scheme;
    return Danger::None;
}

QString VerdictFor(const QString &logText) {
    if (logText.contains(kOverScale)) return "本工程" + U(kOverScale);
    if (logText.contains(kScheme) || logText.contains(kSchemeShort)) return "本工程" + U(kScheme);
    if (logText.contains(kNone)) return "本工程" + U(kNone);
    return QString();
}

QStringList QuestionChoices(const char *combo) {
    if (QAnyStringView(combo) == QAnyStringView(kQuestion2Id))
        return {U("    是，承受单点集中荷载≥7kN"), U("    否"), U("    是，承受单点集中荷载<7kN")};
    return {U("    是"), U("    否")};
}

void PrepareQuestions(Form &form) {
    for (const char *combo : {kQuestion1Id, kQuestion2Id}) {
        form.SetItems(combo, QuestionChoices(combo));
        form.SetCurrentIndex(combo, 1);
    }
}

void EvaluateDanger(Form &form) {
    form.SetText(kEvaluations[0], QString());
    int box = 0;
    for (const MeasuredItem &item : kMeasured) {
        const QString text = form.Text(item.field);
        const double value = ReadNumber(form, item.field);
        const Danger danger = Classify(value, item.lower, item.upper);
        const Wording &w = danger == Danger::OverScale ? item.overScale
                           : danger == Danger::Scheme  ? item.scheme
                                                       : item.none;
        const QString line = U(w.prefix) + text + U(w.suffix);
        WriteItem(form, kEvaluations[box++], item.header, &line);
    }
    for (const QuestionItem &item : kQuestions) {
        const int index = form.CurrentIndex(item.combo);
        const bool answered = index >= 0 && index < 3 && item.lines[index];
        const QString line = answered ? U(item.lines[index]) : QString();
        WriteItem(form, kEvaluations[box++], item.header, line.isEmpty() ? nullptr : &line);
    }

    form.AppendLog("\r\n\r\n\r\n\r\n\r\n\r\n开始执行评价系统……\r\n");
    const QString verdict = VerdictFor(form.LogText());
    if (!verdict.isEmpty()) {
        form.SetText(kVerdictId, verdict);
        form.SetBackColor(kVerdictId, kVerdictColour);
    }
    form.AppendLog("\r\n自动行评价完成！\r\n");
}

}  // namespace tunnel
