// `tolvan FILE.TLV`: the main window opens and the file is loaded exactly as
// "Load System" loads it when the same name is chosen in its dialog, with
// the same messages and the same design state afterwards.
#include "core/designstate.h"
#include "core/systemrecord.h"
#include "design/systemload.h"
#include "support/recorders.h"
#include "ui/FrmTlv.h"
#include "ui/startup.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void fileArgumentLoadsAsLoadSystem_data();
    void fileArgumentLoadsAsLoadSystem();
    void retryAfterAMissingFileAsksForAnother();
    void fileArgument_data();
    void fileArgument();

private:
    static void freshState();
    MessageRecorder* m_messages = nullptr;
    QTemporaryDir m_dir;
};

void TestStartup::freshState()
{
    designState() = DesignState();
    applyStartValues(designState());
}

void TestStartup::init()
{
    m_messages = new MessageRecorder;
    freshState();
}

void TestStartup::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

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
    const QVector<Message> byButton = m_messages->shown;
    const SystemRecord loadedByButton = encodeSystemRecord(designState());

    m_messages->clear();
    freshState();
    ScriptedFileChooser chooser; // cancels, should Retry ask
    FrmTlv* main = startTolvan({ "tolvan", path });

    QVERIFY(main->isVisible());
    QCOMPARE(m_messages->shown, byButton);
    QVERIFY(encodeSystemRecord(designState()) == loadedByButton);
    if (prompts.isEmpty()) {
        QVERIFY(byButton.isEmpty());
        QCOMPARE(designState().qts, 1.25f);
    } else if (prompts != QStringList { "(any)" }) {
        QCOMPARE(m_messages->prompts(), prompts);
    } else {
        QCOMPARE(m_messages->shown.size(), 1);
    }
    QVERIFY(chooser.requests.isEmpty());
}

void TestStartup::retryAfterAMissingFileAsksForAnother()
{
    ScriptedFileChooser chooser;
    chooser.answerNext(QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV"));
    m_messages->answerNext(MsgAnswer::Retry);

    startTolvan({ "tolvan", m_dir.filePath("missing.TLV") });

    QCOMPARE(m_messages->prompts(), QStringList { "File Not Found" });
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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
