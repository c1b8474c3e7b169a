// The default printer: the name is the text before the first comma of the
// system's "name,driver,port" entry, and a printing server that never answers
// must not hold up the program.
#include "core/printerentry.h"
#include "platform/printers.h"

#include <QElapsedTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A server that accepts connections (the kernel does, through the backlog) but never answers.
int g_silentServer = -1;
quint16 startSilentServer()
{
    g_silentServer = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(g_silentServer, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(g_silentServer, 16) != 0)
        return 0;
    socklen_t length = sizeof address;
    ::getsockname(g_silentServer, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}
} // namespace

class TestPrinters : public QObject {
    Q_OBJECT
private slots:
    void nameFromDeviceEntry_data();
    void nameFromDeviceEntry();
    void silentServerGivesNoPrinterInTime();
};

void TestPrinters::nameFromDeviceEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("name");
    QTest::newRow("name, driver, port") << "Office Laser,winspool,LPT1:"
                                        << ""
                                        << "Office Laser";
    QTest::newRow("first comma counts") << "A,B,C"
                                        << "old"
                                        << "A";
    QTest::newRow("leading comma") << ",winspool,LPT1:"
                                   << "old"
                                   << "";
    QTest::newRow("no comma keeps current") << "Office Laser"
                                            << "old"
                                            << "old";
    QTest::newRow("empty keeps current") << ""
                                         << ""
                                         << "";
}

void TestPrinters::nameFromDeviceEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, current);
    QFETCH(QString, name);
    QCOMPARE(printerNameFromDeviceEntry(entry, current), name);
}

void TestPrinters::silentServerGivesNoPrinterInTime()
{
    QElapsedTimer timer;
    timer.start();
    const QString entry = defaultPrinterEntry(500);
    QVERIFY(entry.isEmpty());
    QVERIFY2(timer.elapsed() < 5000, "the query must give up, not wait for the server");
}

int main(int argc, char* argv[])
{
    // The printing system reads its server address once, before the first query.
    const quint16 port = startSilentServer();
    if (port)
        qputenv("CUPS_SERVER", QByteArray("127.0.0.1:") + QByteArray::number(port));
    QGuiApplication app(argc, argv);
    TestPrinters test;
    const int result = QTest::qExec(&test, argc, argv);
    // The query thread may still wait on the silent server: leave at once.
    std::fflush(nullptr);
    ::_exit(result);
}

#include "tst_printers.moc"
