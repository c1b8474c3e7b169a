// "Save System" and "Load System" against real files and real faults: the
// name rule, the record at the start of the file, the untouched tail, the
// error rows with their buttons, Retry going back to the dialog, and Load
// leaving the design alone after any failure.
#include "core/designstate.h"
#include "core/fileerrors.h"
#include "core/systemfile.h"
#include "core/systemfilename.h"
#include "core/systemrecord.h"
#include "core/wholefile.h"
#include "support/recorders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray recordBytes(const DesignState& state)
{
    const SystemRecord record = encodeSystemRecord(state);
    return QByteArray(reinterpret_cast<const char*>(record.data()), int(record.size()));
}

void sampleDesign(DesignState& s)
{
    s.qts = 0.38f;
    s.vas = 2.5f;
    s.fs = 28.0f;
    s.xoverL6 = 0.5f;
    s.bandFl3Input = 41.5;
    s.driverName = QStringLiteral("Woofer   ");
    s.measDriverName = QStringLiteral("Test driver");
    s.boxType = BoxType::Vented;
}

// Where the saved variable of that name stands in the record.
int offsetOf(std::string_view name) { return std::ranges::find(savedVariables(), name, &SavedVariable::name)->offset; }

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A dialog that runs a step of its own before answering, to change the
// design while a procedure is waiting on it.
class SteppingChooser final : public FileChooser {
public:
    SteppingChooser()
        : m_previous(installFileChooser(this))
    {
    }
    ~SteppingChooser() override { installFileChooser(m_previous); }
    std::optional<QString> choose(const FileDialogRequest&) override
    {
        if (m_steps.empty())
            return std::nullopt;
        auto step = m_steps.front();
        m_steps.pop_front();
        return step();
    }
    std::deque<std::function<std::optional<QString>()>> m_steps;

private:
    FileChooser* m_previous;
};

} // namespace

class TestSystemFile : public QObject {
    Q_OBJECT
private slots:
    void init();

    void extensionRule_data();
    void extensionRule();
    void saveShowsTheSaveDialog();
    void newFileIsExactlyOneRecord();
    void longerFileKeepsItsTail();
    void shorterFileGrowsToOneRecord();
    void addedExtensionNeverOverwritesUnasked();
    void roundTripThroughAFile();
    void cancelledDialogsTouchNothing();

    void loadOfMissingFileCreatesNothing();
    void loadRefuses_data();
    void loadRefuses();
    void retryGoesBackToTheDialog();
    void saveRetryKeepsTheDesignOfThePress();

    void saveFaults_data();
    void saveFaults();
    void loadFaults_data();
    void loadFaults();
    void tooManyOpenFiles();
    void errorTable_data();
    void errorTable();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void TestSystemFile::init()
{
    reportFileSizeLimitAsFailure(); // as the program does: a write beyond the limit fails
    QVERIFY(m_dir.isValid());
    for (const QString& entry :
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden)) {
        const QString p = path(entry);
        if (QFileInfo(p).isDir() && !QFileInfo(p).isSymLink())
            QDir(p).removeRecursively();
        else
            QFile::remove(p);
    }
    designState() = DesignState {};
    applyStartValues(designState());
}

void TestSystemFile::extensionRule_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "design"
                                  << "design.TLV";
    QTest::newRow("upper case") << "design.TLV"
                                << "design.TLV";
    QTest::newRow("lower case") << "design.tlv"
                                << "design.tlv";
    QTest::newRow("mixed case") << "design.tLv"
                                << "design.tLv";
    QTest::newRow("other extension") << "design.txt"
                                     << "design.txt.TLV";
    QTest::newRow("longer look-alike") << "design.TLVX"
                                       << "design.TLVX.TLV";
    QTest::newRow("no dot") << "designTLV"
                            << "designTLV.TLV";
    QTest::newRow("extension alone") << ".tlv"
                                     << ".tlv";
    QTest::newRow("blanks around") << "  design  "
                                   << "design.TLV";
    QTest::newRow("blanks after the extension") << "design.TLV   "
                                                << "design.TLV";
    QTest::newRow("blank inside kept") << "my design"
                                       << "my design.TLV";
}

void TestSystemFile::extensionRule()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(systemFileName(chosen), saved);

    // And on disk: the one file made is the one under the saved name.
    MessageRecorder messages;
    ScriptedFileChooser files;
    QVERIFY(QDir::setCurrent(m_dir.path()));
    files.answerNext(chosen);
    saveSystem();
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList { saved });
    QCOMPARE(QFileInfo(path(saved)).size(), qint64(kSystemRecordSize));
}

void TestSystemFile::saveShowsTheSaveDialog()
{
    MessageRecorder messages;
    ScriptedFileChooser files;
    saveSystem();
    loadSystemRecord();
    QCOMPARE(files.requests.size(), 2);
    QCOMPARE(files.requests[0].title, QStringLiteral(" Save A File "));
    QCOMPARE(files.requests[0].filter, QStringLiteral("*.TLV"));
    QCOMPARE(files.requests[0].initialName, QStringLiteral("*.TLV"));
    QVERIFY(files.requests[0].forSave);
    QCOMPARE(files.requests[1].title, QStringLiteral(" Open A File "));
    QCOMPARE(files.requests[1].filter, QStringLiteral("*.TLV"));
    QCOMPARE(files.requests[1].initialName, QStringLiteral("*.TLV"));
    QVERIFY(!files.requests[1].forSave);
}

void TestSystemFile::newFileIsExactlyOneRecord()
{
    MessageRecorder messages;
    ScriptedFileChooser files;
    sampleDesign(designState());
    files.answerNext(path(QStringLiteral("new")));
    saveSystem();
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(readAll(path(QStringLiteral("new.TLV"))), recordBytes(designState()));
}

void TestSystemFile::longerFileKeepsItsTail()
{
    QByteArray old(1000, '\0');
    for (int i = 0; i < old.size(); ++i)
        old[i] = char(i * 7 + 3);
    QVERIFY(writeAll(path(QStringLiteral("old.TLV")), old));

    MessageRecorder messages;
    ScriptedFileChooser files;
    sampleDesign(designState());
    files.answerNext(path(QStringLiteral("old.TLV")));
    saveSystem();
    const QByteArray now = readAll(path(QStringLiteral("old.TLV")));
    QCOMPARE(now.size(), 1000);
    QCOMPARE(now.left(kSystemRecordSize), recordBytes(designState()));
    QCOMPARE(now.mid(kSystemRecordSize), old.mid(kSystemRecordSize));
}

void TestSystemFile::shorterFileGrowsToOneRecord()
{
    QVERIFY(writeAll(path(QStringLiteral("short.TLV")), QByteArray(100, 'x')));
    MessageRecorder messages;
    ScriptedFileChooser files;
    files.answerNext(path(QStringLiteral("short.TLV")));
    saveSystem();
    QCOMPARE(readAll(path(QStringLiteral("short.TLV"))), recordBytes(designState()));
}

void TestSystemFile::addedExtensionNeverOverwritesUnasked()
{
    // The dialog confirmed "kept", not "kept.TLV": the existing file stays
    // until the user chooses it by its own name.
    const QByteArray old(kSystemRecordSize, 'k');
    QVERIFY(writeAll(path(QStringLiteral("kept.TLV")), old));
    MessageRecorder messages;
    ScriptedFileChooser files;
    sampleDesign(designState());
    files.answerNext(path(QStringLiteral("kept")));
    files.answerNext(path(QStringLiteral("kept.TLV")));
    messages.answerNext(MsgAnswer::Retry);
    saveSystem();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.last(),
        (Message { QStringLiteral("File Already Exists"), QStringLiteral("File Error"), MsgButtons::RetryCancel,
            MsgIcon::None, false }));
    QCOMPARE(files.requests.size(), 2);
    QCOMPARE(readAll(path(QStringLiteral("kept.TLV"))), recordBytes(designState()));

    // A name that differs only by trailing blanks was not confirmed either.
    messages.clear();
    files.answerNext(path(QStringLiteral("kept.TLV  ")));
    messages.answerNext(MsgAnswer::Cancel);
    QVERIFY(writeAll(path(QStringLiteral("kept.TLV")), old));
    saveSystem();
    QCOMPARE(messages.prompts(), QStringList { QStringLiteral("File Already Exists") });
    QCOMPARE(readAll(path(QStringLiteral("kept.TLV"))), old);

    // Cancel leaves the file as it was.
    QVERIFY(writeAll(path(QStringLiteral("kept.TLV")), old));
    files.answerNext(path(QStringLiteral("kept")));
    messages.answerNext(MsgAnswer::Cancel);
    saveSystem();
    QCOMPARE(readAll(path(QStringLiteral("kept.TLV"))), old);
}

void TestSystemFile::roundTripThroughAFile()
{
    MessageRecorder messages;
    ScriptedFileChooser files;
    sampleDesign(designState());
    const QByteArray saved = recordBytes(designState());
    files.answerNext(path(QStringLiteral("trip")));
    saveSystem();

    designState() = DesignState {};
    files.answerNext(path(QStringLiteral("trip.TLV")));
    loadSystemRecord();
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(recordBytes(designState()), saved);
    QCOMPARE(designState().driverName.text(), QStringLiteral("Woofer").leftJustified(30));
}

void TestSystemFile::cancelledDialogsTouchNothing()
{
    MessageRecorder messages;
    ScriptedFileChooser files; // no answers: every dialog is cancelled
    sampleDesign(designState());
    const QByteArray before = recordBytes(designState());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    saveSystem();
    loadSystemRecord();
    QCOMPARE(files.requests.size(), 2);
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(recordBytes(designState()), before);
    QVERIFY(QDir(m_dir.path()).isEmpty());
}

void TestSystemFile::loadOfMissingFileCreatesNothing()
{
    MessageRecorder messages;
    ScriptedFileChooser files;
    sampleDesign(designState());
    const QByteArray before = recordBytes(designState());
    files.answerNext(path(QStringLiteral("missing.TLV")));
    loadSystemRecord();
    QCOMPARE(messages.prompts(), QStringList { QStringLiteral("File Not Found") });
    QCOMPARE(messages.last().title, QStringLiteral("File Error"));
    QCOMPARE(messages.last().buttons, MsgButtons::RetryCancel);
    QVERIFY(!QFile::exists(path(QStringLiteral("missing.TLV"))));
    QCOMPARE(recordBytes(designState()), before);
}

void TestSystemFile::loadRefuses_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("prompt");

    DesignState sound;
    sampleDesign(sound);
    const QByteArray record = recordBytes(sound);
    auto withSingle = [&record](int offset, float value) {
        QByteArray bytes = record;
        const auto bits = std::bit_cast<std::uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = char(bits >> (8 * i));
        return bytes;
    };
    QByteArray infDouble = record;
    const auto bits = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity());
    for (int i = 0; i < 8; ++i)
        infDouble[offsetOf("bandFl3Input") + i] = char(bits >> (8 * i));

    const QString tooShort = QStringLiteral("Not A System File: Shorter Than 374 Bytes");
    const QString invalid = QStringLiteral("Not A System File: It Holds An Invalid Number");
    QTest::newRow("empty file") << QByteArray() << tooShort;
    QTest::newRow("one byte short") << record.left(kSystemRecordSize - 1) << tooShort;
    QTest::newRow("NaN qts") << withSingle(offsetOf("qts"), std::numeric_limits<float>::quiet_NaN()) << invalid;
    QTest::newRow("infinite L2 in the block")
        << withSingle(offsetOf("xoverL2"), std::numeric_limits<float>::infinity()) << invalid;
    QTest::newRow("infinite Double") << infDouble << invalid;
}

void TestSystemFile::loadRefuses()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, prompt);
    QVERIFY(writeAll(path(QStringLiteral("bad.TLV")), content));
    MessageRecorder messages;
    ScriptedFileChooser files;
    designState().qts = 0.7f;
    designState().measDriverName = QStringLiteral("Kept");
    const QByteArray before = recordBytes(designState());
    files.answerNext(path(QStringLiteral("bad.TLV")));
    loadSystemRecord();
    QCOMPARE(messages.prompts(), QStringList { prompt });
    QCOMPARE(messages.last().title, QStringLiteral("File Error"));
    QCOMPARE(recordBytes(designState()), before);
    QCOMPARE(readAll(path(QStringLiteral("bad.TLV"))), content);
}

void TestSystemFile::retryGoesBackToTheDialog()
{
    DesignState other;
    sampleDesign(other);
    QVERIFY(writeAll(path(QStringLiteral("good.TLV")), recordBytes(other)));
    MessageRecorder messages;
    ScriptedFileChooser files;
    files.answerNext(path(QStringLiteral("nothere.TLV")));
    files.answerNext(path(QStringLiteral("good.TLV")));
    messages.answerNext(MsgAnswer::Retry);
    loadSystemRecord();
    QCOMPARE(files.requests.size(), 2);
    QCOMPARE(messages.prompts(), QStringList { QStringLiteral("File Not Found") });
    QCOMPARE(designState().qts, 0.38f);

    // Cancel ends it: the second name is never asked for.
    messages.clear();
    files.requests.clear();
    files.answerNext(path(QStringLiteral("nothere.TLV")));
    messages.answerNext(MsgAnswer::Cancel);
    loadSystemRecord();
    QCOMPARE(files.requests.size(), 1);

    // An OK row ends it too.
    files.requests.clear();
    files.answerNext(QString(300, QLatin1Char('n')));
    saveSystem();
    QCOMPARE(messages.last().prompt, QStringLiteral("Bad File Name"));
    QCOMPARE(files.requests.size(), 1);
}

void TestSystemFile::saveRetryKeepsTheDesignOfThePress()
{
    MessageRecorder messages;
    SteppingChooser files;
    designState().qts = 0.5f;
    const QByteArray atPress = recordBytes(designState());
    const QString missingFolder = path(QStringLiteral("no/such/folder/x.TLV"));
    const QString target = path(QStringLiteral("kept.TLV"));
    files.m_steps.push_back([&] { return std::optional<QString>(missingFolder); });
    files.m_steps.push_back([&] {
        designState().qts = 0.9f; // changed while the dialog is open again
        return std::optional<QString>(target);
    });
    messages.answerNext(MsgAnswer::Retry);
    saveSystem();
    QCOMPARE(messages.prompts(), QStringList { QStringLiteral("Path Not Found") });
    QCOMPARE(readAll(target), atPress);
}

void TestSystemFile::saveFaults_data()
{
    QTest::addColumn<QString>("setup"); // what to prepare in the folder
    QTest::addColumn<QString>("chosen"); // relative to the folder unless absolute
    QTest::addColumn<QStringList>("prompts"); // any of them, as the machine allows
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("retryCancel");

    const QString pathNotFound = QStringLiteral("Path Not Found");
    const QString badName = QStringLiteral("Bad File Name");
    const QString denied = QStringLiteral("Permission Denied...Check Write Protect Tab");
    // clang-format off
    QTest::newRow("folder does not exist") << "" << "nofolder/x" << QStringList{pathNotFound} << "File Error" << true;
    QTest::newRow("a file used as a folder") << "file:plain.TLV" << "plain.TLV/x" << QStringList{pathNotFound} << "File Error" << true;
    QTest::newRow("folder chosen as the file") << "dir:box.TLV" << "box.TLV" << QStringList{"Path/File Access Error"} << "File Error" << true;
    QTest::newRow("name too long") << "" << QString(300, QLatin1Char('a')) << QStringList{badName} << "File Error" << false;
    QTest::newRow("name with a NUL") << "" << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << QStringList{badName} << "File Error" << false;
    QTest::newRow("blanks only") << "" << "   " << QStringList{badName} << "File Error" << false;
    QTest::newRow("disk full") << "limit:100" << "full.TLV" << QStringList{"Disk Full"} << "Disk Error" << true;
    QTest::newRow("disk full on a file of one record") << "limit:100,file:full.TLV" << "full.TLV" << QStringList{"Disk Full"} << "Disk Error" << true;
    // Nothing is written to a device or a pipe, nor waits on one.
    QTest::newRow("a device") << "link:full.TLV=/dev/full" << "full.TLV" << QStringList{"Path/File Access Error"} << "File Error" << true;
    QTest::newRow("a pipe") << "fifo:pipe.TLV" << "pipe.TLV" << QStringList{"Path/File Access Error"} << "File Error" << true;
    // Root may open it and the kernel refuses the data; anyone else may not open it.
    QTest::newRow("file under /proc refuses data") << "link:version.TLV=/proc/version" << "version.TLV"
                                                   << QStringList{"Device I/O Error", denied} << "Disk Error" << true;
    QTest::newRow("no new file in /sys") << "" << "/sys/tolvan-test.TLV" << QStringList{denied} << "Disk Error" << true;
    // clang-format on
}

void TestSystemFile::saveFaults()
{
    QFETCH(QString, setup);
    QFETCH(QString, chosen);
    QFETCH(QStringList, prompts);
    QFETCH(QString, title);
    QFETCH(bool, retryCancel);

    // A file-size limit of this process while Save writes (the limit's signal is ignored, as in the program).
    struct rlimit original { };
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &original), 0);
    struct rlimit limited = original;
    if (setup.startsWith(u"limit:")) {
        limited.rlim_cur = setup.section(u',', 0, 0).mid(6).toULong();
        setup = setup.section(u',', 1);
    }
    const QByteArray earlier(kSystemRecordSize, 'e');
    if (setup.startsWith(u"fifo:"))
        QCOMPARE(::mkfifo(QFile::encodeName(path(setup.mid(5))).constData(), 0600), 0);
    if (setup.startsWith(u"file:"))
        QVERIFY(writeAll(path(setup.mid(5)), setup.mid(5) == chosen ? earlier : "x"));
    else if (setup.startsWith(u"dir:"))
        QVERIFY(QDir(m_dir.path()).mkdir(setup.mid(4)));
    else if (setup.startsWith(u"link:")) {
        const QStringList parts = setup.mid(5).split(u'=');
        if (!QFileInfo::exists(parts[1]))
            QSKIP("this machine has no such device file");
        QVERIFY(QFile::link(parts[1], path(parts[0])));
    }
    if (chosen.startsWith(u"/sys") && !QFileInfo(QStringLiteral("/sys")).isDir())
        QSKIP("no /sys on this machine");

    MessageRecorder messages;
    ScriptedFileChooser files;
    QVERIFY(QDir::setCurrent(m_dir.path()));
    files.answerNext(chosen);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    saveSystem();
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &original), 0);
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(prompts.contains(messages.last().prompt), qPrintable(messages.last().prompt));
    QCOMPARE(messages.last().title, title);
    QCOMPARE(messages.last().buttons, retryCancel ? MsgButtons::RetryCancel : MsgButtons::Ok);
    QCOMPARE(messages.last().icon, MsgIcon::None);
    // A new file that could not be written is not left behind; a pipe stays a pipe.
    const QFileInfo target(path(chosen));
    if (setup.isEmpty() && limited.rlim_cur != original.rlim_cur)
        QVERIFY(!target.exists());
    if (setup.startsWith(u"fifo:")) {
        struct stat info { };
        QVERIFY(::lstat(QFile::encodeName(target.filePath()).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    }
}

void TestSystemFile::loadFaults_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("prompts"); // any of them, as the machine allows
    QTest::addColumn<QString>("title");

    // clang-format off
    QTest::newRow("file does not exist") << "" << "absent.TLV" << QStringList{"File Not Found"} << "File Error";
    QTest::newRow("folder does not exist") << "" << "nofolder/x.TLV" << QStringList{"Path Not Found"} << "File Error";
    QTest::newRow("folder chosen as the file") << "dir:box.TLV" << "box.TLV" << QStringList{"Path/File Access Error"} << "File Error";
    QTest::newRow("name too long") << "" << QString(300, QLatin1Char('a')) << QStringList{"Bad File Name"} << "File Error";
    QTest::newRow("empty name") << "" << "" << QStringList{"Bad File Name"} << "File Error";
    QTest::newRow("unreadable memory under /proc") << "" << "/proc/self/mem" << QStringList{"Device I/O Error"} << "Disk Error";
    QTest::newRow("short file under /proc") << "" << "/proc/version" << QStringList{"Not A System File: Shorter Than 374 Bytes"} << "File Error";
    // Refused before it is opened: nothing waits on a pipe, nothing reads a device's endless zeros.
    QTest::newRow("a pipe") << "fifo:pipe.TLV" << "pipe.TLV" << QStringList{"Path/File Access Error"} << "File Error";
    QTest::newRow("a device of endless zeros") << "" << "/dev/zero" << QStringList{"Path/File Access Error"} << "File Error";
    // Refused unless this process may trace process 1; then its page 0 cannot be read.
    QTest::newRow("another process's memory") << "" << "/proc/1/mem" << QStringList{"Permission Denied", "Device I/O Error"} << "Disk Error";
    // clang-format on
}

void TestSystemFile::loadFaults()
{
    QFETCH(QString, setup);
    QFETCH(QString, chosen);
    QFETCH(QStringList, prompts);
    QFETCH(QString, title);
    if (setup.startsWith(u"dir:"))
        QVERIFY(QDir(m_dir.path()).mkdir(setup.mid(4)));
    if (setup.startsWith(u"fifo:"))
        QCOMPARE(::mkfifo(QFile::encodeName(path(setup.mid(5))).constData(), 0600), 0);
    if (chosen.startsWith(u"/dev") && !QFileInfo::exists(chosen))
        QSKIP("this machine has no such device file");
    if (chosen.startsWith(u"/proc") && !QFileInfo::exists(chosen))
        QSKIP("no such file under /proc on this machine");

    MessageRecorder messages;
    ScriptedFileChooser files;
    QVERIFY(QDir::setCurrent(m_dir.path()));
    sampleDesign(designState());
    const QByteArray before = recordBytes(designState());
    files.answerNext(chosen);
    loadSystemRecord();
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(prompts.contains(messages.last().prompt), qPrintable(messages.last().prompt));
    QCOMPARE(messages.last().title, title);
    const bool okOnly = messages.last().prompt == u"Bad File Name" || messages.last().prompt == u"Permission Denied";
    QCOMPARE(messages.last().buttons, okOnly ? MsgButtons::Ok : MsgButtons::RetryCancel);
    QCOMPARE(recordBytes(designState()), before);
    if (!chosen.startsWith(u'/') && !chosen.isEmpty() && setup.isEmpty())
        QVERIFY(!QFileInfo::exists(path(chosen)));
}

void TestSystemFile::tooManyOpenFiles()
{
    struct rlimit original { };
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &original), 0);
    // Fill the descriptor table under a lowered limit, then give it back.
    struct rlimit lowered = original;
    lowered.rlim_cur = 64;
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> held;
    const int first = ::open("/dev/null", O_RDONLY);
    if (first >= 0)
        held.push_back(first);
    for (int fd; first >= 0 && (fd = ::dup(first)) >= 0;)
        held.push_back(fd);
    const int exhausted = errno;

    MessageRecorder messages;
    ScriptedFileChooser files;
    files.answerNext(path(QStringLiteral("many")));
    saveSystem();
    files.answerNext(QStringLiteral(TOLVAN_TEST_DATA "/reference_system.TLV"));
    loadSystemRecord();

    for (int fd : held)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &original);
    QCOMPARE(exhausted, EMFILE);
    QCOMPARE(messages.prompts(), (QStringList { QStringLiteral("Too Many Files"), QStringLiteral("Too Many Files") }));
    QCOMPARE(messages.last().title, QStringLiteral("File Error"));
    QCOMPARE(messages.last().buttons, MsgButtons::Ok);
    QVERIFY(!QFile::exists(path(QStringLiteral("many.TLV"))));
}

void TestSystemFile::errorTable_data()
{
    QTest::addColumn<int>("osError");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("savePrompt");
    QTest::addColumn<bool>("saveRetry");
    QTest::addColumn<QString>("loadPrompt");
    QTest::addColumn<bool>("loadRetry");
    QTest::addColumn<QString>("title");

    const int open = int(FileStep::Open);
    const int transfer = int(FileStep::Transfer);
    QTest::newRow("EINVAL on write") << EINVAL << transfer << "Path/File Access Error" << true
                                     << "Path/File Access Error" << true << "File Error";
    QTest::newRow("ETXTBSY") << ETXTBSY << open << "File Already Opened" << false << "File Already Opened" << false
                             << "File Error";
    QTest::newRow("EIO") << EIO << transfer << "Device I/O Error" << true << "Device I/O Error" << true << "Disk Error";
    QTest::newRow("EEXIST") << EEXIST << open << "File Already Exists" << true << "File Already Exists" << true
                            << "File Error";
    QTest::newRow("ENOSPC") << ENOSPC << transfer << "Disk Full" << true << "Disk Full" << true << "Disk Error";
    QTest::newRow("EDQUOT") << EDQUOT << transfer << "Disk Full" << true << "Disk Full" << true << "Disk Error";
    QTest::newRow("ENXIO") << ENXIO << open << "Device Unavailable Check Write Protect Tab" << true
                           << "Device Unavailable Check Write Protect Tab" << true << "Disk Error";
    QTest::newRow("EACCES") << EACCES << open << "Permission Denied...Check Write Protect Tab" << true
                            << "Permission Denied" << false << "Disk Error";
    QTest::newRow("EROFS") << EROFS << open << "Permission Denied...Check Write Protect Tab" << true
                           << "Permission Denied" << false << "Disk Error";
    QTest::newRow("ENOMEDIUM") << ENOMEDIUM << open << "Disk Not Ready" << true << "Disk Not Ready" << true
                               << "Disk Error";
    QTest::newRow("any other: EFAULT") << EFAULT << transfer
                                       << QStringLiteral("Device Error  %1 Has Occured").arg(EFAULT) << false
                                       << QStringLiteral("Device Error  %1 Has Occured").arg(EFAULT) << false
                                       << "Device Error";
}

void TestSystemFile::errorTable()
{
    QFETCH(int, osError);
    QFETCH(int, step);
    QFETCH(QString, savePrompt);
    QFETCH(bool, saveRetry);
    QFETCH(QString, loadPrompt);
    QFETCH(bool, loadRetry);
    QFETCH(QString, title);
    const Message save = fileErrorMessage(osError, FileStep(step), true, FileProcedure::Save);
    const Message load = fileErrorMessage(osError, FileStep(step), true, FileProcedure::Load);
    QCOMPARE(save.prompt, savePrompt);
    QCOMPARE(save.buttons, saveRetry ? MsgButtons::RetryCancel : MsgButtons::Ok);
    QCOMPARE(load.prompt, loadPrompt);
    QCOMPARE(load.buttons, loadRetry ? MsgButtons::RetryCancel : MsgButtons::Ok);
    QCOMPARE(save.title, title);
    QCOMPARE(load.title, title);
}

QTEST_GUILESS_MAIN(TestSystemFile)
#include "tst_systemfile.moc"
