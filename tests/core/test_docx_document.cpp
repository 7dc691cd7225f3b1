#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <pugixml.hpp>

#include "core/docx_document.h"
#include "core/template_document.h"
#include "support/docx_builder.h"
#include "support/office_check.h"

namespace tunnel {

struct DocxDocumentTest {
    static void SetScanCache(DocxDocument &document, bool on) { document.SetScanCache(on); }
};

}  // namespace tunnel

using namespace tunnel;
using namespace tunnel::test;

namespace {

QString Run(const QString &text, const QString &properties = {}) {
    const QString rPr = properties.isEmpty() ? QString() : "<w:rPr>" + properties + "</w:rPr>";
    return QStringLiteral("<w:r>%1<w:t xml:space=\"preserve\">%2</w:t></w:r>")
        .arg(rPr, text.toHtmlEscaped());
}

QString P(const QString &content) {
    return "<w:p>" + content + "</w:p>";
}

QString SavedPart(const DocxDocument &document, const QString &name) {
    QString error;
    const QByteArray package = document.Save(&error);
    if (package.isEmpty()) qWarning() << "save failed:" << error;
    return QString::fromUtf8(EntryData(ReadPackage(package), name));
}

// The children of each run of the body as "t:text", "br", "tab" and so on,
// runs separated by " / " (properties left out).
QString RunShapes(const QString &documentXml) {
    const QByteArray xml = documentXml.toUtf8();
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.constData(), xml.size(), pugi::parse_default | pugi::parse_ws_pcdata))
        return QStringLiteral("<unparsable>");
    QStringList runs;
    for (const pugi::xpath_node &r : doc.select_nodes("//w:body//w:r")) {
        QStringList children;
        for (pugi::xml_node child : r.node().children()) {
            const QString name = QString::fromUtf8(child.name()).mid(2);
            if (name == u"rPr") continue;
            children << (name == u"t" ? "t:" + QString::fromUtf8(child.text().get()) : name);
        }
        runs << children.join(u'|');
    }
    return runs.join(QStringLiteral(" / "));
}

int Count(const QString &xml, const QString &element) {
    return int(xml.count(QRegularExpression("<" + QRegularExpression::escape(element) + "[ />]")));
}

// Random documents over a small alphabet, so that placeholders occur often,
// run across run boundaries and come back formed by a value with its
// neighbours. Full-width letters fold like ASCII ones.
class RandomBody {
public:
    explicit RandomBody(quint32 seed) : m_random(seed) {}

    QString Body() {
        QString body;
        const int paragraphs = Pick(1, 6);
        for (int i = 0; i < paragraphs; ++i) {
            if (Chance(15)) {
                body += "<w:tbl><w:tr><w:tc>" + Paragraph() + "</w:tc><w:tc>" + Paragraph() +
                        Paragraph() + "</w:tc></w:tr></w:tbl>";
            } else {
                body += Paragraph();
            }
        }
        // Fields still open are closed in a last paragraph.
        QString close;
        while (m_openFields > 0) {
            close += FieldChar("end");
            --m_openFields;
        }
        return body + (close.isEmpty() ? QString() : P(close));
    }

    QString Placeholder() {
        static const QStringList placeholders = {"ab",  "aba", "ba", "AB",  "xa",
                                                 "ａb", "a b", "aa", "a&<b"};
        return placeholders[Pick(0, int(placeholders.size()) - 1)];
    }

    QString Value() {
        static const QStringList values = {"",     "a",   "b",     "ab",     "xab", "ba",
                                           "a\nb", "\ta", "b\r\n", "Ab",     "aab", "x",
                                           "ｂ",   "a b", "&<",    "aba\tab"};
        return values[Pick(0, int(values.size()) - 1)];
    }

    int Pick(int low, int high) { return int(m_random.bounded(low, high + 1)); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }

private:
    QString Text() {
        static const QStringList letters = {"a", "b",  "a",  "b", "A", "B",
                                            "x", "ａ", "Ｂ", " ", "&", "<"};
        QString text;
        const int length = Pick(1, 7);
        for (int i = 0; i < length; ++i) text += letters[Pick(0, int(letters.size()) - 1)];
        return text.toHtmlEscaped();
    }

    QString T() {
        return Chance(8) ? QStringLiteral("<w:t/>")
                         : "<w:t xml:space=\"preserve\">" + Text() + "</w:t>";
    }

    static QString FieldChar(const char *type) {
        return QStringLiteral("<w:r><w:fldChar w:fldCharType=\"%1\"/></w:r>")
            .arg(QLatin1String(type));
    }

    // A run of one or more w:t, now and then with a stop, a marker or
    // properties between them.
    QString RunXml() {
        QString run =
            Chance(30) ? QStringLiteral("<w:r><w:rPr><w:b/></w:rPr>") : QStringLiteral("<w:r>");
        const int children = Pick(1, 3);
        for (int i = 0; i < children; ++i) {
            if (i > 0) {
                const int between = Pick(0, 9);
                if (between == 0) run += "<w:tab/>";
                if (between == 1) run += "<w:br/>";
                if (between == 2) run += "<w:lastRenderedPageBreak/>";
                if (between == 3) run += "<w:instrText>ab</w:instrText>";
            }
            run += T();
        }
        return run + "</w:r>";
    }

    QString Item() {
        switch (Pick(0, 19)) {
            case 0:
                return "<w:r><w:tab/></w:r>";
            case 1:
                return "<w:r><w:br/></w:r>";
            case 2:
                return "<w:del w:id=\"1\" w:author=\"a\"><w:r><w:delText>" + Text() +
                       "</w:delText></w:r></w:del>";
            case 3:
                return "<w:proofErr w:type=\"spellStart\"/>";
            case 4:
                return "<w:bookmarkStart w:id=\"0\" w:name=\"m\"/><w:bookmarkEnd w:id=\"0\"/>";
            case 5:
                return "<w:hyperlink r:id=\"rId9\">" + RunXml() + RunXml() + "</w:hyperlink>";
            case 6:
                return "<m:oMath><m:r><m:t>ab</m:t></m:r></m:oMath>";
            case 7:
                // Field codes, sometimes with a text run among them, sometimes
                // left open into the next paragraphs.
                ++m_openFields;
                return FieldChar("begin") + "<w:r><w:instrText> ab </w:instrText></w:r>" +
                       (Chance(50) ? RunXml() : QString());
            case 8:
                if (m_openFields == 0) return RunXml();
                return FieldChar("separate") + RunXml();
            case 9:
                if (m_openFields == 0) return RunXml();
                --m_openFields;
                return FieldChar("end");
            case 10:
                return "<w:ins w:id=\"2\" w:author=\"a\">" + RunXml() + "</w:ins>";
            default:
                return RunXml();
        }
    }

    QString Paragraph() {
        QString content =
            Chance(20) ? QStringLiteral("<w:pPr><w:jc w:val=\"center\"/></w:pPr>") : QString();
        const int items = Pick(0, 10);
        for (int i = 0; i < items; ++i) content += Item();
        return P(content);
    }

    QRandomGenerator m_random;
    int m_openFields = 0;
};

}  // namespace

class TestDocxDocument : public QObject {
    Q_OBJECT
private slots:
    void replace_data();
    void replace();
    void valueShape_data();
    void valueShape();
    void keepsFirstRunFormatting();
    void markersBetweenRunsSurvive();
    void cachedPassesMatchFullScans();
    void copiesAreIndependent();
    void insertedTableHeadRepeats();
    void headerAndFooterUntouched();
    void otherNamespacePrefix();
    void mainText();
    void replaceParagraph_data();
    void replaceParagraph();
    void roundTrip_data();
    void roundTrip();
    void openRejects_data();
    void openRejects();
};

void TestDocxDocument::replace_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("found");
    QTest::addColumn<QString>("text");

    const QString ph = QStringLiteral("编辑框1循环进尺");
    const QString three = P(Run("A" + ph + "B" + ph + "C" + ph));
    QTest::newRow("12 occurrences, 10 passes leave the last 2")
        << three + three + three + three << ph << "2.8" << 10 << 10
        << "A2.8B2.8C2.8\nA2.8B2.8C2.8\nA2.8B2.8C2.8\nA2.8B" + ph + "C" + ph;
    QTest::newRow("split over three runs")
        << P(Run("前编辑框") + Run("1循") + Run("环进尺后")) << ph << "2.8" << 10 << 1 << "前2.8后";
    QTest::newRow("letters without regard to case") << P(Run("Ph-") + Run("Abc")) << "pH-aBC"
                                                    << "x" << 10 << 1 << "x";
    QTest::newRow("full-width letters fold too") << P(Run("ＫＭ值")) << "ｋｍ值"
                                                 << "1" << 1 << 1 << "1";
    QTest::newRow("value holding the placeholder is found again")
        << P(Run("[X]")) << "[x]"
        << "a[X]b" << 3 << 3 << "aaa[X]bbb";
    QTest::newRow("empty value") << P(Run("a编辑框b")) << "编辑框"
                                 << "" << 10 << 1 << "ab";
    QTest::newRow("empty placeholder") << P(Run("abc")) << ""
                                       << "x" << 10 << 0 << "abc";
    QTest::newRow("missing placeholder") << P(Run("abc")) << "abd"
                                         << "x" << 10 << 0 << "abc";
    QTest::newRow("entities") << P(Run("R&D<1>")) << "r&d<1>"
                              << "<x>&\"" << 1 << 1 << "<x>&\"";
    QTest::newRow("tab stops a match")
        << P("<w:r><w:t>编辑</w:t><w:tab/><w:t>框</w:t></w:r>") << "编辑框"
        << "x" << 10 << 0 << "编辑\t框";
    QTest::newRow("break stops a match")
        << P(Run("编辑") + "<w:r><w:br/></w:r>" + Run("框")) << "编辑框"
        << "x" << 10 << 0 << "编辑\n框";
    QTest::newRow("carriage return stops a match")
        << P("<w:r><w:t>编辑</w:t><w:cr/><w:t>框</w:t></w:r>") << "编辑框"
        << "x" << 10 << 0 << "编辑\n框";
    QTest::newRow("paragraph end stops a match") << P(Run("编辑")) + P(Run("框")) << "编辑框"
                                                 << "x" << 10 << 0 << "编辑\n框";
    QTest::newRow("equation stops a match")
        << P(Run("编辑") + "<m:oMath><m:r><m:t>=</m:t></m:r></m:oMath>" + Run("框")) << "编辑框"
        << "x" << 10 << 0 << "编辑\uFFFC框";
    QTest::newRow("field codes are not searched")
        << P(Run("第") + "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>" +
             "<w:r><w:instrText> 编辑框 </w:instrText></w:r>" + Run("编辑框") +
             "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" + Run("编辑框") +
             "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" + Run("页"))
        << "编辑框"
        << "1" << 10 << 1 << "第1页";
    QTest::newRow("nested field codes are not searched")
        << P("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
             "<w:r><w:instrText>IF </w:instrText></w:r>"
             "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
             "<w:r><w:instrText>PAGE</w:instrText></w:r>"
             "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
             Run("编辑框") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>" +
             Run(" = 1 \"编辑框\"") + "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
             Run("编辑框") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>")
        << "编辑框"
        << "x" << 10 << 1 << "x";
    QTest::newRow("field code spanning paragraphs")
        << P("<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>" + Run("编辑框")) +
               P(Run("编辑框") + "<w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>" +
                 Run("编辑框") + "<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>")
        << "编辑框"
        << "x" << 10 << 1 << "\nx";
    QTest::newRow("deleted text is not searched")
        << P("<w:del w:id=\"1\" w:author=\"a\"><w:r><w:delText>编辑框</w:delText></w:r></w:del>" +
             Run("-"))
        << "编辑框"
        << "x" << 10 << 0 << "-";
    QTest::newRow("moved-away text is not searched")
        << P("<w:ins w:id=\"1\" w:author=\"a\">" + Run("编辑框") + "</w:ins>" +
             "<w:moveFrom w:id=\"2\" w:author=\"a\">" + Run("编辑框") + "</w:moveFrom>")
        << "编辑框"
        << "x" << 10 << 1 << "x";
    QTest::newRow("markers between runs are stepped over")
        << P(Run("编辑") + "<w:proofErr w:type=\"spellStart\"/>" + Run("框") +
             "<w:bookmarkStart w:id=\"0\" w:name=\"a\"/><w:bookmarkEnd w:id=\"0\"/>" +
             "<w:commentRangeStart w:id=\"3\"/>" + Run("1") + "<w:commentRangeEnd w:id=\"3\"/>")
        << "编辑框1"
        << "x" << 10 << 1 << "x";
    QTest::newRow("through hyperlinks, insertions, controls, smart tags and tables")
        << P("<w:hyperlink r:id=\"rId9\">" + Run("PH") + "</w:hyperlink>" +
             "<w:ins w:id=\"1\" w:author=\"a\">" + Run("PH") + "</w:ins>" +
             "<w:sdt><w:sdtPr><w:alias w:val=\"PH\"/></w:sdtPr><w:sdtContent>" + Run("PH") +
             "</w:sdtContent></w:sdt>" + "<w:smartTag w:element=\"x\">" + Run("P") + Run("H") +
             "</w:smartTag>") +
               "<w:tbl><w:tr><w:tc>" + P(Run("PH")) + "</w:tc><w:tc>" + P(Run("ph")) +
               "</w:tc></w:tr></w:tbl>" + "<w:sdt><w:sdtContent>" + P(Run("PH")) +
               "</w:sdtContent></w:sdt>"
        << "PH"
        << "1" << 20 << 7 << "1111\n1\n1\n1";
    QTest::newRow("text boxes are not main text")
        << P(Run("a") +
             "<w:r><w:pict><v:textbox xmlns:v=\"urn:schemas-microsoft-com:vml\">"
             "<w:txbxContent>" +
             P(Run("PH")) + "</w:txbxContent></v:textbox></w:pict></w:r>")
        << "PH"
        << "1" << 10 << 0 << "a\uFFFC";
}

void TestDocxDocument::replace() {
    QFETCH(QString, body);
    QFETCH(QString, placeholder);
    QFETCH(QString, value);
    QFETCH(int, passes);
    QFETCH(int, found);
    QFETCH(QString, text);

    DocxDocument document;
    QString error;
    QVERIFY2(document.Open(WordPackage(body), &error), qPrintable(error));
    QCOMPARE(document.ReplacePlaceholder(placeholder, value, passes), found);
    QCOMPARE(document.MainText(), text);

    // What is saved reads back the same.
    DocxDocument reopened;
    QVERIFY2(reopened.Open(document.Save(&error), &error), qPrintable(error));
    QCOMPARE(reopened.MainText(), text);
}

void TestDocxDocument::valueShape_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QString>("mainText");

    QTest::newRow("plain") << "编辑框"
                           << "354.2"
                           << "t:354.2"
                           << "354.2";
    QTest::newRow("CR LF") << "编辑框"
                           << "a\r\nb"
                           << "t:a|br|t:b"
                           << "a\nb";
    QTest::newRow("LF and CR") << "编辑框"
                               << "a\nb\rc"
                               << "t:a|br|t:b|br|t:c"
                               << "a\nb\nc";
    QTest::newRow("blank lines") << "编辑框"
                                 << "a\r\n\r\nb"
                                 << "t:a|br|br|t:b"
                                 << "a\n\nb";
    QTest::newRow("text around the match") << "前编辑框后"
                                           << "a\nb"
                                           << "t:前a|br|t:b后"
                                           << "前a\nb后";
    QTest::newRow("trailing break") << "编辑框"
                                    << "a\n"
                                    << "t:a|br"
                                    << "a\n";
    QTest::newRow("tab") << "编辑框"
                         << "a\tb"
                         << "t:a|tab|t:b"
                         << "a\tb";
    QTest::newRow("control characters dropped") << "编辑框"
                                                << QString(
                                                       "a\x01"
                                                       "b\x1f"
                                                       "c") +
                                                       QChar(0xFFFE)
                                                << "t:abc"
                                                << "abc";
    QTest::newRow("lone surrogate dropped")
        << "编辑框" << QString("a") + QChar(0xD800) + "b" + QString::fromUcs4(U"\U0001F600")
        << "t:ab" + QString::fromUcs4(U"\U0001F600") << "ab" + QString::fromUcs4(U"\U0001F600");
}

void TestDocxDocument::valueShape() {
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, shape);
    QFETCH(QString, mainText);

    DocxDocument document;
    QVERIFY(document.Open(WordPackage(P(Run(text)))));
    QVERIFY(document.ReplacePass(QStringLiteral("编辑框"), value));
    QCOMPARE(document.MainText(), mainText);
    QCOMPARE(RunShapes(SavedPart(document, "word/document.xml")), shape);
}

void TestDocxDocument::keepsFirstRunFormatting() {
    const QString body =
        P(Run("前编辑", "<w:b/>") + Run("框", "<w:i/>") + Run("1后", "<w:u w:val=\"single\"/>"));
    DocxDocument document;
    QVERIFY(document.Open(WordPackage(body)));
    QVERIFY(document.ReplacePass(QStringLiteral("编辑框1"), QStringLiteral("42")));

    const QString xml = SavedPart(document, "word/document.xml");
    QCOMPARE(RunShapes(xml), QStringLiteral("t:前42 / t:后"));
    const QByteArray bytes = xml.toUtf8();
    pugi::xml_document doc;
    QVERIFY(doc.load_buffer(bytes.constData(), bytes.size()));
    const pugi::xpath_node_set runs = doc.select_nodes("//w:body//w:r");
    QCOMPARE(runs.size(), std::size_t(2));
    QVERIFY(runs[0].node().child("w:rPr").child("w:b"));
    QVERIFY(runs[1].node().child("w:rPr").child("w:u"));
    QCOMPARE(QString::fromUtf8(runs[0].node().child("w:t").attribute("xml:space").value()),
             QStringLiteral("preserve"));
    QVERIFY(!xml.contains(QStringLiteral("<w:i/>")));
}

void TestDocxDocument::markersBetweenRunsSurvive() {
    const QString body = P(
        "<w:bookmarkStart w:id=\"0\" w:name=\"z\"/>" + Run("Z=编辑") +
        "<w:proofErr w:type=\"spellStart\"/>" +
        "<w:r><w:rPr><w:i/></w:rPr><w:lastRenderedPageBreak/><w:t>框1</w:t></w:r>" +
        "<w:proofErr w:type=\"spellEnd\"/><w:commentRangeStart w:id=\"1\"/>" + Run("超") +
        "<w:commentRangeEnd w:id=\"1\"/>" +
        "<w:r><w:commentReference w:id=\"1\"/></w:r><w:bookmarkEnd w:id=\"0\"/>" + Run("挖系数m"));
    DocxDocument document;
    QVERIFY(document.Open(WordPackage(body)));
    QVERIFY(document.ReplacePass(QStringLiteral("编辑框1超挖系数"), QStringLiteral("1.1")));
    QCOMPARE(document.MainText(), QStringLiteral("Z=1.1m"));

    const QString xml = SavedPart(document, "word/document.xml");
    QCOMPARE(Count(xml, "w:proofErr"), 2);
    QCOMPARE(Count(xml, "w:bookmarkStart"), 1);
    QCOMPARE(Count(xml, "w:bookmarkEnd"), 1);
    QCOMPARE(Count(xml, "w:commentRangeStart"), 1);
    QCOMPARE(Count(xml, "w:commentRangeEnd"), 1);
    QCOMPARE(Count(xml, "w:commentReference"), 1);
    // The emptied run still holds its page break marker and stays.
    QCOMPARE(Count(xml, "w:lastRenderedPageBreak"), 1);
    QCOMPARE(RunShapes(xml),
             QStringLiteral("t:Z=1.1 / lastRenderedPageBreak / commentReference / t:m"));
}

// Passes that keep their scan and resume the search must give the same
// counts, text and bytes as passes that scan the whole body every time.
void TestDocxDocument::cachedPassesMatchFullScans() {
    int replaced = 0;
    for (quint32 seed = 1; seed <= 600; ++seed) {
        RandomBody random(seed);
        const QString body = random.Body();
        const QByteArray package = WordPackage(body);
        DocxDocument cached;
        DocxDocument reference;
        DocxDocument parsed;
        QVERIFY2(cached.Open(package), qPrintable(body));
        QVERIFY(reference.Open(package));
        QVERIFY(parsed.Open(package));
        DocxDocumentTest::SetScanCache(reference, false);
        // A copy of the parsed document carries its scan; now and then the
        // copy is copied again mid-way, scan and resume point with it.
        auto copied = std::make_unique<DocxDocument>(parsed);

        // The same placeholder often comes again with another value, as
        // rows of a report do.
        QString placeholder = random.Placeholder();
        const int rows = random.Pick(1, 12);
        for (int row = 0; row < rows; ++row) {
            if (!random.Chance(40)) placeholder = random.Placeholder();
            const QString value = random.Value();
            const int passes = random.Pick(1, 12);
            const QString where = QStringLiteral("seed %1 row %2: %3 -> %4 in\n%5")
                                      .arg(seed)
                                      .arg(row)
                                      .arg(placeholder, value, body);
            const int found = reference.ReplacePlaceholder(placeholder, value, passes);
            QVERIFY2(cached.ReplacePlaceholder(placeholder, value, passes) == found,
                     qPrintable(where));
            QVERIFY2(cached.MainText() == reference.MainText(), qPrintable(where));
            if (random.Chance(20)) copied = std::make_unique<DocxDocument>(*copied);
            QVERIFY2(copied->ReplacePlaceholder(placeholder, value, passes) == found,
                     qPrintable(where));
            replaced += found;
        }
        const QByteArray xml = EntryData(ReadPackage(cached.Save()), "word/document.xml");
        QVERIFY(!xml.isEmpty());
        const QString where = QStringLiteral("seed %1").arg(seed);
        QVERIFY2(xml == EntryData(ReadPackage(reference.Save()), "word/document.xml"),
                 qPrintable(where));
        QVERIFY2(xml == EntryData(ReadPackage(copied->Save()), "word/document.xml"),
                 qPrintable(where));
        // The copies' edits never reached the document they came from.
        DocxDocument fresh;
        QVERIFY(fresh.Open(package));
        QVERIFY2(EntryData(ReadPackage(parsed.Save()), "word/document.xml") ==
                     EntryData(ReadPackage(fresh.Save()), "word/document.xml"),
                 qPrintable(where));
    }
    // The documents are dense enough in placeholders to try the cache hard.
    QVERIFY2(replaced > 3000, qPrintable(QString::number(replaced)));
}

// Pictures, tables and removed rows of a copy stay in the copy; a copy of
// an edited document takes its edits along.
void TestDocxDocument::copiesAreIndependent() {
    const QString body = P(Run("图A")) + P(Run("表B")) + "<w:tbl><w:tr><w:tc>" + P(Run("行C")) +
                         "</w:tc></w:tr></w:tbl>" + P(Run("值D"));
    DocxDocument parsed;
    QVERIFY(parsed.Open(WordPackage(body)));
    const QList<PackageEntry> before = ReadPackage(parsed.Save());

    DocxDocument edited(parsed);
    QVERIFY(edited.InsertImage("图A", QByteArray("\x89PNG"), 360000, 360000));
    QVERIFY(edited.InsertTable("表B", {{"a", "b"}, {"1", "2"}}));
    QCOMPARE(edited.RemoveTableRows("行C"), 1);
    QCOMPARE(edited.ReplacePlaceholder("值D", "5", 1), 1);

    const QList<PackageEntry> after = ReadPackage(parsed.Save());
    QCOMPARE(after.size(), before.size());
    for (const PackageEntry &entry : before) QCOMPARE(EntryData(after, entry.name), entry.data);
    QCOMPARE(parsed.MainText(), QStringLiteral("图A\n表B\n行C\n值D"));

    DocxDocument again(edited);
    QCOMPARE(again.MainText(), edited.MainText());
    QCOMPARE(again.ReplacePlaceholder("5", "6", 1), 1);
    QCOMPARE(edited.MainText(), QStringLiteral("\uFFFC\na\nb\n1\n2\n5"));
    const QList<PackageEntry> saved = ReadPackage(again.Save());
    QCOMPARE(EntryData(saved, "word/media/image1.png"), QByteArray("\x89PNG"));
    QVERIFY(EntryData(saved, "word/_rels/document.xml.rels").contains("rIdPicture1"));
    QVERIFY(QString::fromUtf8(EntryData(saved, "word/document.xml")).contains("<w:gridCol"));
}

// A table longer than a page shows its head again on the next page, as the
// word processor lays it out; its columns take their weights.
void TestDocxDocument::insertedTableHeadRepeats() {
    if (!test::OfficeAvailable()) QSKIP("LibreOffice or pdftotext is not installed");
    QString failure;
    DocxDocument document = TemplateDocument("smoothblast", &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QList<QStringList> rows{{"表头甲", "表头乙"}};
    for (int i = 1; i <= 90; ++i) rows << QStringList{QString::number(i), "插入行"};
    // A narrow first column: a quarter of the 9298 twips of text width.
    QVERIFY(document.InsertTable("钻爆设计图_段别表", rows, {1, 3}));
    const QByteArray xml = EntryData(ReadPackage(document.Save()), "word/document.xml");
    QVERIFY(xml.contains("<w:gridCol w:w=\"2324\"/><w:gridCol w:w=\"6973\"/>"));
    QTemporaryDir dir;
    const QString path = dir.filePath("表.docx");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(document.Save()) > 0);
    file.close();
    QString error;
    const QStringList pages = test::OfficePageText(path, &error).split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(error));
    // Every page after the one the table starts on opens with its head.
    qsizetype start = 0;
    while (start < pages.size() && !pages[start].contains(QStringLiteral("插入行"))) ++start;
    QVERIFY2(pages.size() > start + 1, qPrintable(error));
    for (qsizetype i = start + 1; i < pages.size() && pages[i].contains(QStringLiteral("插入行")); ++i) {
        const QString body = pages[i].trimmed().section(u'\n', 1).trimmed();  // under the header
        QVERIFY2(body.startsWith(QStringLiteral("表头甲")), qPrintable(pages[i].left(300)));
    }
}

void TestDocxDocument::headerAndFooterUntouched() {
    const QString ph = QStringLiteral("编辑框2运输距离");
    const QList<PackageEntry> parts =
        WordParts(P(Run(ph)), P(Run("页眉" + ph)), P(Run(ph) + Run("页脚")));
    DocxDocument document;
    QVERIFY(document.Open(BuildPackage(parts)));
    QCOMPARE(document.ReplacePlaceholder(ph, QStringLiteral("1500"), 10), 1);

    const QList<PackageEntry> saved = ReadPackage(document.Save());
    QCOMPARE(EntryData(saved, "word/header1.xml"), EntryData(parts, "word/header1.xml"));
    QCOMPARE(EntryData(saved, "word/footer1.xml"), EntryData(parts, "word/footer1.xml"));
    QVERIFY(QString::fromUtf8(EntryData(saved, "word/document.xml")).contains("1500"));
}

void TestDocxDocument::otherNamespacePrefix() {
    QList<PackageEntry> parts = WordParts({});
    parts[2].data =
        "<?xml version=\"1.0\"?><ns0:document "
        "xmlns:ns0=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><ns0:body>"
        "<ns0:p><ns0:r><ns0:t>a编辑框b</ns0:t></ns0:r></ns0:p></ns0:body></ns0:document>";
    DocxDocument document;
    QVERIFY(document.Open(BuildPackage(parts)));
    QVERIFY(document.ReplacePass(QStringLiteral("编辑框"), QStringLiteral("1\n2")));
    QCOMPARE(document.MainText(), QStringLiteral("a1\n2b"));
    const QString xml = SavedPart(document, "word/document.xml");
    QVERIFY2(
        xml.contains(QRegularExpression("<ns0:t[^>]*>a1</ns0:t><ns0:br ?/><ns0:t[^>]*>2b</ns0:t>")),
        qPrintable(xml));
}

void TestDocxDocument::mainText() {
    const QString body = P(Run("标题")) + "<w:tbl><w:tblPr/><w:tr><w:tc><w:tcPr/>" +
                         P(Run("R") + "<w:r><w:tab/></w:r>" + Run("1.15")) + "</w:tc><w:tc>" +
                         P({}) + P(Run("S")) + "</w:tc></w:tr></w:tbl>" +
                         P("<w:pPr><w:jc w:val=\"center\"/></w:pPr>" + Run(" 结论 "));
    DocxDocument document;
    QVERIFY(document.Open(WordPackage(body)));
    QCOMPARE(document.MainText(), QStringLiteral("标题\nR\t1.15\n\nS\n 结论 "));
}

void TestDocxDocument::replaceParagraph_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("placeholder");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");
    const QString table = "<w:tbl><w:tblPr/><w:tr><w:tc><w:tcPr/>" +
                          P(Run("单元格") + Run("标记")) + "</w:tc></w:tr></w:tbl>";
    QTest::newRow("ideographs split over runs")
        << P(Run("前缀表") + Run("格_位置后缀")) + P(Run("其它")) << "表格_位置"
        << QStringList{"甲", "乙"} << true << "前缀甲后缀\n前缀乙后缀\n其它";
    QTest::newRow("letters in another case")
        << P(Run("Fig_ONE")) << "fig_one" << QStringList{"图一"} << true << "图一";
    QTest::newRow("first of two") << P(Run("前文")) + P(Run("标记A")) + P(Run("标记A")) << "标记a"
                                  << QStringList{"X"} << true << "前文\nX\n标记A";
    QTest::newRow("in a table cell")
        << P(Run("正文")) + table << "单元格标记" << QStringList{"值"} << true << "正文\n值";
    QTest::newRow("no lines") << P(Run("留下")) + P(Run("删去标记")) << "删去标记" << QStringList{}
                              << true << "留下";
    QTest::newRow("ideographs there, the rest not")
        << P(Run("表格_甲")) << "表格_乙" << QStringList{"X"} << false << "表格_甲";
    QTest::newRow("no ideographs, not there")
        << P(Run("abc")) << "x_y" << QStringList{"X"} << false << "abc";
}

void TestDocxDocument::replaceParagraph() {
    QFETCH(QString, body);
    QFETCH(QString, placeholder);
    QFETCH(QStringList, lines);
    QFETCH(bool, found);
    QFETCH(QString, text);
    DocxDocument document;
    QString error;
    QVERIFY2(document.Open(WordPackage(body), &error), qPrintable(error));
    QCOMPARE(document.ReplaceParagraph(placeholder, lines), found);
    QCOMPARE(document.MainText(), text);
}

void TestDocxDocument::roundTrip_data() {
    QTest::addColumn<bool>("deflate");
    QTest::addColumn<bool>("descriptors");
    QTest::addColumn<bool>("replace");
    QTest::newRow("deflated") << true << false << false;
    QTest::newRow("stored") << false << false << false;
    QTest::newRow("data descriptors") << true << true << false;
    QTest::newRow("stored with data descriptors, edited") << false << true << true;
}

void TestDocxDocument::roundTrip() {
    QFETCH(bool, deflate);
    QFETCH(bool, descriptors);
    QFETCH(bool, replace);

    QList<PackageEntry> word =
        WordParts(P(Run(" ")) + P(Run("编辑框1开挖断面面积") + Run("m")), P(Run("页眉")));
    QByteArray picture;
    for (int i = 0; i < 5000; ++i) picture += char((i * 7919) % 251);
    // Content types not first and a directory entry, as some zip tools
    // write them.
    const QList<PackageEntry> parts = {
        word[1],
        word[0],
        {QStringLiteral("word/"), {}},
        word[2],
        {QStringLiteral("word/media/image1.png"), picture},
        word[3],
        word[4],
        word[5],
        {QStringLiteral("customXml/item1.xml"), "<a>\r\n  <b> x </b>\r\n</a>"},
    };
    DocxDocument document;
    QString error;
    QVERIFY2(document.Open(BuildPackage(parts, {deflate, descriptors}), &error), qPrintable(error));
    if (replace) QCOMPARE(document.ReplacePlaceholder("编辑框1开挖断面面积", "100", 10), 1);
    const QByteArray package = document.Save(&error);
    QVERIFY2(!package.isEmpty(), qPrintable(error));

    const QList<PackageEntry> saved = ReadPackage(package, &error);
    QStringList names;
    for (const PackageEntry &entry : saved) names << entry.name;
    QCOMPARE(names, QStringList({"[Content_Types].xml", "_rels/.rels", "word/document.xml",
                                 "word/media/image1.png", "word/_rels/document.xml.rels",
                                 "word/header1.xml", "word/footer1.xml", "customXml/item1.xml"}));
    for (const PackageEntry &entry : parts) {
        if (entry.name != u"word/document.xml" && entry.name != u"word/")
            QCOMPARE(EntryData(saved, entry.name), entry.data);
    }

    const QString main = QString::fromUtf8(EntryData(saved, "word/document.xml"));
    QVERIFY2(
        main.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><w:document "
                        "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""),
        qPrintable(main.left(200)));
    QVERIFY(main.contains("<w:t xml:space=\"preserve\"> </w:t>"));
    QVERIFY(main.contains(replace ? "100" : "编辑框1开挖断面面积"));

    for (const EntryFlags &flags : ReadEntryFlags(package)) {
        QVERIFY2(!(flags.central & 0x0008), qPrintable(flags.name));
        QVERIFY2(!(flags.local & 0x0008), qPrintable(flags.name));
    }
    QCOMPARE(ReadEntryFlags(package).size(), names.size());
}

void TestDocxDocument::openRejects_data() {
    QTest::addColumn<QByteArray>("package");
    QList<PackageEntry> word = WordParts(P(Run("x")));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no zip") << QByteArray("not a package at all");
    QTest::newRow("no main part") << BuildPackage({word[0], word[1]});
    QList<PackageEntry> broken = word;
    broken[2].data = "<w:document xmlns:w=\"x\"><w:body>";
    QTest::newRow("main part not XML") << BuildPackage(broken);
    broken[2].data = "<root><body/></root>";
    QTest::newRow("main part no Word document") << BuildPackage(broken);
    broken[2].data =
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"/>";
    QTest::newRow("no body") << BuildPackage(broken);
    // A part other than the main one no longer matches its checksum.
    QByteArray damaged = BuildPackage(word, {.deflate = false});
    const qsizetype at = damaged.indexOf(word[1].data);
    QVERIFY(at > 0 && word[1].data.size() > 4);
    damaged[at + word[1].data.size() / 2] = damaged[at + word[1].data.size() / 2] ^ 0x20;
    QTest::newRow("damaged other part") << damaged;
    // The central directory gives a part more compressed bytes than it has.
    QByteArray oversized = BuildPackage(word);
    const QByteArray name = word[1].name.toUtf8();
    qsizetype entry = oversized.indexOf("PK\x01\x02");
    while (entry >= 0 && oversized.mid(entry + 46, name.size()) != name)
        entry = oversized.indexOf("PK\x01\x02", entry + 4);
    QVERIFY(entry > 0);
    oversized[entry + 21] = '\x7F';
    QTest::newRow("directory size disagrees") << oversized;
}

void TestDocxDocument::openRejects() {
    QFETCH(QByteArray, package);
    DocxDocument document;
    QString error;
    QVERIFY(!document.Open(package, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!document.ReplacePass("x", "y"));
    QCOMPARE(document.MainText(), QString());
    error.clear();
    QVERIFY(document.Save(&error).isEmpty());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestDocxDocument)
#include "test_docx_document.moc"
