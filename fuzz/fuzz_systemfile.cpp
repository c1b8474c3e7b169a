// Any file chosen in "Load System": it is loaded or refused with a message,
// never a crash, never a NaN or an infinity in the design state, and a refused
// file leaves the design state as it was. A loaded record saves back unchanged.
#include "core/designstate.h"
#include "core/filechooser.h"
#include "core/messages.h"
#include "core/numberformat.h"
#include "core/systemfile.h"
#include "core/systemrecord.h"
#include "design/systemload.h"
#include "fuzzsupport.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace {

class FixedChooser final : public FileChooser {
public:
    std::optional<QString> choose(const FileDialogRequest&) override
    {
        ++asked;
        return path;
    }
    QString path;
    int asked = 0;
};

// The record read by the list of saved variables, not by the reader: every
// Single and Double finite, and every Single shown as a number.
bool recordIsFinite(const SystemRecord& record)
{
    const DesignState blank;
    for (const SavedVariable& variable : savedVariables()) {
        const bool finite = visitSaved(blank, variable, [&record, &variable](const auto& kind) {
            using T = std::remove_cvref_t<decltype(kind)>;
            if constexpr (std::is_floating_point_v<T>) {
                T value;
                std::memcpy(&value, record.data() + variable.offset, sizeof value);
                if (!std::isfinite(value))
                    return false;
                // A loaded Single is shown by its text when a window next opens.
                if constexpr (std::is_same_v<T, float>) {
                    const QString text = numberText(value);
                    return text != kOverflowText && text != kUndefinedText;
                }
            }
            return true;
        });
        if (!finite)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTemporaryDir& folder = scratchFolder();
    static CountingMessages messages(MsgAnswer::Cancel); // a Retry box is answered Cancel: no second dialog
    static FixedChooser chooser;
    static const bool installed = (installMessageService(&messages), installFileChooser(&chooser), true);
    (void)installed;

    chooser.path = folder.filePath(QStringLiteral("fuzz.TLV"));
    QFile file(chooser.path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    DesignState& state = designState();
    state = DesignState {};
    applyStartValues(state);
    const SystemRecord before = encodeSystemRecord(state);
    messages.shown = 0;
    chooser.asked = 0;

    const bool loaded = loadSystem();

    const SystemRecord after = encodeSystemRecord(state);
    if (chooser.asked != 1 || messages.shown > 1 || loaded != (messages.shown == 0))
        std::abort(); // one dialog, at most one message (no loop), success told as it is
    if (messages.shown == 1) {
        if (after != before)
            std::abort(); // refused, yet the design changed
        return 0;
    }
    // Loaded: the whole record, bit for bit, and nothing that is not a number.
    if (size < std::size_t(kSystemRecordSize) || std::memcmp(after.data(), data, kSystemRecordSize) != 0)
        std::abort();
    if (!recordIsFinite(after))
        std::abort();
    // Saved again, the file holds the same record.
    chooser.path = folder.filePath(QStringLiteral("saved.TLV"));
    QFile::remove(chooser.path);
    saveSystem();
    QFile saved(chooser.path);
    if (messages.shown != 0 || !saved.open(QIODevice::ReadOnly)
        || saved.readAll() != QByteArray(reinterpret_cast<const char*>(data), kSystemRecordSize))
        std::abort();
    return 0;
}
