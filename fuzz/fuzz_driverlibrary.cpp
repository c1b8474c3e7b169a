// Any file read as a driver library, or imported as JSON or CSV: no crash,
// every record that comes out valid, everything written read back the same.
// A library file that cannot be used is said once and never written; one
// that can is kept with a driver stored into it.
#include "core/driverlibrary.h"
#include "core/messages.h"
#include "fuzzsupport.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace {

QVector<DriverRecord> records(const DriverFileContents& contents)
{
    QVector<DriverRecord> out;
    for (const DriverEntry& entry : contents.drivers) {
        if (!driverProblem(entry.record).isEmpty())
            std::abort(); // an invalid record passed as valid
        out.append(entry.record);
    }
    return out;
}

// What a reader accepted, written in either form, reads back unchanged.
void checkRoundTrip(const QVector<DriverRecord>& drivers)
{
    for (const DriverFileKind kind : { DriverFileKind::Json, DriverFileKind::Csv }) {
        const DriverFileContents again = readDriverFile(writeDriverFile(drivers, kind), kind);
        if (again.status != DriverFileContents::Status::Read || !again.refused.isEmpty() || records(again) != drivers)
            std::abort();
    }
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryDir& folder = scratchFolder();
    static CountingMessages messages(MsgAnswer::No);
    static const bool installed = (installMessageService(&messages), true);
    (void)installed;

    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const DriverFileKind kind : { DriverFileKind::Json, DriverFileKind::Csv }) {
        const DriverFileContents contents = readDriverFile(bytes, kind);
        if (contents.status != DriverFileContents::Status::Read && contents.problem.isEmpty())
            std::abort(); // refused without a reason
        checkRoundTrip(records(contents));
    }

    const QString path = folder.filePath(QStringLiteral("drivers.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(bytes);
    file.close();

    messages.shown = 0;
    DriverLibrary library(path);
    const bool usable = library.refresh();
    library.refresh();
    if (messages.shown != (usable ? 0 : 1))
        std::abort(); // said once, and only about a file that cannot be used
    DriverRecord driver;
    driver.name = QStringLiteral("fuzz driver");
    driver.fs = 30;
    driver.qts = 0.4;
    driver.vas = 2;
    const qsizetype before = library.drivers().size();
    const DriverChange stored = library.store(driver, DriverLibrary::Existing::Replace);
    if (!usable) {
        if (stored.done() || readAll(path) != bytes)
            std::abort(); // a file that cannot be used was written
        return 0;
    }
    if (!stored.done() || library.drivers().size() < before || library.find(driver.name) != driver)
        std::abort();
    DriverLibrary reread(path);
    if (!reread.refresh() || reread.drivers() != library.drivers())
        std::abort();
    return 0;
}
