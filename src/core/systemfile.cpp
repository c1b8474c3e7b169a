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

namespace {

const QString kFilter = QStringLiteral("*.TLV");

bool folderExists(const QString& path)
{
    if (path.contains(QChar(0))) // not a name at all; the file system is not asked
        return false;
    return QFileInfo(path).absoluteDir().exists();
}

// Retry goes back to the file dialog; every other answer ends the procedure.
bool userRetries(const Message& message)
{
    return showMessage(message) == MsgAnswer::Retry;
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

} // namespace

void saveSystem()
{
    FileChooser* chooser = fileChooser();
    if (!chooser)
        return;
    // Taken once: a retry saves the design as it was when Save was pressed.
    const SystemRecord record = encodeSystemRecord(designState());
    const FileDialogRequest request{QStringLiteral(" Save A File "), kFilter, kFilter, true};
    for (;;) {
        const std::optional<QString> chosen = chooser->choose(request);
        if (!chosen)
            return;
        const QString path = systemFileName(*chosen);
        const std::optional<FileFailure> failure = writeRecordFile(path, record);
        if (!failure)
            return;
        if (!userRetries(fileErrorMessage(failure->osError, failure->step, folderExists(path), FileProcedure::Save)))
            return;
    }
}

void loadSystem()
{
    FileChooser* chooser = fileChooser();
    if (!chooser)
        return;
    const FileDialogRequest request{QStringLiteral(" Open A File "), kFilter, kFilter, false};
    for (;;) {
        const std::optional<QString> chosen = chooser->choose(request);
        if (!chosen)
            return;
        const RecordRead read = readRecordFile(*chosen);
        const std::optional<Message> problem = loadProblem(*chosen, read);
        // The design changes only when the whole record was read and is sound.
        if (!problem) {
            decodeSystemRecord(read.record, designState());
            return;
        }
        if (!userRetries(*problem))
            return;
    }
}
