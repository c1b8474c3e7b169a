// `tolvan FILE.TLV`: the main window opens and the file is loaded exactly as
// "Load System" loads it when the same name is chosen in its dialog, with
// the same messages and the same design state afterwards. The program itself
// starts, paints and tells the start-up benchmark so.
#include "core/designstate.h"
#include "core/systemrecord.h"
#include "design/systemload.h"
#include "support/windowtest.h"
#include "ui/FrmTlv.h"
#include "ui/startup.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public WindowTest {
    Q_OBJECT
private slots:
    void fileArgumentLoadsAsLoadSystem_data();
    void fileArgumentLoadsAsLoadSystem();
    void retryAfterAMissingFileAsksForAnother();
    void fileArgument_data();
    void fileArgument();
    void programSaysWhenItIsReady_data();
    void programSaysWhenItIsReady();

private:
    QTemporaryDir m_dir;
};

void TestStartup::fileArgumentLoadsAsLoadSystem_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("prompts");

    QFile shortFile(m_dir.filePath("short.TLV"));
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("not a system file");
    shortFile.close();

    QTest::newRow("reference system") << QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV") << QStringList();
    QTest::newRow("missing file") << m_dir.filePath("missing.TLV") << QStringList { "File Not Found" };
    QTest::newRow("too short") << shortFile.fileName() << QStringList { "(any)" };
    QTest::newRow("folder") << m_dir.path() << QStringList { "(any)" };
}

void TestStartup::fileArgumentLoadsAsLoadSystem()
{
    QFETCH(QString, path);
    QFETCH(QStringList, prompts);

    // "Load System" with the name chosen in the dialog, then Cancel.
    {
        ScriptedFileChooser chooser;
        chooser.answerNext(path);
        loadSystem();
    }
    const QVector<Message> byButton = messages().shown;
    const SystemRecord loadedByButton = encodeSystemRecord(designState());

    messages().clear();
    freshDesignState();
    ScriptedFileChooser chooser; // cancels, should Retry ask
    FrmTlv* main = startTolvan({ "tolvan", path });

    QVERIFY(main->isVisible());
    QCOMPARE(messages().shown, byButton);
    QVERIFY(encodeSystemRecord(designState()) == loadedByButton);
    if (prompts.isEmpty()) {
        QVERIFY(byButton.isEmpty());
        QCOMPARE(designState().qts, 1.25f);
    } else if (prompts != QStringList { "(any)" }) {
        QCOMPARE(messages().prompts(), prompts);
    } else {
        QCOMPARE(messages().shown.size(), 1);
    }
    QVERIFY(chooser.requests.isEmpty());
}

void TestStartup::retryAfterAMissingFileAsksForAnother()
{
    ScriptedFileChooser chooser;
    chooser.answerNext(QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV"));
    messages().answerNext(MsgAnswer::Retry);

    startTolvan({ "tolvan", m_dir.filePath("missing.TLV") });

    QCOMPARE(messages().prompts(), QStringList { "File Not Found" });
    QCOMPARE(chooser.requests.size(), 1);
    QCOMPARE(chooser.requests[0].title, QStringLiteral(" Open A File "));
    QCOMPARE(designState().qts, 1.25f);
}

void TestStartup::fileArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("none") << QStringList { "tolvan" } << QString();
    QTest::newRow("one") << QStringList { "tolvan", "/x/a.TLV" } << "/x/a.TLV";
    QTest::newRow("option first") << QStringList { "tolvan", "--foo", "a.tlv" } << "a.tlv";
    QTest::newRow("after --") << QStringList { "tolvan", "--", "-a.TLV" } << "-a.TLV";
}

void TestStartup::fileArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QCOMPARE(startFileArgument(arguments), file);
}

void TestStartup::programSaysWhenItIsReady_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no file") << QStringList {};
    QTest::newRow("a system file") << QStringList { TOLVAN_TEST_DATA "/reference_system.TLV" };
}

void TestStartup::programSaysWhenItIsReady()
{
    QFETCH(QStringList, arguments);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TOLVAN_READY_PROBE", "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(TOLVAN_PROGRAM, arguments);
    QVERIFY2(program.waitForFinished(60000), "the program never became ready");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString said = QString::fromLatin1(program.readAllStandardOutput());
    QVERIFY2(QRegularExpression("^ready [0-9]+\\n$").match(said).hasMatch(), qPrintable(said));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
