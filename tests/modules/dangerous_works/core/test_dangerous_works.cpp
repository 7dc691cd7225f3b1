#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/calc_form.h"
#include "core/gbk_text.h"
#include "modules/dangerous_works/core/dangerous_works.h"
#include "modules/dangerous_works/core/work_list_file.h"

using tunnel::FromGbk;
using tunnel::Tier;
using tunnel::TierOf;
using tunnel::ToGbk;

namespace {

QString U(const char *text) {
    return QString::fromUtf8(text);
}

QStringList Entries(Tier tier, int index) {
    QStringList entries;
    for (const char *entry : TierOf(tier).categories[index].entries) entries << U(entry);
    return entries;
}

}  // namespace

class DangerousWorksTest : public QObject {
    Q_OBJECT
private slots:
    void catalogue_data();
    void catalogue();
    void catalogueNumbering();
    void catalogueSurvivesGbk();
    void enterCalculatesNothing();
    void menus_data();
    void menus();
    void parse_data();
    void parse();
    void listBytes_data();
    void listBytes();
    void roundTrip();
    void readFailures();
};

void DangerousWorksTest::catalogue_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    const Tier o = Tier::Ordinary;
    const Tier s = Tier::OverScale;
    QTest::newRow("o0")
        << o << 0 << 3 << U("1.1开挖深度超过3m（含3m）的基坑（槽）的土方开挖、支护、降水工程")
        << U("1.3开挖深度虽未超过3m,影响毗邻建、构筑物安全的基坑（槽）的土方开挖、支护、降水工程");
    QTest::newRow("o1") << o << 1 << 7
                        << U("2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程")
                        << U("2.7承重支撑体系：用于钢结构安装等满堂支撑体系");
    QTest::newRow("o2")
        << o << 2 << 3 << U("3.1采用非常规起重设备、方法，且单件起吊重量在10kN及以上的起重吊装工程")
        << U("3.3起重机械安装和拆卸工程");
    QTest::newRow("o3")
        << o << 3 << 6
        << U("4.1搭设高度24m及以上的落地式钢管脚手架工程（包括采光井、电梯井脚手架）")
        << U("4.6异型脚手架工程");
    QTest::newRow("o4") << o << 4 << 2 << U("5.1可能影响行人、交通、电力设施、通讯设施的拆除工程")
                        << U("5.2其它建、构筑物安全的拆除工程");
    QTest::newRow("o5") << o << 5 << 4 << U("6.1采用矿山法隧道工程") << U("6.4洞室工程");
    QTest::newRow("o6") << o << 6 << 6 << U("7.1建筑幕墙安装工程")
                        << U("7."
                             "6采用新技术、新工艺、新材料、新设备可能影响工程施工安全，尚无国家、行"
                             "业及地方技术标准的分部分项工程");
    QTest::newRow("s0") << s << 0 << 3 << U("1.1开挖深度超过5m（含5m）的基坑（槽）的土方开挖工程")
                        << U("1.1开挖深度超过5m（含5m）的基坑（槽）的降水工程");
    QTest::newRow("s1")
        << s << 1 << 6 << U("2.1各类工具式模板工程：包括滑模、爬模、飞模、隧道模等工程")
        << U("2.6承重支撑体系：用于钢结构安装等满堂支撑体系，承受单点集中荷载7kN及以上");
    QTest::newRow("s2")
        << s << 2 << 4
        << U("3.1采用非常规起重设备、方法，且单件起吊重量在100kN及以上的起重吊装工程")
        << U("3.4搭设基础标高在200m及以上的起重机械安装和拆卸工程");
    QTest::newRow("s3") << s << 3 << 3 << U("4.1搭设高度50m及以上的落地式钢管脚手架工程")
                        << U("4.3分段架体搭设高度20m及以上的悬挑式脚手架工程");
    QTest::newRow("s4") << s << 4 << 3 << U("5.1码头、桥梁、高架、烟囱、水塔的拆除工程")
                        << U("5.3文物保护建筑、优秀历史建筑或历史文化风貌区影响范围内的拆除工程");
    QTest::newRow("s5") << s << 5 << 4 << U("6.1采用矿山法施工的隧道") << U("6.4洞室工程");
    QTest::newRow("s6") << s << 6 << 7 << U("7.1施工高度50m及以上的建筑幕墙安装工程")
                        << U("7."
                             "7采用新技术、新工艺、新材料、新设备可能影响工程施工安全，尚无国家、行"
                             "业及地方技术标准的分部分项工程");
}

void DangerousWorksTest::catalogue() {
    QFETCH(Tier, tier);
    QFETCH(int, index);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QCOMPARE(int(TierOf(tier).categories.size()), 7);
    const QStringList entries = Entries(tier, index);
    QCOMPARE(entries.size(), count);
    QCOMPARE(entries.constFirst(), first);
    QCOMPARE(entries.constLast(), last);
}

// Each text starts with its category's number; the over-scale pit category
// numbers all three texts 1.1, as the regulation's list here does.
void DangerousWorksTest::catalogueNumbering() {
    for (Tier tier : tunnel::kTiers) {
        for (int c = 0; c < 7; ++c) {
            const QStringList entries = Entries(tier, c);
            for (int i = 0; i < entries.size(); ++i) {
                const bool repeated = tier == Tier::OverScale && c == 0;
                const QString number = QStringLiteral("%1.%2").arg(c + 1).arg(repeated ? 1 : i + 1);
                QVERIFY2(entries[i].startsWith(number), qPrintable(entries[i]));
                QVERIFY(!entries[i].at(number.size()).isDigit());
            }
        }
    }
    // Texts whose slips are part of the catalogue.
    QCOMPARE(Entries(Tier::Ordinary, 0)[1],
             U("1.2开挖深度虽未超过3m,开挖深度虽未超过3m，但地质条件、周围环境和地下管线复杂"));
    QCOMPARE(Entries(Tier::Ordinary, 1)[2], U("2.3混凝土模板支撑工程,搭设跨度10m及以上"));
    QCOMPARE(Entries(Tier::OverScale, 1)[2], U("2.3混凝土模板支撑工程：搭设跨度18m及以上"));
    QCOMPARE(Entries(Tier::Ordinary, 5)[0], U("6.1采用矿山法隧道工程"));
}

// List files carry the texts as GBK with "|" between them, so every text
// must be encodable and free of bars.
void DangerousWorksTest::catalogueSurvivesGbk() {
    for (Tier tier : tunnel::kTiers) {
        for (int c = 0; c < 7; ++c) {
            for (const QString &entry : Entries(tier, c)) {
                QVERIFY(!entry.contains(QLatin1Char('|')));
                const QByteArray bytes = ToGbk(entry);
                QVERIFY2(!bytes.contains('|'), qPrintable(entry));
                QCOMPARE(FromGbk(bytes), entry);
            }
        }
    }
}

void DangerousWorksTest::menus_data() {
    QTest::addColumn<Tier>("tier");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("item");

    const Tier o = Tier::Ordinary;
    const Tier s = Tier::OverScale;
    QTest::newRow("o0") << o << 0 << U("（一）基坑工程") << U("基坑工程");
    QTest::newRow("o1") << o << 1 << U("（二）模板工程及支撑体系") << U("模板工程及支撑体系");
    QTest::newRow("o2") << o << 2 << U("（三）起重吊装及起重机械安装拆卸工程")
                        << U("吊装及安拆工程");
    QTest::newRow("o3") << o << 3 << U("（四）脚手架工程") << U("脚手架");
    QTest::newRow("o4") << o << 4 << U("（五）拆除工程") << U("拆除工程");
    QTest::newRow("o5") << o << 5 << U("（六）暗挖工程") << U("不同工法的隧道工程");
    QTest::newRow("o6") << o << 6 << U("（七）其它") << U("幕墙、挖孔桩、新工艺等");
    QTest::newRow("s0") << s << 0 << U("(一)深基坑工程") << U("深基坑工程");
    QTest::newRow("s1") << s << 1 << U("(二)模板工程及支撑体系") << U("模板工程及支撑体系");
    QTest::newRow("s2") << s << 2 << U("(三) 起重吊装及起重机械安装拆卸工程")
                        << U("吊装及安拆工程");
    QTest::newRow("s3") << s << 3 << U("(四)脚手架工程") << U("脚手架工程");
    QTest::newRow("s4") << s << 4 << U("(五)拆除工程") << U("拆除工程");
    QTest::newRow("s5") << s << 5 << U("(六)暗挖工程") << U("不同工法的隧道工程");
    QTest::newRow("s6") << s << 6 << U("(七)其它") << U("幕墙、挖孔桩、新工艺等");
}

void DangerousWorksTest::menus() {
    QFETCH(Tier, tier);
    QFETCH(int, index);
    QFETCH(QString, heading);
    QFETCH(QString, item);
    QCOMPARE(U(TierOf(tier).categories[index].heading), heading);
    QCOMPARE(U(TierOf(tier).categories[index].item), item);
}

void DangerousWorksTest::parse_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("pieces");

    const QString a = U("2.2混凝土模板支撑工程：搭设高度5m及以上");
    const QString b = U("2.3混凝土模板支撑工程,搭设跨度10m及以上");
    const QString c = U("6.4洞室工程");
    auto gbk = [](const QString &text) { return ToGbk(text); };

    QTest::newRow("two items") << gbk(a + "|" + b + "|") << QStringList{a, b};
    QTest::newRow("adjacent bars") << gbk(a + "||" + b + "|") << QStringList{a, QString(), b};
    QTest::newRow("bar first") << gbk("|" + a + "|") << QStringList{QString(), a};
    QTest::newRow("only bars") << QByteArray("||") << QStringList{QString(), QString()};
    QTest::newRow("last bar missing") << gbk(a + "|" + b) << QStringList{a, b};
    QTest::newRow("no bar at all") << gbk(a) << QStringList{a};
    QTest::newRow("several lines")
        << gbk(a + "|" + b + "|\r\n" + c + "|\r\n") << QStringList{a, b, c};
    QTest::newRow("line without closing bar")
        << gbk(a + "\r\n" + b + "|" + c) << QStringList{a, b, c};
    QTest::newRow("LF lines") << gbk(a + "|\n" + b + "|\n") << QStringList{a, b};
    QTest::newRow("empty lines give nothing") << gbk("\r\n" + a + "|\r\n\r\n") << QStringList{a};
    QTest::newRow("blanks are a piece") << gbk(" |" + a + "| ") << QStringList{U(" "), a, U(" ")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    // 東 is 0x96 0x7C in GBK: its trail byte is no bar.
    QTest::newRow("trail byte 0x7C") << gbk(U("東|") + a + "|") << QStringList{U("東"), a};
}

void DangerousWorksTest::parse() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, pieces);
    QCOMPARE(tunnel::ParseWorkList(bytes), pieces);
}

void DangerousWorksTest::listBytes_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("text");

    const QString a = U("2.2混凝土模板支撑工程：搭设高度5m及以上");
    const QString b = U("2.3混凝土模板支撑工程,搭设跨度10m及以上");
    QTest::newRow("two") << QStringList{a, b} << ToGbk(a + "|" + b + "|")
                         << ToGbk(a + "\r\n" + b + "\r\n");
    QTest::newRow("one") << QStringList{a} << ToGbk(a + "|") << ToGbk(a + "\r\n");
    QTest::newRow("empty item") << QStringList{QString()} << QByteArray("|") << QByteArray("\r\n");
    QTest::newRow("none") << QStringList{} << QByteArray() << QByteArray();
}

void DangerousWorksTest::listBytes() {
    QFETCH(QStringList, items);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, text);
    QCOMPARE(tunnel::WorkListBytes(items), list);
    QCOMPARE(tunnel::WorkListTextBytes(items), text);
    // GBK, not UTF-8: 混 is 0xBB 0xEC.
    if (!items.isEmpty() && !items[0].isEmpty()) QVERIFY(list.contains("\xBB\xEC"));
}

void DangerousWorksTest::roundTrip() {
    QStringList items;
    for (Tier tier : tunnel::kTiers)
        for (int c = 0; c < 7; ++c) items += Entries(tier, c);
    items.insert(3, QString());
    items << U("東京") << U("用户自己的条目 with ASCII");
    QCOMPARE(ToGbk(U("東")), QByteArray("\x96\x7C"));
    QCOMPARE(tunnel::ParseWorkList(tunnel::WorkListBytes(items)), items);
}

void DangerousWorksTest::readFailures() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList before{U("原有条目")};

    QStringList items = before;
    QVERIFY(!tunnel::ReadWorkList(dir.filePath(U("没有.危大工程")), items).isEmpty());
    QCOMPARE(items, before);

    QVERIFY(QDir(dir.path()).mkdir(U("文件夹.危大工程")));
    QVERIFY(!tunnel::ReadWorkList(dir.filePath(U("文件夹.危大工程")), items).isEmpty());
    QCOMPARE(items, before);

    QFile file(dir.filePath(U("清单.危大工程")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ToGbk(U("6.4洞室工程|")));
    file.close();
    QCOMPARE(tunnel::ReadWorkList(file.fileName(), items), QString());
    QCOMPARE(items, QStringList{U("6.4洞室工程")});
}

// The list has no calculation: Enter must not press the load window's
// button, whose caption ends in 计算.
void DangerousWorksTest::enterCalculatesNothing() {
    const tunnel::WindowTable &table = tunnel::DangerousWorksTable();
    for (int group = -1; group < int(table.groups.size()); ++group)
        QCOMPARE(tunnel::CalculateButton(table, group),
                 static_cast<const tunnel::ButtonRow *>(nullptr));
}

QTEST_GUILESS_MAIN(DangerousWorksTest)
#include "test_dangerous_works.moc"
