// The driver library against real files: a round trip through the library,
// JSON and CSV; every kind of bad entry refused with its reason and never
// dropped quietly; units in the files; a library file that cannot be used
// kept byte for byte; a change that changes nothing writes nothing; two
// copies of the program that keep each other's drivers and edits, forty of
// them through symbolic links; the library's limits after every change; a
// data folder that cannot be written.
#include "core/driverlibrary.h"
#include "core/wholefile.h"
#include "support/recorders.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

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
    record.sd = 519.5;
    record.xmax = 6.35;
    record.pe = 350;
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

// A CSV file of `count` drivers named "<prefix>1" onwards.
QByteArray manyDrivers(int count, const QByteArray& prefix = "D", const QByteArray& note = {})
{
    QByteArray csv = "name,fs,qts,vas,note\n";
    csv.reserve(count * (24 + note.size()));
    for (int i = 1; i <= count; ++i)
        csv += prefix + QByteArray::number(i) + ",30,.4,2," + note + '\n';
    return csv;
}

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
    void unitsInFilesAreConverted_data();
    void unitsInFilesAreConverted();
    void importCountsAddedSkippedAndRefused();
    void nothingDoneLeavesTheFileAsItWas_data();
    void nothingDoneLeavesTheFileAsItWas();
    void mergesAndEditsTakeTheFileUnderTheLock();
    void fortyCopiesThroughSymbolicLinksLoseNothing();
    void limitsHoldAfterEveryChange_data();
    void limitsHoldAfterEveryChange();
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

    // The files of an earlier library, without Sd, Xmax and Pe, read as they always did.
    for (const QString file : { "drivers.json", "drivers.csv" }) {
        const DriverFileContents earlier = readDriverFile(readAll(TOLVAN_TEST_DATA "/" + file), driverFileKindOf(file));
        QCOMPARE(earlier.drivers.size(), 2);
        QVERIFY(earlier.refused.isEmpty() && earlier.notes.isEmpty());
        const DriverRecord& measured = earlier.drivers[1].record;
        QCOMPARE(measured.vd, 1.6);
        QVERIFY(!measured.sd && !measured.xmax && !measured.pe);
    }

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
                                           "line 3: Fs must be above 0", "line 4: Fs is not a number: \"nan\"",
                                           "line 5: Qts is not a number: \"inf\"", "line 6: the name is missing",
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
    QTest::newRow("csv numbers as the windows read them")
        << kHeader + "a,3 0,.4,2\nb,30,.4,2 ft\nc,1e400,.4,2\nd,&H1E,.4,2\n"
        << QStringList { "a", "d" }
        << QStringList { "line 3: Vas is not a number: \"2 ft\"", "line 4: Fs is out of range" } << "";
    QTest::newRow("csv of Windows-1252") << kHeader + "K\xf6ln \x80,30,.4,2\n"
                                         << QStringList { QString::fromUtf8("K\xc3\xb6ln \xe2\x82\xac") } << none << "";
    QTest::newRow("csv name with a terminal escape")
        << kHeader + "\x1b[31mRed,30,.4,2\n"
        << none << QStringList { "line 2: Name holds a control character" } << "";
    QTest::newRow("csv in a unit Tolvan does not know")
        << QByteArray("name,fs,qts,vas (gal)\na,30,.4,15\n") << none << QStringList { "line 2: Vas is missing" } << "";
    QTest::newRow("json a key twice") << QByteArray(R"({"format":"tolvan-drivers","version":1,"drivers":[
        {"name":"A","fs":30,"qts":0.4,"vas":2}],"drivers":[]})")
                                      << none << none << "it names \"drivers\" twice in one entry";
    QTest::newRow("json a key twice in a driver") << QByteArray(R"({"format":"tolvan-drivers","version":1,
        "drivers":[{"name":"A","fs":30,"qts":0.4,"vas":2,"f\u0073":31}]})")
                                                  << none << none << "it names \"fs\" twice in one entry";
    QTest::newRow("json a version of 1e300")
        << QByteArray(R"({"format":"tolvan-drivers","version":1e300,"drivers":[]})") << none << none
        << "its version is not a whole number from 1 to";
    QTest::newRow("json a version below 1")
        << QByteArray(R"({"format":"tolvan-drivers","version":-1e300,"drivers":[]})") << none << none
        << "its version is not a whole number from 1 to";
    QTest::newRow("json in litres") << QByteArray(R"({"format":"tolvan-drivers","version":1,"units":{"vas":"L"},
        "drivers":[{"name":"a","fs":30,"qts":0.4,"vas":56.6}]})")
                                    << QStringList { "a" } << none << "";
    QTest::newRow("json in a unit Tolvan does not know")
        << QByteArray(R"({"format":"tolvan-drivers","version":1,"units":{"vas":"gal"},
        "drivers":[{"name":"a","fs":30,"qts":0.4,"vas":15}]})")
        << none << QStringList { "driver 1: Vas is missing" } << "";
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

// A value's column with the unit its header names, or JSON's "units".
void TestDriverLibrary::unitsInFilesAreConverted_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<double>("kept"); // in the library's unit; -1: the column is not read
    QTest::addColumn<QString>("note"); // what the import says about it

    const double litre = 1 / units::kLitresPerCubicFoot;
    const QString vasInL = QString::fromUtf8("Vas read in L and kept in ft\u00b3");
    const QString vdInIn3 = QString::fromUtf8("Vd read in in3 and kept in 10\u207b\u2074 m\u00b3");
    QTest::newRow("Vas (L), a datasheet") << "Vas (L)"
                                          << "62.5" << 62.5 * litre << vasInL;
    QTest::newRow("Vas [L]") << "Vas [L]"
                             << "56.6" << 56.6 * litre << vasInL;
    QTest::newRow("Vas litres") << "vas litres"
                                << "28.316846592" << 1.0 << vasInL;
    QTest::newRow("Vas (ft3)") << "Vas (ft3)"
                               << "2" << 2.0 << "";
    QTest::newRow("Vas (cu ft)") << "Vas (cu ft)"
                                 << "2" << 2.0 << "";
    QTest::newRow("Vas (cu. ft.)") << "Vas (cu. ft.)"
                                   << "2" << 2.0 << "";
    QTest::newRow("Vas (ft\u00b3)") << QString::fromUtf8("Vas (ft\u00b3)") << "2" << 2.0 << "";
    QTest::newRow("Vas without a unit is in ft3") << "VAS"
                                                  << "2" << 2.0 << "";
    QTest::newRow("Vas (in3)") << "Vas (in3)"
                               << "3456" << 2.0 << "Vas read in in3";
    QTest::newRow("Vas (m3)") << "Vas (m3)"
                              << ".056633693184" << 2.0 << "Vas read in m3";
    QTest::newRow("Vd (in3)") << "Vd (in3)"
                              << "10" << 1.6387064 << vdInIn3;
    QTest::newRow("Vd (cu in)") << "Vd (cu in)"
                                << "10" << 1.6387064 << vdInIn3;
    QTest::newRow("Vd (cm3)") << "Vd (cm3)"
                              << "160" << 1.6 << "Vd read in cm3";
    QTest::newRow("Vd (10^-4 m3)") << "vd (10^-4 m3)"
                                   << "1.6" << 1.6 << "";
    QTest::newRow("Vd (10\u207b\u2074 m\u00b3)")
        << QString::fromUtf8("Vd (10\u207b\u2074 m\u00b3)") << "1.6" << 1.6 << "";
    QTest::newRow("Le (mH)") << "Le (mH)"
                             << ".9" << 0.9 << "";
    QTest::newRow("Le (uH)") << "Le (uH)"
                             << "900" << 0.9 << "Le read in uH and kept in mH";
    QTest::newRow("Le (\u00b5H)") << QString::fromUtf8("Le (\u00b5H)") << "900" << 0.9 << "Le read in uH";
    QTest::newRow("Fs (Hz)") << "Fs (Hz)"
                             << "30" << 30.0 << "";
    QTest::newRow("Fs (kHz)") << "Fs (kHz)"
                              << ".03" << 30.0 << "Fs read in kHz and kept in Hz";
    QTest::newRow("Re (ohm)") << "Re (ohm)"
                              << "6" << 6.0 << "";
    QTest::newRow("Re (\u03a9)") << QString::fromUtf8("Re (\u03a9)") << "6" << 6.0 << "";
    QTest::newRow("Qts (-)") << "Qts (-)"
                             << ".4" << 0.4 << "";
    QTest::newRow("Sd (cm2)") << "Sd (cm2)"
                              << "519.5" << 519.5 << "";
    QTest::newRow("Sd (cm\u00b2)") << QString::fromUtf8("Sd (cm\u00b2)") << "519.5" << 519.5 << "";
    QTest::newRow("Sd (m2)") << "Sd (m2)"
                             << ".0212" << 212.0 << "Sd read in m2 and kept in cm\u00b2";
    QTest::newRow("Sd (in2)") << "Sd (in2)"
                              << "100" << 645.16 << "Sd read in in2";
    QTest::newRow("Sd (sq in)") << "Sd (sq in)"
                                << "100" << 645.16 << "Sd read in in2";
    QTest::newRow("Xmax (mm)") << "Xmax (mm)"
                               << "6.35" << 6.35 << "";
    QTest::newRow("Xmax (in)") << "Xmax (in)"
                               << ".25" << 6.35 << "Xmax read in in and kept in mm";
    QTest::newRow("Xmax (cm)") << "XMAX [cm]"
                               << ".6" << 6.0 << "Xmax read in cm";
    QTest::newRow("Pe (W)") << "Pe (W)"
                            << "350" << 350.0 << "";
    QTest::newRow("Pe (watts)") << "pe watts"
                                << "350" << 350.0 << "";
    QTest::newRow("Pe (kW)") << "Pe (kW)"
                             << ".35" << 350.0 << "Pe read in kW and kept in W";
    QTest::newRow("Xmax (ft3): not a length") << "Xmax (ft3)"
                                              << "1" << -1.0 << "does not know the unit \"ft3\"";
    QTest::newRow("Vas (gal): not known") << "Vas (gal)"
                                          << "15" << -1.0
                                          << "Column \"Vas (gal)\" not read: Tolvan does not know the unit \"gal\" "
                                             "(Vas is read in ft3, L, m3, in3, cm3)";
    QTest::newRow("Qts (Hz): a unit for a number without one")
        << "Qts (Hz)"
        << ".4" << -1.0 << "Tolvan does not know the unit \"Hz\"";
    QTest::newRow("Le (mm): not an inductance") << "Le (mm)"
                                                << ".9" << -1.0 << "does not know the unit \"mm\"";
}

void TestDriverLibrary::unitsInFilesAreConverted()
{
    QFETCH(QString, header);
    QFETCH(QString, cell);
    QFETCH(double, kept);
    QFETCH(QString, note);
    const DriverValue* value = driverValue(header.section(QRegularExpression("[ ([]"), 0, 0));
    QVERIFY(value);
    // The other values a driver needs, then the one in its unit.
    QStringList columns { "name" }, cells { "Datasheet" };
    for (const auto& [key, number] : { std::pair { "fs", "30" }, { "qts", ".4" }, { "vas", "2" } }) {
        if (qstrcmp(key, value->key) != 0) {
            columns << key;
            cells << number;
        }
    }
    const QString csv = columns.join(',') + ',' + header + '\n' + cells.join(',') + ',' + cell + '\n';
    writeAll(m_dir.filePath("in.csv"), csv.toUtf8());
    DriverLibrary library(path());
    const DriverImport imported = library.importFile(m_dir.filePath("in.csv"));
    QVERIFY2(imported.report().contains(note), qPrintable(imported.report()));
    if (kept < 0) {
        QCOMPARE(imported.added, value->required ? 0 : 1);
        QVERIFY(!value->required || !QFile::exists(path()));
        return;
    }
    QCOMPARE(imported.added, 1);
    const std::optional<double> read = (*library.find("datasheet")).*value->member;
    QVERIFY(read);
    QVERIFY2(qAbs(*read - kept) <= 1e-12 * kept, qPrintable(QString::number(*read, 'g', 17)));
    // Written in the library's unit, the header naming it, and read back the same.
    const QByteArray exported = writeDriversCsv(library.drivers());
    QVERIFY(exported.contains(csvHeader(*value).toUtf8()));
    QCOMPARE(readDriversCsv(exported).drivers.first().record, *library.find("datasheet"));
    QCOMPARE(readDriversJson(writeDriversJson(library.drivers())).drivers.first().record, *library.find("datasheet"));
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

// A change that changes nothing leaves the file as it was, or unmade.
void TestDriverLibrary::nothingDoneLeavesTheFileAsItWas_data()
{
    QTest::addColumn<bool>("libraryExists");
    QTest::addColumn<QString>("change");
    QTest::newRow("import of refused rows, no library yet") << false << "import refused";
    QTest::newRow("import of refused rows") << true << "import refused";
    QTest::newRow("import of duplicates") << true << "import duplicates";
    QTest::newRow("the same driver stored again") << true << "store same";
    QTest::newRow("removing a driver that is not there") << true << "remove absent";
}

void TestDriverLibrary::nothingDoneLeavesTheFileAsItWas()
{
    QFETCH(bool, libraryExists);
    QFETCH(QString, change);
    // Written by hand, in a form the library would not write itself.
    const QByteArray before
        = R"({"format":"tolvan-drivers","version":1,"drivers":[{"name":"Old","fs":30,"qts":0.4,"vas":2}]})";
    if (libraryExists)
        writeAll(path(), before);
    const QDateTime modified = QFileInfo(path()).lastModified();
    writeAll(m_dir.filePath("refused.csv"), kHeader + "bad,-1,.4,2\n,30,.4,2\n");
    writeAll(m_dir.filePath("duplicates.csv"), kHeader + "OLD,31,.4,2\n");
    DriverLibrary library(path());
    if (change == "import refused") {
        const DriverImport imported = library.importFile(m_dir.filePath("refused.csv"));
        QVERIFY(imported.error.isEmpty());
        QCOMPARE(imported.refused.size(), 2);
    } else if (change == "import duplicates") {
        QCOMPARE(library.importFile(m_dir.filePath("duplicates.csv")).skipped.size(), 1);
    } else if (change == "store same") {
        const DriverChange stored = library.store(driver("Old"), DriverLibrary::Existing::Replace);
        QVERIFY(stored.done() && !stored.written);
        QCOMPARE(library.find("OLD")->name, QString("Old"));
    } else {
        QVERIFY(!library.remove("absent").done());
    }
    QCOMPARE(QFile::exists(path()), libraryExists);
    if (libraryExists) {
        QCOMPARE(readAll(path()), before);
        QCOMPARE(QFileInfo(path()).lastModified(), modified);
    }
    QVERIFY(m_messages->shown.isEmpty());
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
        {"name":"a","fs":30,"qts":0.4,"vas":2,"mms":0.05}]})")
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

// Two copies: one merges its window's values, or edits in the library
// dialog, while the other changes the same driver. The merge is made with
// the driver as the file holds it under the lock; an edit of a driver that
// changed meanwhile is refused as Changed, with the driver as it now is.
void TestDriverLibrary::mergesAndEditsTakeTheFileUnderTheLock()
{
    DriverLibrary first(path()), second(path());
    QVERIFY(first.store(driver("A"), DriverLibrary::Existing::Refuse).done());
    QVERIFY(second.refresh());
    const DriverRecord opened = *second.find("a"); // the form opens

    // The first copy saves Re and a note; the second merges its window's Fs.
    DriverRecord other = driver("A");
    other.re = 6.2;
    other.note = "measured";
    QVERIFY(first.store(other, DriverLibrary::Existing::Replace).done());
    const DriverChange merged = second.storeMerged(
        "a",
        [](const std::optional<DriverRecord>& stored) {
            DriverRecord driver = stored.value();
            driver.fs = 31;
            return driver;
        },
        DriverLibrary::Existing::Replace);
    QVERIFY(merged.done());
    DriverRecord both = other;
    both.fs = 31;
    QCOMPARE(*second.find("A"), both);
    QVERIFY(first.refresh());
    QCOMPARE(*first.find("A"), both);

    // The form opened on the driver before either change: its edit is refused.
    DriverRecord edited = opened;
    edited.manufacturer = "Acme";
    const DriverChange stale = second.storeEdit(edited, opened, DriverLibrary::Existing::Refuse);
    QCOMPARE(stale.status, DriverChange::Status::Changed);
    QCOMPARE(stale.current, std::optional<DriverRecord>(both));
    QCOMPARE(*second.find("A"), both);
    // Kept by the user's choice, on the driver as it now is.
    QVERIFY(second.storeEdit(edited, *stale.current, DriverLibrary::Existing::Refuse).done());
    QCOMPARE(second.find("A")->manufacturer, QString("Acme"));

    // Deleted meanwhile: refused too, with nothing to show.
    const DriverRecord now = *second.find("A");
    QVERIFY(first.remove("a").done());
    const DriverChange gone = second.storeEdit(now, now, DriverLibrary::Existing::Refuse);
    QCOMPARE(gone.status, DriverChange::Status::Changed);
    QVERIFY(!gone.current);
    QVERIFY(gone.error.contains("deleted"));
    QVERIFY(!second.find("A"));
}

// Two data folders whose libraries are symbolic links to one file, forty
// copies adding at once: every add that was made is in the file. An add
// may be refused while another copy holds the lock, saying so.
void TestDriverLibrary::fortyCopiesThroughSymbolicLinksLoseNothing()
{
    const QString shared = m_dir.filePath("shared.json");
    QVERIFY(QDir(m_dir.path()).mkpath("one") && QDir(m_dir.path()).mkpath("two"));
    QVERIFY(QFile::link(shared, m_dir.filePath("one/drivers.json")));
    QVERIFY(QFile::link("../shared.json", m_dir.filePath("two/drivers.json")));
    constexpr int kCopies = 40;
    std::vector<pid_t> copies;
    for (int i = 0; i < kCopies; ++i) {
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            DriverLibrary library(m_dir.filePath(i % 2 ? "one/drivers.json" : "two/drivers.json"));
            const DriverChange added
                = library.store(driver(QString("Copy %1").arg(i)), DriverLibrary::Existing::Refuse);
            ::_exit(added.done() ? 0 : added.error.contains("is in use, try again") ? 1 : 2);
        }
        copies.push_back(pid);
    }
    QStringList made;
    int inUse = 0;
    for (int i = 0; i < kCopies; ++i) {
        int status = 0;
        QCOMPARE(::waitpid(copies[std::size_t(i)], &status, 0), copies[std::size_t(i)]);
        QVERIFY(WIFEXITED(status));
        QVERIFY2(WEXITSTATUS(status) != 2, qPrintable(QString("copy %1 failed otherwise").arg(i)));
        if (WEXITSTATUS(status) == 0)
            made << QString("Copy %1").arg(i);
        inUse += WEXITSTATUS(status) == 1;
    }
    QVERIFY(QFileInfo(m_dir.filePath("one/drivers.json")).isSymLink());
    QVERIFY(QFileInfo(m_dir.filePath("two/drivers.json")).isSymLink());
    DriverLibrary library(m_dir.filePath("one/drivers.json"));
    QVERIFY(library.refresh());
    QStringList present = names(library.drivers());
    made.sort(Qt::CaseInsensitive);
    present.sort(Qt::CaseInsensitive);
    QCOMPARE(present, made);
    QCOMPARE(made.size() + inUse, kCopies);
    qInfo("%d of %d copies added, %d found the library in use", int(made.size()), kCopies, inUse);
}

// What the reader refuses, no change writes: the drivers and the bytes
// that fit are the same for both, and a refused change says how many fit.
void TestDriverLibrary::limitsHoldAfterEveryChange_data()
{
    QTest::addColumn<int>("inLibrary");
    QTest::addColumn<int>("imported");
    QTest::addColumn<QByteArray>("note"); // of every imported driver
    QTest::addColumn<QString>("refusal"); // empty: added
    QTest::newRow("exactly the limit") << 0 << kMaxDriverEntries << QByteArray() << "";
    QTest::newRow("the limit into a library that holds three")
        << 3 << kMaxDriverEntries << QByteArray()
        << "The driver library would hold 100003 drivers, more than the 100000 it can hold: 99997 more fit.";
    // Tabs take twice their bytes in JSON: a CSV within its size makes a library beyond its own.
    QTest::newRow("more bytes than the library takes")
        << 0 << 8500 << QByteArray(1999, '\t')
        << "The driver library would be larger than 32 MB, the most it can hold: about 82";
}

void TestDriverLibrary::limitsHoldAfterEveryChange()
{
    QFETCH(int, inLibrary);
    QFETCH(int, imported);
    QFETCH(QByteArray, note);
    QFETCH(QString, refusal);
    DriverLibrary library(path());
    for (int i = 0; i < inLibrary; ++i)
        QVERIFY(library.store(driver(QString("Old %1").arg(i)), DriverLibrary::Existing::Refuse).done());
    const QByteArray before = readAll(path());
    writeAll(m_dir.filePath("many.csv"), manyDrivers(imported, "D", '"' + note + "x\""));
    const DriverImport result = library.importFile(m_dir.filePath("many.csv"));
    if (!refusal.isEmpty()) {
        QVERIFY2(result.error.contains(refusal), qPrintable(result.error));
        QCOMPARE(readAll(path()), before);
        QCOMPARE(library.drivers().size(), inLibrary);
        return;
    }
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.added, imported);
    DriverLibrary reread(path());
    QVERIFY(reread.refresh());
    QCOMPARE(reread.drivers().size(), imported);
    // Full: one more is refused, and nothing is written.
    const QByteArray full = readAll(path());
    const DriverChange more = library.store(driver("One more"), DriverLibrary::Existing::Refuse);
    QVERIFY2(more.error.contains("more than the 100000 it can hold: 0 more fit"), qPrintable(more.error));
    QCOMPARE(readAll(path()), full);
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
