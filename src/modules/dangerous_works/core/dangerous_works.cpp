#include "modules/dangerous_works/core/dangerous_works.h"

#include <QDir>
#include <array>
#include <optional>

#include "core/dialogs.h"
#include "core/form.h"
#include "core/ini_file.h"
#include "core/parameter_file.h"
#include "modules/dangerous_works/core/work_list_file.h"

namespace tunnel {

namespace {

// The catalogue texts are the regulation's wording as the site uses it,
// slips and repeated numbers included: saved lists hold them verbatim.
constexpr const char *kOrdinary0[] = {
    "1.1开挖深度超过3m（含3m）的基坑（槽）的土方开挖、支护、降水工程",
    "1.2开挖深度虽未超过3m,开挖深度虽未超过3m，但地质条件、周围环境和地下管线复杂",
    "1.3开挖深度虽未超过3m,影响毗邻建、构筑物安全的基坑（槽）的土方开挖、支护、降水工程",
};
constexpr const char *kOrdinary1[] = {
    "2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程",
    "2.2混凝土模板支撑工程：搭设高度5m及以上",
    "2.3混凝土模板支撑工程,搭设跨度10m及以上",
    "2.4混凝土模板支撑工程,施工总荷载（荷载效应基本组合的设计值）10kN/m2及以上",
    "2.5混凝土模板支撑工程,集中线荷载（荷载效应基本组合的设计值）15kN/m及以上",
    "2.6高度大于支撑水平投影宽度且相对独立无联系构件的混凝土模板支撑工程",
    "2.7承重支撑体系：用于钢结构安装等满堂支撑体系",
};
constexpr const char *kOrdinary2[] = {
    "3.1采用非常规起重设备、方法，且单件起吊重量在10kN及以上的起重吊装工程",
    "3.2采用起重机械进行安装的工程",
    "3.3起重机械安装和拆卸工程",
};
constexpr const char *kOrdinary3[] = {
    "4.1搭设高度24m及以上的落地式钢管脚手架工程（包括采光井、电梯井脚手架）",
    "4.2附着式升降脚手架工程",
    "4.3悬挑式脚手架工程",
    "4.4高处作业吊篮",
    "4.5卸料平台、操作平台工程",
    "4.6异型脚手架工程",
};
constexpr const char *kOrdinary4[] = {
    "5.1可能影响行人、交通、电力设施、通讯设施的拆除工程",
    "5.2其它建、构筑物安全的拆除工程",
};
constexpr const char *kOrdinary5[] = {
    "6.1采用矿山法隧道工程",
    "6.2盾构法施工的隧道",
    "6.3顶管法施工的隧道",
    "6.4洞室工程",
};
constexpr const char *kOrdinary6[] = {
    "7.1建筑幕墙安装工程",
    "7.2钢结构、网架和索膜结构安装工程",
    "7.3人工挖孔桩工程",
    "7.4水下作业工程",
    "7.5装配式建筑混凝土预制构件安装工程",
    "7.6采用新技术、新工艺、新材料、新设备可能影响工程施工安全，尚无国家、行业及地方技术标准的分部分项工程",
};
constexpr const char *kOverScale0[] = {
    "1.1开挖深度超过5m（含5m）的基坑（槽）的土方开挖工程",
    "1.1开挖深度超过5m（含5m）的基坑（槽）的支护工程",
    "1.1开挖深度超过5m（含5m）的基坑（槽）的降水工程",
};
constexpr const char *kOverScale1[] = {
    "2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程",
    "2.2混凝土模板支撑工程：搭设高度8m及以上",
    "2.3混凝土模板支撑工程：搭设跨度18m及以上",
    "2.4混凝土模板支撑工程：施工总荷载（荷载效应基本组合的设计值）15kN/m2及以上",
    "2.5混凝土模板支撑工程：集中线荷载（荷载效应基本组合的设计值）20kN/m及以上",
    "2.6承重支撑体系：用于钢结构安装等满堂支撑体系，承受单点集中荷载7kN及以上",
};
constexpr const char *kOverScale2[] = {
    "3.1采用非常规起重设备、方法，且单件起吊重量在100kN及以上的起重吊装工程",
    "3.2起重量300kN及以上的起重机械安装和拆卸工程",
    "3.3搭设总高度200m及以上的起重机械安装和拆卸工程",
    "3.4搭设基础标高在200m及以上的起重机械安装和拆卸工程",
};
constexpr const char *kOverScale3[] = {
    "4.1搭设高度50m及以上的落地式钢管脚手架工程",
    "4.2提升高度在150m及以上的附着式升降脚手架工程或附着式升降操作平台工程",
    "4.3分段架体搭设高度20m及以上的悬挑式脚手架工程",
};
constexpr const char *kOverScale4[] = {
    "5.1码头、桥梁、高架、烟囱、水塔的拆除工程",
    "5.2拆除中容易引起有毒有害气（液）体或粉尘扩散、易燃易爆事故发生的特殊建、构筑物的拆除工程",
    "5.3文物保护建筑、优秀历史建筑或历史文化风貌区影响范围内的拆除工程",
};
constexpr const char *kOverScale5[] = {
    "6.1采用矿山法施工的隧道",
    "6.2盾构法施工的隧道",
    "6.3顶管法施工的隧道",
    "6.4洞室工程",
};
constexpr const char *kOverScale6[] = {
    "7.1施工高度50m及以上的建筑幕墙安装工程",
    "7.2跨度36m及以上的钢结构安装工程",
    "7.3跨度60m及以上的网架和索膜结构安装工程",
    "7.4开挖深度16m及以上的人工挖孔桩工程",
    "7.5水下作业工程",
    "7.6重量1000kN及以上的大型结构整体顶升、平移、转体等施工工艺",
    "7.7采用新技术、新工艺、新材料、新设备可能影响工程施工安全，尚无国家、行业及地方技术标准的分部分项工程",
};

constexpr std::array kOrdinaryCategories = {
    Category{"（一）基坑工程", "基坑工程", kOrdinary0},
    Category{"（二）模板工程及支撑体系", "模板工程及支撑体系", kOrdinary1},
    Category{"（三）起重吊装及起重机械安装拆卸工程", "吊装及安拆工程", kOrdinary2},
    Category{"（四）脚手架工程", "脚手架", kOrdinary3},
    Category{"（五）拆除工程", "拆除工程", kOrdinary4},
    Category{"（六）暗挖工程", "不同工法的隧道工程", kOrdinary5},
    Category{"（七）其它", "幕墙、挖孔桩、新工艺等", kOrdinary6},
};

constexpr std::array kOverScaleCategories = {
    Category{"(一)深基坑工程", "深基坑工程", kOverScale0},
    Category{"(二)模板工程及支撑体系", "模板工程及支撑体系", kOverScale1},
    Category{"(三) 起重吊装及起重机械安装拆卸工程", "吊装及安拆工程", kOverScale2},
    Category{"(四)脚手架工程", "脚手架工程", kOverScale3},
    Category{"(五)拆除工程", "拆除工程", kOverScale4},
    Category{"(六)暗挖工程", "不同工法的隧道工程", kOverScale5},
    Category{"(七)其它", "幕墙、挖孔桩、新工艺等", kOverScale6},
};

const TierTable kOrdinary{
    .page = "危险性较大的分部分项工程",
    .pageHeading = "危险性较大分部分项工程~编制专项施工方案",
    .menuId = "卷帘式菜单1",
    .menuHeading = "危险性较大分部分项工程",
    .catalogueId = "列表框1",
    .catalogueHeading = "危险性较大分部分项工程范围详细清单",
    .projectId = "列表框2",
    .projectGroup = "本工程危险性较大的分部分项工程清单",
    .categories = kOrdinaryCategories,
    .openButton = "按钮1_危大打开数据",
    .saveButton = "按钮1_危大保存数据",
    .exportButton = "按钮1危大导出文本",
    .extension = ".危大工程",
    .openLog = "危大工程打开成功！",
    .saveLog = "危大工程保存成功！",
    .exportLog = "危大工程导出成功！",
    .exportMessage = "危大导出项目列表成功！",
    .exportMessageFirst = true,
    .deleteLog = "危大删除成功!\r\n",
};

const TierTable kOverScale{
    .page = "超过一定规模的危大工程",
    .pageHeading = "超过一定规模的危险性较大的分部分项工程~施工单位组织专家论证",
    .menuId = "卷帘式菜单2",
    .menuHeading = "",
    .catalogueId = "列表框3",
    .catalogueHeading = "超过一定规模的危险性较大的分部分项工程范围及详细清单",
    .projectId = "列表框4",
    .projectGroup = "本工程超过一定规模的危险性较大的分部分项工程清单",
    .categories = kOverScaleCategories,
    .openButton = "按钮2超大打开数据",
    .saveButton = "按钮2超大保存",
    .exportButton = "按钮2导出文本",
    .extension = ".超规模",
    .openLog = "超规模危大工程打开成功！",
    .saveLog = "超规模危大工程保存成功！",
    .exportLog = "超规模危大工程项目列表导出成功！",
    .exportMessage = "项目列表导出成功！",
    .exportMessageFirst = false,
    .deleteLog = "超规模危大删除成功!\r\n",
};

template <Tier T>
void OpenCommand(Form &form) {
    OpenWorkList(form, T);
}

template <Tier T>
void SaveCommand(Form &form) {
    SaveWorkList(form, T);
}

template <Tier T>
void ExportCommand(Form &form) {
    ExportWorkListText(form, T);
}

constexpr std::array kGroups = {
    GroupRow{""},
    GroupRow{"本工程计算结果"},
};

constexpr std::array kFields = {
    FieldRow{.id = kDescriptionId, .label = "", .group = 0, .kind = FieldKind::MultiLine},
};

constexpr std::array kButtons = {
    ButtonRow{.id = "按钮1_危大打开数据",
              .caption = "打开本页数据",
              .group = -1,
              .command = &OpenCommand<Tier::Ordinary>},
    ButtonRow{.id = "按钮1_危大保存数据",
              .caption = "保存本页数据",
              .group = -1,
              .command = &SaveCommand<Tier::Ordinary>},
    ButtonRow{.id = "按钮1危大导出文本",
              .caption = "导出文本",
              .group = -1,
              .command = &ExportCommand<Tier::Ordinary>},
    ButtonRow{.id = "按钮2超大打开数据",
              .caption = "打开本页数据",
              .group = -1,
              .command = &OpenCommand<Tier::OverScale>},
    ButtonRow{.id = "按钮2超大保存",
              .caption = "保存本页数据",
              .group = -1,
              .command = &SaveCommand<Tier::OverScale>},
    ButtonRow{.id = "按钮2导出文本",
              .caption = "导出txt",
              .group = -1,
              .command = &ExportCommand<Tier::OverScale>},
    // The window connects it to the formwork load window where the build
    // has one.
    ButtonRow{.id = kFormworkButtonId,
              .caption = "施工总荷载、集中线荷载计算",
              .group = 1,
              .command = nullptr},
};

constexpr std::array<const char *, 1> kCreationLog = {
    "\r\n软件调试完成，进入待命状态……\r\n",
};

const WindowTable kTable{
    .title = "危险性较大的分部分项工程",
    .logId = kDangerLogId,
    .groups = kGroups,
    .fields = kFields,
    .buttons = kButtons,
    .creationLog = kCreationLog,
};

// The text of the list's selected item; empty without a selection.
QString SelectedText(const Form &form, const char *listId) {
    const int index = form.CurrentIndex(listId);
    const QStringList items = form.Items(listId);
    return index >= 0 && index < items.size() ? items[index] : QString();
}

void Describe(Form &form, const char *listId, const char *partnerId) {
    if (form.CurrentIndex(listId) < 0) return;
    form.SetText(kDescriptionId, QStringLiteral("    ") + SelectedText(form, listId));
    form.SetCurrentIndex(partnerId, -1);
}

std::optional<QString> AskListFile(Form &form, bool save, const QString &extension) {
    FileRequest request;
    request.save = save;
    request.initialFolder = ParameterFolder(form);
    request.filter = QStringLiteral("（*%1）|*%1").arg(extension);
    request.defaultExtension = save ? extension : QString();
    return form.DialogService().AskFile(request);
}

void ShowFailure(Form &form, const char *what, const QString &path, const QString &reason) {
    ShowFileFailure(form.DialogService(), U(what), path, reason);
}

}  // namespace

const WindowTable &DangerousWorksTable() {
    return kTable;
}

const TierTable &TierOf(Tier tier) {
    return tier == Tier::Ordinary ? kOrdinary : kOverScale;
}

void ChooseCategory(Form &form, Tier tier, int index) {
    const TierTable &table = TierOf(tier);
    if (index < 0 || index >= static_cast<int>(table.categories.size())) return;
    QStringList items;
    for (const char *entry : table.categories[index].entries) items << entry;
    form.SetItems(table.catalogueId, items);
}

void DescribeCatalogueItem(Form &form, Tier tier) {
    Describe(form, TierOf(tier).catalogueId, TierOf(tier).projectId);
}

void DescribeProjectItem(Form &form, Tier tier) {
    Describe(form, TierOf(tier).projectId, TierOf(tier).catalogueId);
}

void AddSelectedItem(Form &form, Tier tier) {
    const TierTable &table = TierOf(tier);
    // A double-click beside the items selects nothing: there is nothing to add.
    if (form.CurrentIndex(table.catalogueId) < 0) return;
    const QString text = SelectedText(form, table.catalogueId);
    QStringList items = form.Items(table.projectId);
    if (items.contains(text)) {
        form.AppendLog(QStringLiteral("添加项目重复，添加失败!\r\n"));
        return;
    }
    items.append(text);
    form.SetItems(table.projectId, items);
    form.AppendLog(QStringLiteral("添加项目成功!\r\n"));
}

void DeleteSelectedItems(Form &form) {
    for (Tier tier : kTiers) {
        const TierTable &table = TierOf(tier);
        const int index = form.CurrentIndex(table.projectId);
        QStringList items = form.Items(table.projectId);
        if (index < 0 || index >= items.size()) continue;
        items.removeAt(index);
        form.SetItems(table.projectId, items);
        form.AppendLog(table.deleteLog);
    }
}

void OpenWorkList(Form &form, Tier tier) {
    const TierTable &table = TierOf(tier);
    const std::optional<QString> path = AskListFile(form, false, table.extension);
    if (!path) return;
    QStringList items;
    const QString failure = ReadWorkList(*path, items);
    if (!failure.isEmpty()) {
        ShowFailure(form, "打开失败！", *path, failure);
        return;
    }
    form.SetItems(table.projectId, items);
    form.AppendLog(table.openLog);
}

void SaveWorkList(Form &form, Tier tier) {
    const TierTable &table = TierOf(tier);
    const std::optional<QString> path = AskListFile(form, true, table.extension);
    if (!path) return;
    const QString failure = WriteFileAtomically(*path, WorkListBytes(form.Items(table.projectId)));
    if (!failure.isEmpty()) {
        ShowFailure(form, "保存失败！", *path, failure);
        return;
    }
    form.AppendLog(table.saveLog);
    form.DialogService().Message(QStringLiteral("保存成功！"));
}

void ExportWorkListText(Form &form, Tier tier) {
    const TierTable &table = TierOf(tier);
    const std::optional<QString> path = AskListFile(form, true, QStringLiteral(".txt"));
    if (!path) return;
    const QString failure =
        WriteFileAtomically(*path, WorkListTextBytes(form.Items(table.projectId)));
    if (!failure.isEmpty()) {
        ShowFailure(form, "导出失败！", *path, failure);
        return;
    }
    if (table.exportMessageFirst) {
        form.DialogService().Message(table.exportMessage);
        form.AppendLog(table.exportLog);
    } else {
        form.AppendLog(table.exportLog);
        form.DialogService().Message(table.exportMessage);
    }
}

}  // namespace tunnel
