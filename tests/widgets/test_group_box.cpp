#include <QtTest>

#include "widgets/group_box.h"

using namespace tunnel;

// A group box whose frame is copied from a kept drawing paints as a plain
// one, whatever it drew before at another size or with another title. Edge
// pixels the frame picture covers twice may round one step apart.

namespace {

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

class TestGroupBox : public QObject {
    Q_OBJECT
private slots:
    void paintsAsPlainBox_data();
    void paintsAsPlainBox();
};

void TestGroupBox::paintsAsPlainBox_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("titled") << QStringLiteral("断面参数1") << false << true;
    QTest::newRow("no title") << QString() << false << true;
    QTest::newRow("check box") << QStringLiteral("采用钢模板") << true << true;
    QTest::newRow("disabled") << QStringLiteral("计算结果") << false << false;
}

void TestGroupBox::paintsAsPlainBox() {
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

QTEST_MAIN(TestGroupBox)
#include "test_group_box.moc"
