#include "core/systemfile.h"

#include "core/designstate.h"
#include "core/filechooser.h"
#include "core/fileerrors.h"
#include "core/messages.h"
#include "core/recordfile.h"
#include "core/systemfilename.h"
#include "core/systemrecord.h"

#include <QDir>

#include <QFileInfo>
#include <cerrno>

#include <functional>
#include <optional>
#include <utility>

namespace {

const QString kFilter = QStringLiteral("*.TLV");

bool folderExists(const QString& path)
{
    if (path.contains(QChar(0))) // not a name at all; the file system is not asked
        return false;
    return QFileInfo(path).absoluteDir().exists();
}

std::optional<Message> loadProblem(const QString& path, const RecordRead& read)
{
    if (read.failure)
        return fileErrorMessage(read.failure->osError, read.failure->step, folderExists(path), FileProcedure::Load);
    if (read.bytesRead < kSystemRecordSize)
        return shortFileMessage();
    if (!systemRecordIsFinite(read.record))
        return nonFiniteRecordMessage();
    return std::nullopt;
}

using Attempt = std::function<std::optional<Message>(const QString& chosen)>;

// Asks for a name and tries it until an attempt succeeds (no message), the
// dialog is cancelled, or a message is answered with anything but Retry.
// A name given beforehand is tried first; Retry then asks as usual.
// True when an attempt succeeded.
bool untilDoneOrGivenUp(
    const FileDialogRequest& request, const Attempt& attempt, const std::optional<QString>& givenName = std::nullopt)
{
    if (givenName) {
        const std::optional<Message> problem = attempt(*givenName);
        if (!problem)
            return true;
        if (showMessage(*problem) != MsgAnswer::Retry)
            return false;
    }
    FileChooser* chooser = fileChooser();
    if (!chooser)
        return false;
    for (;;) {
        const std::optional<QString> chosen = chooser->choose(request);
        if (!chosen)
            return false;
        const std::optional<Message> problem = attempt(*chosen);
        if (!problem)
            return true;
        if (showMessage(*problem) != MsgAnswer::Retry)
            return false;
    }
}

SystemFileCompanion* g_companion = nullptr;

const FileDialogRequest kOpenRequest { QStringLiteral(" Open A File "), kFilter, kFilter, false, QString() };

// The record of a file into `state`; the message when it cannot be read.
// The state changes only when the whole record was read and is sound.
std::optional<Message> decodeFrom(const QString& chosen, DesignState& state)
{
    const RecordRead read = readRecordFile(chosen);
    const std::optional<Message> problem = loadProblem(chosen, read);
    if (!problem)
        decodeSystemRecord(read.record, state);
    return problem;
}

std::optional<Message> loadFrom(const QString& chosen)
{
    const std::optional<Message> problem = decodeFrom(chosen, designState());
    if (!problem) {
        countDesignLoad();
        if (g_companion)
            g_companion->loaded(chosen);
        noteDesignKept();
    }
    return problem;
}

// The record as last saved or loaded.
SystemRecord& keptRecord()
{
    static SystemRecord record = encodeSystemRecord(DesignState());
    return record;
}

} // namespace

SystemFileCompanion* installSystemFileCompanion(SystemFileCompanion* companion)
{
    return std::exchange(g_companion, companion);
}

bool designChangedSinceKept()
{
    return encodeSystemRecord(designState()) != keptRecord() || (g_companion && g_companion->changedSinceKept());
}

void noteDesignKept()
{
    keptRecord() = encodeSystemRecord(designState());
    if (g_companion)
        g_companion->noteKept();
}

bool saveSystem()
{
    // Taken once: a retry saves the design as it was when Save was pressed.
    const SystemRecord record = encodeSystemRecord(designState());
    QString written;
    // The dialog adds ".TLV" to a bare name itself, so it asks about the right file.
    const bool saved
        = untilDoneOrGivenUp({ QStringLiteral(" Save A File "), kFilter, kFilter, true, QStringLiteral("TLV") },
            [&record, &written](const QString& chosen) -> std::optional<Message> {
                const QString path = systemFileName(chosen);
                // An existing file under a name with ".TLV" added here was never
                // confirmed in the dialog: Retry lets the user choose it there
                // (the dialog then asks) or type another name.
                if (path != chosen && QFileInfo::exists(path))
                    return fileErrorMessage(FileErrorRow::FileAlreadyExists, FileProcedure::Save, EEXIST);
                const std::optional<FileFailure> failure = writeRecordFile(path, record);
                if (!failure) {
                    written = path;
                    return std::nullopt;
                }
                return fileErrorMessage(failure->osError, failure->step, folderExists(path), FileProcedure::Save);
            });
    if (!saved)
        return false;
    keptRecord() = record;
    return !g_companion || g_companion->saved(written);
}

bool loadSystemRecord() { return untilDoneOrGivenUp(kOpenRequest, loadFrom); }

bool loadSystemRecordFile(const QString& path) { return untilDoneOrGivenUp(kOpenRequest, loadFrom, path); }

namespace {
std::optional<QString> readInto(
    DesignState& state, const QString& title, const std::optional<QString>& path = std::nullopt)
{
    FileDialogRequest request = kOpenRequest;
    request.title = title;
    QString read;
    const bool done = untilDoneOrGivenUp(
        request,
        [&state, &read](const QString& chosen) {
            const std::optional<Message> problem = decodeFrom(chosen, state);
            if (!problem)
                read = chosen;
            return problem;
        },
        path);
    return done ? std::optional(read) : std::nullopt;
}
} // namespace

std::optional<QString> readSystemRecordInto(DesignState& state, const QString& title) { return readInto(state, title); }

std::optional<QString> readSystemRecordFileInto(const QString& path, DesignState& state)
{
    return readInto(state, kOpenRequest.title, path);
}
