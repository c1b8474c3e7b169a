// Names of 30 characters: padding, cutting, never assigned, and the
// Windows-1252 bytes the system file holds.
#include "core/text30.h"

#include <QtTest>

class TestText30 : public QObject {
    Q_OBJECT
private slots:
    void neverAssignedIsThirtyNulsShownEmpty();
    void assigns_data();
    void assigns();
    void windows1252Bytes_data();
    void windows1252Bytes();
    void strayNulsShowAsNothing();
};

void TestText30::neverAssignedIsThirtyNulsShownEmpty()
{
    Text30 t;
    QVERIFY(!t.isAssigned());
    QCOMPARE(t.text(), QString());
    for (auto b : t.bytes())
        QCOMPARE(b, std::uint8_t(0));
}

void TestText30::assigns_data()
{
    QTest::addColumn<QString>("assigned");
    QTest::addColumn<QString>("held");
    QTest::newRow("short padded") << "Woofer"
                                  << "Woofer" + QString(24, u' ');
    QTest::newRow("long cut") << QString(35, u'x') << QString(30, u'x');
    QTest::newRow("empty is blanks") << "" << QString(30, u' ');
    QTest::newRow("trailing blanks kept") << "A  "
                                          << "A" + QString(29, u' ');
}

void TestText30::assigns()
{
    QFETCH(QString, assigned);
    QFETCH(QString, held);
    Text30 t;
    t = assigned;
    QVERIFY(t.isAssigned());
    QCOMPARE(t.text(), held);
    QCOMPARE(t.trimmed(), assigned.trimmed().left(30));
}

void TestText30::windows1252Bytes_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<int>("byte");
    QTest::newRow("ascii") << "A" << 0x41;
    QTest::newRow("e acute") << QString(QChar(0xE9)) << 0xE9;
    QTest::newRow("euro") << QString(QChar(0x20AC)) << 0x80;
    QTest::newRow("right quote") << QString(QChar(0x2019)) << 0x92;
    QTest::newRow("not in code page") << QString(QChar(0x4E2D)) << int('?');
}

void TestText30::windows1252Bytes()
{
    QFETCH(QString, character);
    QFETCH(int, byte);
    Text30 t;
    t = character;
    QCOMPARE(int(t.bytes()[0]), byte);
    if (byte != '?')
        QCOMPARE(t.text().left(1), character);
}

void TestText30::strayNulsShowAsNothing()
{
    Text30::Bytes bytes {};
    bytes.fill(0);
    bytes[0] = 'A';
    bytes[2] = 'B';
    Text30 t;
    t.setBytes(bytes);
    QCOMPARE(t.text(), QStringLiteral("AB"));
}

QTEST_GUILESS_MAIN(TestText30)
#include "tst_text30.moc"
