// The compensating networks: the worked examples as the fields show them,
// which method the notch filter takes, and the inputs that give no network.
#include "core/numberformat.h"
#include "design/networks.h"

#include <QtTest>

using namespace design;

class TestNetworks : public QObject {
    Q_OBJECT
private slots:
    void equalisation_data();
    void equalisation();
    void notch_data();
    void notch();
};

void TestNetworks::equalisation_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("le");
    QTest::addColumn<QStringList>("shown"); // R, C; empty: no network

    QTest::newRow("Re 6, Le .5") << 6.0 << 0.5 << QStringList { "7.5", "8.89" };
    QTest::newRow("Le missing") << 6.0 << 0.0 << QStringList {};
    QTest::newRow("Re negative") << -6.0 << 0.5 << QStringList {};
    QTest::newRow("Re 1e-40 overflows C") << 1e-40 << 0.5 << QStringList {};
    QTest::newRow("Le 3e38 overflows C") << 0.1 << 3e38 << QStringList {};
}

void TestNetworks::equalisation()
{
    QFETCH(double, re);
    QFETCH(double, le);
    QFETCH(QStringList, shown);
    const auto network = impedanceEqualisation(re, le);
    QCOMPARE(network.has_value(), !shown.isEmpty());
    if (network)
        QCOMPARE((QStringList { formatNumber(network->r, kNetPattern), formatNumber(network->c, kNetPattern) }), shown);
}

void TestNetworks::notch_data()
{
    QTest::addColumn<double>("fs");
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("qes");
    QTest::addColumn<double>("qms");
    QTest::addColumn<QStringList>("shown"); // C, L, R; empty: no network
    QTest::addColumn<bool>("full");

    QTest::newRow("full") << 30.0 << 6.0 << 0.5 << 3.0 << QStringList { "1768.89", "15.92", "7." } << true;
    QTest::newRow("Qes missing") << 30.0 << 6.0 << 0.0 << 3.0 << QStringList { "1001.", "24.997", "6." } << false;
    QTest::newRow("Qms negative") << 30.0 << 6.0 << 0.5 << -3.0 << QStringList { "1001.", "24.997", "6." } << false;
    QTest::newRow("Fs missing") << 0.0 << 6.0 << 0.5 << 3.0 << QStringList {} << false;
    QTest::newRow("Re missing") << 30.0 << 0.0 << 0.5 << 3.0 << QStringList {} << false;
    QTest::newRow("Fs 1e-38, full") << 1e-38 << 6.0 << 0.5 << 3.0 << QStringList {} << false;
    QTest::newRow("Fs 1e-38, less accurate") << 1e-38 << 6.0 << 0.0 << 0.0 << QStringList {} << false;
    QTest::newRow("Re 1e-40 overflows C") << 30.0 << 1e-40 << 0.5 << 3.0 << QStringList {} << false;
}

void TestNetworks::notch()
{
    QFETCH(double, fs);
    QFETCH(double, re);
    QFETCH(double, qes);
    QFETCH(double, qms);
    QFETCH(QStringList, shown);
    QFETCH(bool, full);
    const auto network = seriesNotch(fs, re, qes, qms);
    QCOMPARE(network.has_value(), !shown.isEmpty());
    if (!network)
        return;
    QCOMPARE((QStringList { formatNumber(network->c, kNetPattern), formatNumber(network->l, kNetLPattern),
                 formatNumber(network->r, kNetPattern) }),
        shown);
    QCOMPARE(network->full, full);
}

QTEST_APPLESS_MAIN(TestNetworks)
#include "tst_networks.moc"
