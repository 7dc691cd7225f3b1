#include <QtTest>

#include "widgets/group_box.h"
#include "widgets/text_label.h"

using namespace tunnel;

// What windows share across opens measures and paints as Qt's own widget
// does: a label sized from the shared table, also after its text, font or
// wrapping changed once it had been measured; a group box whose frame is
// copied from a kept drawing, whatever it drew before at another size or
// with another title (edge pixels the frame picture covers twice may round
// one step apart).

namespace {

const QString kLong = QStringLiteral(
    "梁、拱、柱（边长<300mm）、墙（厚度不大于100mm）的侧面模板计算结果，按新浇混凝土作用于模板的"
    "最大侧压力标准值取用");

struct Setup {
    QString text;
    bool wrap = false;
    int pixelSize = 0;  // 0: the application's font
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    int margin = 0;
    int indent = -1;
    int maximumWidth = QWIDGETSIZE_MAX;
};

void Apply(QLabel &label, const Setup &s) {
    label.setText(s.text);
    label.setWordWrap(s.wrap);
    QFont font = QApplication::font();
    if (s.pixelSize) font.setPixelSize(s.pixelSize);
    font.setBold(s.bold);
    label.setFont(font);
    label.setAlignment(s.align);
    label.setMargin(s.margin);
    label.setIndent(s.indent);
    label.setMaximumWidth(s.maximumWidth);
}

// Sizes and heights for several widths, as a layout asks them.
QList<int> Measures(const QLabel &label) {
    QList<int> m{label.sizeHint().width(), label.sizeHint().height(),
                 label.minimumSizeHint().width(), label.minimumSizeHint().height()};
    for (int width : {30, 90, 160, 400, 2000}) m << label.heightForWidth(width);
    return m;
}

QImage Painted(QGroupBox &box, QSize size) {
    box.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(box.palette().window().color());
    box.render(&image);
    return image;
}

// The largest difference of a colour channel over the two pictures.
int Difference(const QImage &a, const QImage &b) {
    if (a.size() != b.size()) return 255;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

}  // namespace

Q_DECLARE_METATYPE(Setup)

class TestSharedMeasures : public QObject {
    Q_OBJECT
private slots:
    void measuresAsPlainLabel_data();
    void measuresAsPlainLabel();
    void paintsAsPlainBox_data();
    void paintsAsPlainBox();
};

void TestSharedMeasures::measuresAsPlainLabel_data() {
    QTest::addColumn<Setup>("first");
    QTest::addColumn<Setup>("then");
    const Setup shortText{QStringLiteral("施工总荷载")};
    Setup wrapped{kLong, true};
    Setup wrappedNarrow = wrapped;
    wrappedNarrow.maximumWidth = 120;
    Setup lines{QStringLiteral("第一行\n第二行较长一些")};
    Setup boldSmall = wrapped;
    boldSmall.pixelSize = 11;
    boldSmall.bold = true;
    Setup framed = wrapped;
    framed.margin = 6;
    framed.indent = 10;
    framed.align = Qt::AlignHCenter | Qt::AlignBottom;
    Setup rich{QStringLiteral("计算<b>结果</b><br>第二行"), true};
    Setup empty{QString(), true};

    QTest::newRow("short") << shortText << shortText;
    QTest::newRow("wrapped") << wrapped << wrapped;
    QTest::newRow("text changed") << wrapped << Setup{kLong + kLong, true};
    QTest::newRow("wrapping turned off") << wrapped << Setup{kLong};
    QTest::newRow("font changed") << wrapped << boldSmall;
    QTest::newRow("margins and alignment") << wrapped << framed;
    QTest::newRow("narrow maximum") << wrappedNarrow << wrappedNarrow;
    QTest::newRow("line breaks") << lines << lines;
    QTest::newRow("rich text") << shortText << rich;
    QTest::newRow("emptied") << wrapped << empty;
}

void TestSharedMeasures::measuresAsPlainLabel() {
    QFETCH(Setup, first);
    QFETCH(Setup, then);
    TextLabel label;
    Apply(label, first);
    QLabel plain;
    Apply(plain, first);
    QCOMPARE(Measures(label), Measures(plain));
    // Both changed after they were measured, and a new one of each.
    Apply(label, then);
    Apply(plain, then);
    QCOMPARE(Measures(label), Measures(plain));
    QLabel plainThen;
    Apply(plainThen, then);
    TextLabel another;
    Apply(another, then);
    QCOMPARE(Measures(another), Measures(plainThen));
}

void TestSharedMeasures::paintsAsPlainBox_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("titled") << QStringLiteral("断面参数1") << false << true;
    QTest::newRow("no title") << QString() << false << true;
    QTest::newRow("check box") << QStringLiteral("采用钢模板") << true << true;
    QTest::newRow("disabled") << QStringLiteral("计算结果") << false << false;
}

void TestSharedMeasures::paintsAsPlainBox() {
    QFETCH(QString, title);
    QFETCH(bool, checkable);
    QFETCH(bool, enabled);
    GroupBox box(title);
    QGroupBox plain(title);
    for (QGroupBox *b : {static_cast<QGroupBox *>(&box), &plain}) {
        b->setCheckable(checkable);
        b->setEnabled(enabled);
    }
    // Each size twice, the second time from the kept frame, and back again.
    for (const QSize size :
         {QSize(600, 300), QSize(180, 90), QSize(600, 300), QSize(600, 200), QSize(181, 90)}) {
        QVERIFY(Difference(Painted(box, size), Painted(plain, size)) <= 1);
        QVERIFY(Difference(Painted(box, size), Painted(plain, size)) <= 1);
    }
    // A larger font moves the frame below a taller title.
    QFont large = box.font();
    large.setPixelSize(24);
    box.setFont(large);
    plain.setFont(large);
    QVERIFY(Difference(Painted(box, QSize(600, 300)), Painted(plain, QSize(600, 300))) <= 1);
}

QTEST_MAIN(TestSharedMeasures)
#include "test_shared_measures.moc"
