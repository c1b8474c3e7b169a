// The driver library against real files: a round trip through the library,
// JSON and CSV; every kind of bad entry refused with its reason and never
// dropped quietly; a library file that cannot be used kept byte for byte;
// two copies of the program that keep each other's drivers; a data folder
// that cannot be written.
#include "core/driverlibrary.h"
#include "support/recorders.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DriverRecord driver(const QString& name, double fs = 30, double qts = 0.4, double vas = 2)
{
    DriverRecord record;
    record.name = name;
    record.fs = fs;
    record.qts = qts;
    record.vas = vas;
    return record;
}

// Every member set, with texts a CSV must quote.
DriverRecord fullDriver()
{
    DriverRecord record = driver(QString::fromUtf8("W\xc3\xb6ofer, \"12\" inch"), 27.5, 0.38, 3.1);
    record.manufacturer = QStringLiteral("Acme; Ltd");
    record.model = QStringLiteral("W-12");
    record.qes = 0.41;
    record.qms = 5.2;
    record.re = 5.6;
    record.le = 0.9;
    record.vd = 1.6;
    record.note = QStringLiteral("measured twice\nin a 1 cubic foot box");
    return record;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList names(const QVector<DriverRecord>& drivers)
{
    QStringList out;
    for (const DriverRecord& record : drivers)
        out << record.name;
    return out;
}

QStringList reasons(const QVector<DriverRefusal>& entries)
{
    QStringList out;
    for (const DriverRefusal& entry : entries)
        out << entry.where + ": " + entry.reason;
    return out;
}

const QByteArray kHeader = "name,fs,qts,vas\n";

} // namespace

class TestDriverLibrary : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_messages.reset(); }

    void roundTripThroughLibraryJsonAndCsv();
    void recordRules_data();
    void recordRules();
    void readingRefusesWithReasons_data();
    void readingRefusesWithReasons();
    void importCountsAddedSkippedAndRefused();
    void unusableLibraryFileIsKeptUntouched_data();
    void unusableLibraryFileIsKeptUntouched();
    void twoCopiesKeepEachOthersDrivers();
    void storeReplacesOnlyWhenAsked();
    void unwritableDataFolderIsNamed_data();
    void unwritableDataFolderIsNamed();
    void randomBytesNeverCrash();

private:
    QString path() const { return m_dir.filePath("drivers.json"); }
    QTemporaryDir m_dir;
    std::unique_ptr<MessageRecorder> m_messages;
};

void TestDriverLibrary::init()
{
    QFile::remove(path());
    m_messages = std::make_unique<MessageRecorder>();
}

void TestDriverLibrary::roundTripThroughLibraryJsonAndCsv()
{
    const QVector<DriverRecord> saved { fullDriver(), driver("alpha", 41, 0.33, 0.75), driver("Beta", 1e-30, 1e30, 1) };
    {
        DriverLibrary library(path());
        for (const DriverRecord& record : saved)
            QVERIFY(library.store(record, DriverLibrary::Existing::Refuse).done());
    }
    DriverLibrary reloaded(path());
    QVERIFY(reloaded.refresh());
    QCOMPARE(names(reloaded.drivers()), (QStringList { "alpha", "Beta", saved[0].name })); // by name, any case
    QCOMPARE(*reloaded.find("WÖOFER, \"12\" INCH "), saved[0]);

    for (const QString file : { "out.json", "out.csv" }) {
        QVERIFY(reloaded.exportFile(m_dir.filePath(file)).done());
        DriverLibrary fresh(m_dir.filePath(file + ".library.json"));
        const DriverImport imported = fresh.importFile(m_dir.filePath(file));
        QVERIFY2(imported.error.isEmpty(), qPrintable(imported.error));
        QCOMPARE(imported.added, 3);
        QCOMPARE(fresh.drivers(), reloaded.drivers());
    }
    QVERIFY(m_messages->shown.isEmpty());

    // Names a spreadsheet would run as formulas come back as they were.
    const QVector<DriverRecord> formulas { driver("=HYPERLINK(\"x\")"), driver("+1"), driver("-W"), driver("@A"),
        driver("'=kept"), driver("'plain") };
    const QByteArray csv = writeDriversCsv(formulas);
    QVERIFY(!QRegularExpression("(^|[\n,])[=+\\-@]").match(QString::fromUtf8(csv)).hasMatch());
    const DriverFileContents read = readDriversCsv(csv);
    QCOMPARE(read.drivers.size(), formulas.size());
    for (qsizetype i = 0; i < formulas.size(); ++i)
        QCOMPARE(read.drivers[i].record, formulas[i]);
}

void TestDriverLibrary::recordRules_data()
{
    QTest::addColumn<DriverRecord>("record");
    QTest::addColumn<QString>("problem");
    DriverRecord noVas = driver("x");
    noVas.vas.reset();
    DriverRecord badLe = driver("x");
    badLe.le = 0;
    DriverRecord longName = driver(QString(101, u'n'));
    DriverRecord control = driver("a\tb");
    DriverRecord tabbedNote = driver("x");
    tabbedNote.note = "a\tb\nc";
    QTest::newRow("valid") << driver("x") << "";
    QTest::newRow("note may hold tabs and lines") << tabbedNote << "";
    QTest::newRow("blank name") << driver("  ") << "the name is missing";
    QTest::newRow("Vas missing") << noVas << "Vas is missing";
    QTest::newRow("negative") << driver("x", -30) << "Fs must be above 0";
    QTest::newRow("zero optional value") << badLe << "Le must be above 0";
    QTest::newRow("NaN") << driver("x", 30, qQNaN()) << "Qts is not a finite number";
    QTest::newRow("infinity") << driver("x", 30, 0.4, qInf()) << "Vas is not a finite number";
    QTest::newRow("beyond a Single") << driver("x", 1e39) << "Fs is out of range";
    QTest::newRow("0 as a Single") << driver("x", 30, 1e-39) << "Qts is out of range";
    QTest::newRow("long name") << longName << "Name is longer than 100 characters";
    QTest::newRow("control character") << control << "Name holds a control character";
}

void TestDriverLibrary::recordRules()
{
    QFETCH(DriverRecord, record);
    QFETCH(QString, problem);
    QCOMPARE(driverProblem(record), problem);
    DriverLibrary library(path());
    QCOMPARE(library.store(record, DriverLibrary::Existing::Refuse).done(), problem.isEmpty());
}

void TestDriverLibrary::readingRefusesWithReasons_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("read"); // names of the valid records
    QTest::addColumn<QStringList>("refused"); // "where: reason"
    QTest::addColumn<QString>("wholeProblem"); // the file refused as a whole

    const QStringList none;
    QTest::newRow("csv quoted fields") << QByteArray(
        "\xef\xbb\xbfName,Vas (ft3),QTS,fs\r\n\"a, \"\"b\"\"\",2,.4,30\r\n")
                                       << QStringList { "a, \"b\"" } << none << "";
    QTest::newRow("csv bad values") << kHeader + "a,abc,.4,2\nb,-3,.4,2\nc,nan,.4,2\nd,30,inf,2\n,30,.4,2\ne,30,.4\n"
                                    << none
                                    << QStringList { "line 2: Fs is not a number: \"abc\"",
                                           "line 3: Fs must be above 0", "line 4: Fs is not a finite number",
                                           "line 5: Qts is not a finite number", "line 6: the name is missing",
                                           "line 7: Vas is missing" }
                                    << "";
    QTest::newRow("csv blank lines and trailing separators") << kHeader + "\n a ,30,.4,2,,\n\n"
                                                             << QStringList { "a" } << none << "";
    QTest::newRow("csv extra cell") << kHeader + "a,30,.4,2,9\n"
                                    << none << QStringList { "line 2: it has more cells than the header row names" }
                                    << "";
    QTest::newRow("csv semicolons and decimal commas")
        << QByteArray("name;fs;qts;vas\na;30;0,4;2\n") << QStringList { "a" } << none << "";
    QTest::newRow("csv line in a quoted note") << QByteArray("name,fs,qts,vas,note\na,30,.4,2,\"x\ny\"\nb,1,2\n")
                                               << QStringList { "a" } << QStringList { "line 4: Vas is missing" } << "";
    QTest::newRow("csv unclosed quote") << kHeader + "\"a,30,.4,2\n"
                                        << none << none << "the quote opened on line 2 is never closed";
    QTest::newRow("csv without header") << QByteArray("a,30,.4,2\n") << none << none
                                        << "its first row is no header with a name column";
    QTest::newRow("csv column twice") << QByteArray("name,fs,FS\n") << none << none
                                      << "its header row names the column \"fs\" twice";
    QTest::newRow("json values") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[
        {"name":"a","fs":30,"qts":0.4,"vas":2,"qes":null},
        {"name":"b","fs":"30","qts":0.4,"vas":2},
        {"name":7,"fs":30,"qts":0.4,"vas":2},
        {"name":"c","fs":-1,"qts":0.4,"vas":2},
        [1,2], {"fs":30,"qts":0.4,"vas":2}]})")
                                 << QStringList { "a" }
                                 << QStringList { "driver 2: Fs is not a number", "driver 3: Name is not a text",
                                        "driver 4: Fs must be above 0", "driver 5: it is not a driver record",
                                        "driver 6: the name is missing" }
                                 << "";
    QTest::newRow("json newer")
        << QByteArray(R"({"format":"tolvan-drivers","version":2,"drivers":[]})") << none << none
        << "it was written by a newer version of Tolvan (format 2; this version reads format 1)";
    QTest::newRow("json of something else")
        << QByteArray(R"({"drivers":[]})") << none << none << "it is not a Tolvan driver file";
    QTest::newRow("json cut short") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[{"na)") << none
                                    << none << "it is not JSON";
}

void TestDriverLibrary::readingRefusesWithReasons()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, read);
    QFETCH(QStringList, refused);
    QFETCH(QString, wholeProblem);
    const DriverFileContents contents = readDriverFile(file, sniffDriverFileKind(file));
    QVERIFY2(wholeProblem.isEmpty() ? contents.problem.isEmpty() : contents.problem.startsWith(wholeProblem),
        qPrintable(contents.problem));
    QStringList readNames;
    for (const DriverEntry& entry : contents.drivers)
        readNames << entry.record.name;
    QCOMPARE(readNames, read);
    QCOMPARE(reasons(contents.refused), refused);
}

void TestDriverLibrary::importCountsAddedSkippedAndRefused()
{
    DriverLibrary library(path());
    QVERIFY(library.store(driver("Old"), DriverLibrary::Existing::Refuse).done());
    const QString file = m_dir.filePath("in.csv");
    writeAll(file, "name,colour,fs,qts,vas\nnew,red,30,.4,2\nOLD ,,30,.5,2\nNew,,31,.4,2\nbad,,0,.4,2\n");
    const DriverImport imported = library.importFile(file);
    QCOMPARE(imported.added, 1);
    QCOMPARE(reasons(imported.skipped),
        (QStringList { "line 3: a driver of this name is in the library already",
            "line 4: the file names this driver already at line 2" }));
    QCOMPARE(reasons(imported.refused), QStringList { "line 5: Fs must be above 0" });
    QCOMPARE(imported.report(2),
        QString("1 added, 2 skipped as duplicates, 1 refused as invalid.\n"
                "Skipped line 3 \"OLD\": a driver of this name is in the library already.\n"
                "Skipped line 4 \"New\": the file names this driver already at line 2.\n... and 2 more."));
    QVERIFY(imported.report().endsWith("Columns not read: \"colour\""));
    QCOMPARE(library.find("old")->qts, 0.4); // never replaced by an import
    QVERIFY(!library.importFile(m_dir.filePath("missing.csv")).error.isEmpty());
}

void TestDriverLibrary::unusableLibraryFileIsKeptUntouched_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << "it is not JSON";
    QTest::newRow("random bytes") << QByteArray("\x93\x01{\xff\x00garbage", 12) << "it is not JSON";
    QTest::newRow("newer version") << QByteArray(R"({"format":"tolvan-drivers","version":7,"drivers":[]})")
                                   << "it was written by a newer version of Tolvan";
    QTest::newRow("invalid driver") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[{"name":"a"}]})")
                                    << "its driver 1 \"a\" is not valid: Fs is missing";
    QTest::newRow("a name twice") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[
        {"name":"a","fs":30,"qts":0.4,"vas":2},{"name":"A","fs":30,"qts":0.4,"vas":2}]})")
                                  << "it names the driver \"A\" twice";
    QTest::newRow("an entry of a later version") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[
        {"name":"a","fs":30,"qts":0.4,"vas":2,"sd":0.05}]})")
                                                 << "it holds what this version cannot keep";
}

void TestDriverLibrary::unusableLibraryFileIsKeptUntouched()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, reason);
    writeAll(path(), file);
    const QDateTime modified = QFileInfo(path()).lastModified();
    DriverLibrary library(path());
    QVERIFY(!library.refresh());
    QVERIFY(!library.refresh());
    QVERIFY(library.drivers().isEmpty());
    QCOMPARE(m_messages->shown.size(), 1); // said once, naming the file and why
    QVERIFY2(m_messages->last().prompt.contains(path() + " cannot be used: " + reason),
        qPrintable(m_messages->last().prompt));

    const DriverChange stored = library.store(driver("new"), DriverLibrary::Existing::Replace);
    QVERIFY(!stored.done() && stored.error.contains(reason));
    QVERIFY(!library.remove("a").done());
    writeAll(m_dir.filePath("in.csv"), kHeader + "b,30,.4,2\n");
    QVERIFY(!library.importFile(m_dir.filePath("in.csv")).error.isEmpty());
    QCOMPARE(readAll(path()), file);
    QCOMPARE(QFileInfo(path()).lastModified(), modified);
    QCOMPARE(m_messages->shown.size(), 1);
}

void TestDriverLibrary::twoCopiesKeepEachOthersDrivers()
{
    DriverLibrary first(path()), second(path());
    QVERIFY(first.refresh() && second.refresh());
    QVERIFY(first.store(driver("one"), DriverLibrary::Existing::Refuse).done());
    QVERIFY(second.store(driver("two"), DriverLibrary::Existing::Refuse).done()); // second never saw "one"
    QVERIFY(first.remove("ONE").done());
    QVERIFY(second.refresh());
    QCOMPARE(names(second.drivers()), QStringList { "two" });
    QVERIFY(!QFile::exists(path() + ".lock"));
}

void TestDriverLibrary::storeReplacesOnlyWhenAsked()
{
    DriverLibrary library(path());
    QVERIFY(library.store(driver("Woofer"), DriverLibrary::Existing::Refuse).done());
    const DriverChange again = library.store(driver("WOOFER", 31), DriverLibrary::Existing::Refuse);
    QCOMPARE(again.status, DriverChange::Status::Exists);
    QCOMPARE(library.find("woofer")->fs, 30.0);
    QVERIFY(library.store(driver("WOOFER", 31), DriverLibrary::Existing::Replace).done());
    QCOMPARE(names(library.drivers()), QStringList { "WOOFER" });
    // An edit that renames takes the old record along.
    QVERIFY(library.store(driver("Tweeter", 900, 0.7, 0.01), DriverLibrary::Existing::Refuse, "woofer").done());
    QCOMPARE(names(library.drivers()), QStringList { "Tweeter" });
}

void TestDriverLibrary::unwritableDataFolderIsNamed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("error");
    QTest::newRow("folder cannot be made") << "/proc/tolvan/drivers.json"
                                           << "the folder /proc/tolvan cannot be made";
    QTest::newRow("folder refuses files") << "/sys/drivers.json"
                                          << "the folder /sys cannot be written to";
    QTest::newRow("a file in the folder's place") << "FILE/drivers.json"
                                                  << "cannot be made";
}

void TestDriverLibrary::unwritableDataFolderIsNamed()
{
    QFETCH(QString, file);
    QFETCH(QString, error);
    if (file.startsWith("FILE")) {
        writeAll(m_dir.filePath("FILE"), "x");
        file = m_dir.filePath(file);
    } else if (!QFileInfo(file).absoluteDir().exists() && !QFileInfo::exists("/proc/version")) {
        QSKIP("no such system folder here");
    }
    DriverLibrary library(file);
    QVERIFY(library.refresh()); // nothing there yet: an empty library
    const DriverChange stored = library.store(driver("x"), DriverLibrary::Existing::Refuse);
    QVERIFY2(stored.error.contains(error), qPrintable(stored.error));
    QVERIFY(library.drivers().isEmpty()); // not kept as if saved
}

void TestDriverLibrary::randomBytesNeverCrash()
{
    QRandomGenerator random(21);
    for (int i = 0; i < 300; ++i) {
        QByteArray bytes(random.bounded(400), Qt::Uninitialized);
        for (char& c : bytes)
            c = char(random.bounded(256));
        if (i % 3 == 0)
            bytes.prepend(kHeader);
        for (const DriverFileKind kind : { DriverFileKind::Csv, DriverFileKind::Json }) {
            const DriverFileContents contents = readDriverFile(bytes, kind);
            for (const DriverEntry& entry : contents.drivers)
                QVERIFY(driverProblem(entry.record).isEmpty());
        }
    }
}

QTEST_MAIN(TestDriverLibrary)
#include "tst_driverlibrary.moc"
