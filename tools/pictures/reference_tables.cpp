// Tables for the reference windows, each drawn at the exact size its window
// gives the picture, so nothing is scaled.

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <vector>

#include "pictures/drawing_kit.h"
#include "pictures/picture_families.h"

namespace pictures {

namespace {

void CycleTimeTable(PictureSink &sink) {
    QImage image = Canvas(680, 388);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 6, 680, 28), U("隧道循环时间参考表"), 19);
    SourceTag(p, QRect(0, 12, 668, 24), U("单位：分钟"));

    const char *heads[] = {"开挖方式分类",       "全断面法施工",       "隧道台阶法",
                           "台阶法设\n临时仰拱", "CD法\n（中隔壁法）", "CRD",
                           "双侧壁导坑法"};
    const char *rows[][7] = {
        {"超前地质预报", "-", "15", "15", "15", "15", "15"},
        {"测量放样", "30", "30", "40", "40", "40", "40"},
        {"围岩量测", "30", "30", "40", "40", "40", "40"},
        {"超前支护", "-", "-", "-", "-", "110", "120"},
        {"钻眼", "180", "160", "170", "170", "160", "170"},
        {"装药连线", "40", "30", "30", "30", "30", "30"},
        {"通风", "30", "30", "30", "30", "30", "30"},
        {"清危初喷", "30", "20", "20", "20", "20", "20"},
        {"出渣", "150", "180", "190", "190", "180", "180"},
        {"立架、锚喷支护", "216", "270", "300", "300", "270", "270"},
        {"用时合计（小时）", "11.8", "12.75", "13.92", "13.92", "14.92", "15.25"},
    };
    Grid grid{QPoint(12, 40), {128, 88, 88, 88, 88, 88, 88}, {}};
    grid.heights.push_back(44);
    for (int i = 0; i < 11; ++i) grid.heights.push_back(23);
    std::vector<Cell> cells;
    for (int c = 0; c < 7; ++c)
        cells.push_back(Cell{0, c, U(heads[c]), 1, 1, Qt::AlignCenter, true});
    for (int r = 0; r < 11; ++r) {
        const bool sum = r == 10;
        for (int c = 0; c < 7; ++c) {
            Cell cell{r + 1, c, U(rows[r][c])};
            if (c == 0) cell.fill = QColor(0xf1, 0xf4, 0xf8);
            if (sum) {
                cell.fill = kSumFill;
                cell.bold = true;
            }
            cells.push_back(cell);
        }
    }
    DrawTable(p, grid, cells, Sans(13), Sans(13, true));
    Paragraph(
        p, QRect(14, grid.Bottom() + 8, 652, 60),
        U("注：本表以两车道公路隧道断面为基础编制。因各隧道的地质条件、作业班组及机械设备配置不尽相同，表中各工序用时均为经验值，仅供参考；使用时应以现场实际作业用时为准。"),
        Sans(12), Qt::AlignLeft | Qt::AlignTop, QColor(0x33, 0x33, 0x33));
    p.end();
    sink.Save(image, "cycle_time.png");
}

void VibrationLimits(PictureSink &sink) {
    QImage image = Canvas(695, 432);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 4, 695, 26), U("表2  爆破振动安全允许标准"), 17);
    SourceTag(p, QRect(0, 8, 683, 22), U("GB 6722-2014《爆破安全规程》"));

    // Columns: no., category (two sub-columns for the concrete ages), three bands.
    Grid grid{QPoint(10, 34), {40, 168, 117, 120, 120, 110}, {}};
    grid.heights = {24, 24};
    for (int i = 0; i < 12; ++i) grid.heights.push_back(22);
    std::vector<Cell> cells = {
        {0, 0, U("序号"), 2, 1, Qt::AlignCenter, true},
        {0, 1, U("保护对象类别"), 2, 2, Qt::AlignCenter, true},
        {0, 3, U("安全允许质点振动速度 V /(cm/s)"), 1, 3, Qt::AlignCenter, true},
        {1, 3, U("f ≤ 10 Hz"), 1, 1, Qt::AlignCenter, true},
        {1, 4, U("10 Hz＜f ≤ 50 Hz"), 1, 1, Qt::AlignCenter, true},
        {1, 5, U("f ＞ 50 Hz"), 1, 1, Qt::AlignCenter, true},
    };
    const char *rows[][4] = {
        {"土窑洞、土坯房、毛石房屋", "0.15～0.45", "0.45～0.9", "0.9～1.5"},
        {"一般民用建筑物", "1.5～2.0", "2.0～2.5", "2.5～3.0"},
        {"工业和商业建筑物", "2.5～3.5", "3.5～4.5", "4.2～5.0"},
        {"一般古建筑与古迹", "0.1～0.2", "0.2～0.3", "0.3～0.5"},
        {"运行中的水电站及发电厂中心控制室设备", "0.5～0.6", "0.6～0.7", "0.7～0.9"},
        {"水工隧洞", "7～8", "8～10", "10～15"},
        {"交通隧道", "10～12", "12～15", "15～20"},
        {"矿山巷道", "15～18", "18～25", "20～30"},
        {"永久性岩石高边坡", "5～9", "8～12", "10～15"},
    };
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    for (int r = 0; r < 9; ++r) {
        cells.push_back({r + 2, 0, QString::number(r + 1)});
        cells.push_back({r + 2, 1, U(rows[r][0]), 1, 2, left});
        for (int c = 0; c < 3; ++c) {
            Cell cell{r + 2, c + 3, U(rows[r][c + 1])};
            if (c == 1) cell.fill = QColor(0xfb, 0xf3, 0xdc);  // the band this program uses
            cells.push_back(cell);
        }
    }
    cells.push_back({11, 0, QStringLiteral("10"), 3, 1});
    cells.push_back({11, 1, U("新浇大体积混凝土\n（C20）"), 3, 1});
    const char *ages[][4] = {
        {"龄期：初凝～3 d", "1.5～2.0", "2.0～2.5", "2.5～3.0"},
        {"龄期：3 d～7 d", "3.0～4.0", "4.0～5.0", "5.0～7.0"},
        {"龄期：7 d～28 d", "7.0～8.0", "8.0～10.0", "10.0～12"},
    };
    for (int r = 0; r < 3; ++r) {
        cells.push_back({11 + r, 2, U(ages[r][0]), 1, 1, left});
        for (int c = 0; c < 3; ++c) {
            Cell cell{11 + r, c + 3, U(ages[r][c + 1])};
            if (c == 1) cell.fill = QColor(0xfb, 0xf3, 0xdc);
            cells.push_back(cell);
        }
    }
    DrawTable(p, grid, cells, Sans(13), Sans(13, true));
    Paragraph(
        p, QRect(12, grid.Bottom() + 6, 672, 110),
        U("注1：表中质点振动速度为三个分量中的最大值，振动频率为主振频率。\n"
          "注2：频率范围根据现场实测波形确定或按如下数据选取：硐室爆破 f 小于 20 Hz；"
          "露天深孔爆破 f 在 10 Hz～60 Hz 之间；露天浅孔爆破 f 在 40 Hz～100 Hz 之间；地下深孔爆破 f 在 30 Hz～100 Hz 之间；地下浅孔爆破 f 在 60 Hz～300 Hz 之间。\n"
          "注3：爆破振动监测应同时测定质点振动相互垂直的三个分量。"),
        Sans(12));
    p.end();
    sink.Save(image, "vibration_limits.png");
}

void VibrationFactors(PictureSink &sink) {
    QImage image = Canvas(695, 200, QColor(0xfa, 0xfb, 0xfd));
    QPainter p;
    Begin(p, image);
    PanelFrame(p, image);
    int y = 8;
    y += Paragraph(p, QRect(12, y, 671, 40),
                   U("13.2.3  在按表2选定安全允许质点振速时，应认真分析以下影响因素："),
                   Sans(13, true), Qt::AlignLeft | Qt::AlignTop, kTitleInk);
    y += 4;
    Paragraph(
        p, QRect(22, y, 663, 200 - y - 6),
        U("a）选取建筑物安全允许质点振速时，应综合考虑建筑物的重要性、建筑质量、新旧程度、自振频率、地基条件等；\n"
          "b）省级以上（含省级）重点保护古建筑与古迹的安全允许质点振速，应经专家论证后选取；\n"
          "c）选取隧道、巷道安全允许质点振速时，应综合考虑构筑物的重要性、围岩分类、支护状况、开挖跨度、埋深大小、爆源方向、周边环境等；\n"
          "d）对永久性岩石高边坡，应综合考虑边坡的重要性、边坡的初始稳定性、支护状况、开挖高度等；\n"
          "e）隧道和巷道的爆破振动控制点为距离爆源 10 m～15 m 处；高边坡的爆破振动控制点为上一级马道的内侧坡脚；\n"
          "f）非挡水新浇大体积混凝土的安全允许质点振速按表2给出的上限值选取。"),
        Sans(13));
    p.end();
    sink.Save(image, "vibration_factors.png");
}

void RockBulking(PictureSink &sink) {
    QImage image = Canvas(768, 628);
    QPainter p;
    Begin(p, image);
    Grid grid{QPoint(11, 8), {80, 44, 240, 58, 76, 52, 52, 74, 70}, {}};
    grid.heights.assign(12, 24);
    std::vector<Cell> cells = {
        {0, 0, U("土的分类"), 2, 1, Qt::AlignCenter, true},
        {0, 1, U("土的\n级别"), 2, 1, Qt::AlignCenter, true},
        {0, 2, U("土（岩）的名称"), 2, 1, Qt::AlignCenter, true},
        {0, 3, U("坚实\n系数 f"), 2, 1, Qt::AlignCenter, true},
        {0, 4, U("密度\n（kg/m³）"), 2, 1, Qt::AlignCenter, true},
        {0, 5, U("体积增加\n百分比（%）"), 1, 2, Qt::AlignCenter, true},
        {1, 5, U("最初"), 1, 1, Qt::AlignCenter, true},
        {1, 6, U("最后"), 1, 1, Qt::AlignCenter, true},
        {0, 7, U("可松性系数"), 1, 2, Qt::AlignCenter, true},
        {1, 7, U("Ks"), 1, 1, Qt::AlignCenter, true},
        {1, 8, U("Ks′"), 1, 1, Qt::AlignCenter, true},
    };
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    struct Row {
        int row, span;
        const char *cls, *level, *f, *density;
    };
    const Row classes[] = {
        {2, 2, "一类土\n（松软土）", "Ⅰ", "0.5～0.6", "600～1500"},
        {4, 1, "二类土\n（普通土）", "Ⅱ", "0.6～0.8", "1100～1600"},
        {5, 1, "三类土\n（坚土）", "Ⅲ", "0.8～1.0", "1750～1900"},
        {6, 2, "四类土\n（砂砾坚土）", "Ⅳ", "1.0～1.5", "1900"},
        {8, 1, "五类土\n（软石）", "Ⅴ～Ⅵ", "1.5～4.0", "1100～2700"},
        {9, 1, "六类土\n（次坚石）", "Ⅶ～Ⅸ", "4.0～10.0", "2200～2900"},
        {10, 1, "七类土\n（坚石）", "Ⅹ～ⅩⅢ", "10.0～18.0", "2500～3100"},
        {11, 1, "八类土\n（特坚石）", "ⅩⅣ～ⅩⅥ", "18.0～25.0\n以上", "2700～3300"},
    };
    for (const Row &r : classes) {
        cells.push_back(
            {r.row, 0, U(r.cls), r.span, 1, Qt::AlignCenter, false, QColor(0xf1, 0xf4, 0xf8)});
        cells.push_back({r.row, 1, U(r.level), r.span});
        cells.push_back({r.row, 3, U(r.f), r.span});
        cells.push_back({r.row, 4, U(r.density), r.span});
    }
    const char *names[] = {
        "砂土、粉土、冲积砂土层（种植土除外）",
        "疏松的种植土、淤泥（泥炭）",
        "粉质黏土；潮湿的黄土；夹有碎石、卵石的砂；粉土混卵（碎）石；种植土、填土",
        "软及中等密实黏土；重粉质黏土、砾石土；干黄土、含有碎石卵石的黄土、粉质黏土；压实的填土",
        "坚硬密实的黏性土或黄土；含碎石、卵石的中等密实的黏性土或黄土；粗卵石；天然级配砂石",
        "软泥灰岩、蛋白石",
        "硬质黏土；中密的页岩、泥灰岩、白垩土；胶结不紧的砾岩；软石灰岩及贝壳石灰岩",
        "泥岩、砂岩、砾岩；坚实的页岩、泥灰岩，密实的石灰岩；风化花岗岩、片麻岩及正长岩",
        "大理岩；辉绿岩；玢岩；粗、中粒花岗岩；坚实的白云岩、砂岩、砾岩、片麻岩、石灰岩；微风化安山岩、玄武岩",
        "安山岩；玄武岩；花岗片麻岩；坚实的细粒花岗岩、闪长岩、石英岩、辉长岩、辉绿岩、玢岩、角闪岩",
    };
    for (int i = 0; i < 10; ++i) cells.push_back({2 + i, 2, U(names[i]), 1, 1, left});
    struct Bulk {
        int row, span;
        const char *first, *last, *ks, *ks2;
    };
    const Bulk bulks[] = {
        {2, 1, "8～17", "1～2.5", "1.08～1.17", "1.01～1.03"},
        {3, 1, "20～30", "3～4", "1.20～1.30", "1.03～1.04"},
        {4, 1, "14～28", "1.5～5", "1.14～1.28", "1.02～1.05"},
        {5, 1, "24～30", "4～7", "1.24～1.30", "1.04～1.07"},
        {6, 1, "26～32", "6～9", "1.26～1.32", "1.06～1.09"},
        {7, 1, "33～37", "11～15", "1.33～1.37", "1.11～1.15"},
        {8, 3, "30～45", "10～20", "1.30～1.45", "1.10～1.20"},
        {11, 1, "45～50", "20～30", "1.45～1.50", "1.20～1.30"},
    };
    for (const Bulk &b : bulks) {
        cells.push_back({b.row, 5, U(b.first), b.span});
        cells.push_back({b.row, 6, U(b.last), b.span});
        cells.push_back(
            {b.row, 7, U(b.ks), b.span, 1, Qt::AlignCenter, false, QColor(0xfb, 0xf3, 0xdc), true});
        cells.push_back({b.row, 8, U(b.ks2), b.span});
    }
    const QFont body = Sans(12), head = Sans(12, true);
    FitRows(grid, cells, body, head, 24, 4);
    grid.heights[0] = 40;
    grid.heights[1] = 24;
    DrawTable(p, grid, cells, body, head, 4);

    int y = grid.Bottom() + 8;
    p.setFont(Sans(12, true));
    p.setPen(kTitleInk);
    p.drawText(QRect(13, y, 120, 24), Qt::AlignLeft | Qt::AlignVCenter, U("可松性系数定义："));
    p.setFont(Serif(15));
    p.setPen(kInk);
    p.drawText(QRect(130, y, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               U("最初可松性系数  Ks ＝ V₂ / V₁"));
    p.drawText(QRect(440, y, 300, 24), Qt::AlignLeft | Qt::AlignVCenter,
               U("最后可松性系数  Ks′ ＝ V₃ / V₁"));
    y += 28;
    Paragraph(
        p, QRect(13, y, 744, 80),
        U("式中：V₁ —— 天然状态下的体积；V₂ —— 开挖后的松散体积；V₃ —— 回填压实后的体积（m³）。计算隧道单循环爆破石渣量时，按对应围岩取最初可松性系数 Ks；一类、四类土按括号内注明的土质分别取用。"),
        Sans(12));
    p.end();
    sink.Save(image, "rock_bulking.jpg");
}

void SlabFormworkWeight(PictureSink &sink) {
    QImage image = Canvas(400, 240);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 8, 400, 24), U("表4.1.1  楼板模板自重标准值（kN/m²）"), 15);
    Grid grid{QPoint(12, 40), {206, 76, 94}, {36, 34, 34, 44}};
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    std::vector<Cell> cells = {
        {0, 0, U("模板构件的名称"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("木模板"), 1, 1, Qt::AlignCenter, true},
        {0, 2, U("定型组合\n钢模板"), 1, 1, Qt::AlignCenter, true},
        {1, 0, U("平板的模板及小梁"), 1, 1, left},
        {1, 1, QStringLiteral("0.30")},
        {1, 2, QStringLiteral("0.50")},
        {2, 0, U("楼板模板（其中包括梁的模板）"), 1, 1, left},
        {2, 1, QStringLiteral("0.50")},
        {2, 2, QStringLiteral("0.75")},
        {3, 0, U("楼板模板及其支架\n（楼层高度为 4 m 以下）"), 1, 1, left},
        {3, 1, QStringLiteral("0.75")},
        {3, 2, QStringLiteral("1.10")},
    };
    DrawTable(p, grid, cells, Sans(13), Sans(13, true));
    SourceTag(p, QRect(0, grid.Bottom() + 8, 388, 20),
              U("摘自 JGJ 162-2008《建筑施工模板安全技术规范》"));
    p.end();
    sink.Save(image, "slab_formwork_weight.jpg");
}

void LiveLoad(PictureSink &sink) {
    QImage image = Canvas(650, 368);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 6, 650, 24), U("施工人员及设备荷载标准值 Q1k"), 16);
    SourceTag(p, QRect(0, 10, 638, 20), U("JGJ 162-2008 第4.1.2条"));
    Grid grid{QPoint(12, 38), {206, 130, 100, 190}, {44, 44, 34, 34}};
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    std::vector<Cell> cells = {
        {0, 0, U("计算对象"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("均布活荷载标准值\n（kN/m²）"), 1, 1, Qt::AlignCenter, true},
        {0, 2, U("集中荷载\n标准值（kN）"), 1, 1, Qt::AlignCenter, true},
        {0, 3, U("取值说明"), 1, 1, Qt::AlignCenter, true},
        {1, 0, U("模板及直接支承模板的小梁"), 1, 1, left},
        {1, 1, QStringLiteral("2.5"), 1, 1, Qt::AlignCenter, false, QColor(0xfb, 0xf3, 0xdc), true},
        {1, 2, QStringLiteral("2.5")},
        {1, 3, U("分别按均布荷载和集中荷载验算，取两者弯矩值的较大值"), 1, 1, left},
        {2, 0, U("直接支承小梁的主梁"), 1, 1, left},
        {2, 1, QStringLiteral("1.5")},
        {2, 2, U("—")},
        {2, 3, U("按均布荷载计算"), 1, 1, left},
        {3, 0, U("支架立柱及其他支承结构构件"), 1, 1, left},
        {3, 1, QStringLiteral("1.0")},
        {3, 2, U("—")},
        {3, 3, U("按均布荷载计算"), 1, 1, left},
    };
    DrawTable(p, grid, cells, Sans(13), Sans(13, true));
    int y = grid.Bottom() + 10;
    y += Paragraph(
        p, QRect(14, y, 622, 120),
        U("注：1  对大型浇筑设备，如上料平台、混凝土输送泵等按实际情况计算；若采用布料机上料进行浇筑混凝土时，活荷载标准值取 4 kN/m²；\n"
          "    2  混凝土堆积高度超过 100 mm 以上者按实际高度计算；\n"
          "    3  模板单块宽度小于 150 mm 时，集中荷载可分布于相邻的 2 块板面上。"),
        Sans(13));
    y += 12;
    const QString q2 = U(
        "同条第 2 款：振捣混凝土时产生的荷载标准值 Q2k，对水平面模板可采用 2 kN/m²，对垂直面模板可采用 4 kN/m²，且作用范围在新浇筑混凝土侧压力的有效压头高度以内。");
    const QRect text =
        QFontMetrics(Sans(13)).boundingRect(QRect(0, 0, 606, 200), Qt::TextWordWrap, q2);
    QRect box(12, y, 626, text.height() + 14);
    p.fillRect(box, QColor(0xf3, 0xf6, 0xfa));
    p.setPen(QPen(QColor(0xa8, 0xb4, 0xc4), 1));
    p.drawRect(box);
    Paragraph(p, box.adjusted(10, 7, -10, -4), q2, Sans(13));
    p.end();
    sink.Save(image, "live_load.png");
}

void DumpingLoad(PictureSink &sink) {
    QImage image = Canvas(735, 272);
    QPainter p;
    Begin(p, image);
    Title(p, QRect(0, 6, 735, 24), U("表4.1.2  倾倒混凝土时产生的水平荷载标准值（kN/m²）"), 16);
    Grid grid{QPoint(80, 40), {380, 195}, {32, 30, 30, 30, 30}};
    std::vector<Cell> cells = {
        {0, 0, U("向模板内供料方法"), 1, 1, Qt::AlignCenter, true},
        {0, 1, U("水平荷载（kN/m²）"), 1, 1, Qt::AlignCenter, true},
    };
    const char *rows[][2] = {
        {"溜槽、串筒或导管", "2"},
        {"容量小于 0.2 m³ 的运输器具", "2"},
        {"容量为 0.2～0.8 m³ 的运输器具", "4"},
        {"容量大于 0.8 m³ 的运输器具", "6"},
    };
    for (int r = 0; r < 4; ++r) {
        cells.push_back({r + 1, 0, U(rows[r][0]), 1, 1, Qt::AlignLeft | Qt::AlignVCenter});
        cells.push_back(
            {r + 1, 1, U(rows[r][1]), 1, 1, Qt::AlignCenter, false, Qt::transparent, true});
    }
    DrawTable(p, grid, cells, Sans(13), Sans(13, true), 10);
    int y = grid.Bottom() + 8;
    y += Paragraph(p, QRect(82, y, 575, 40), U("注：作用范围在有效压头高度以内。"), Sans(12));
    y += 4;
    Paragraph(p, QRect(82, y, 575, 40),
              U("倾倒混凝土时，对垂直面模板产生的水平荷载标准值 Q3k 可按本表采用。"), Sans(12),
              Qt::AlignLeft | Qt::AlignTop, QColor(0x44, 0x44, 0x44));
    SourceTag(p, QRect(0, 272 - 26, 723, 20), U("摘自 JGJ 162-2008《建筑施工模板安全技术规范》"));
    p.end();
    sink.Save(image, "dumping_load.png");
}

}  // namespace

void DrawReferenceTables(PictureSink &sink) {
    CycleTimeTable(sink);
    VibrationLimits(sink);
    VibrationFactors(sink);
    RockBulking(sink);
    SlabFormworkWeight(sink);
    LiveLoad(sink);
    DumpingLoad(sink);
}

}  // namespace pictures
