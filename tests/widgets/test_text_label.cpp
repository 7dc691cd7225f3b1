#include <QtTest>

#include "widgets/text_label.h"

using namespace tunnel;

// A label sized from the shared table must measure as a plain label does,
// also after its text, font or wrapping changed once it had been measured.

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

}  // namespace

Q_DECLARE_METATYPE(Setup)

class TestTextLabel : public QObject {
    Q_OBJECT
private slots:
    void measuresAsPlainLabel_data();
    void measuresAsPlainLabel();
};

void TestTextLabel::measuresAsPlainLabel_data() {
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

void TestTextLabel::measuresAsPlainLabel() {
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

QTEST_MAIN(TestTextLabel)
#include "test_text_label.moc"
