#include "platform/pagesave.h"

#include "core/filechooser.h"
#include "core/messages.h"
#include "platform/pageoutput.h"

#include <QDir>
#include <QFileInfo>

namespace {
struct PageFormat {
    const char* name;
    const char* filter;
    const char* suffix;
};
const PageFormat kFormats[] = {
    { "PNG", "PNG Image (*.png)", "png" },
    { "SVG", "SVG Drawing (*.svg)", "svg" },
    { "PDF", "PDF Document (*.pdf)", "pdf" },
};
} // namespace

QString savePageAction(PageFile kind, const QString& what)
{
    return QStringLiteral("Save %1 as %2...").arg(what, QString::fromLatin1(kFormats[int(kind)].name));
}

bool savePageAs(const Page& page, PageFile kind, const QString& what, const PageFileSizes& sizes)
{
    FileChooser* chooser = fileChooser();
    if (page.isEmpty() || !chooser)
        return false;
    const PageFormat& format = kFormats[int(kind)];
    const QString suffix = QString::fromLatin1(format.suffix);
    const auto chosen = chooser->choose({ QStringLiteral("Save ") + what, QString::fromLatin1(format.filter),
        what.toLower() + u'.' + suffix, true, suffix });
    if (!chosen || chosen->isEmpty())
        return false;
    QString fileName = *chosen;
    // The dialog adds the suffix itself before it asks about overwriting; a
    // name from elsewhere without one gets it here.
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += u'.' + suffix;

    QString problem;
    const bool saved = savePageFile(page, fileName, sizes.png, sizes.svg, &problem);
    if (!saved)
        showMessage(msg::error(QStringLiteral("The %1 could not be saved as %2: %3. Choose another file name or "
                                              "folder.")
                                   .arg(what.toLower(), QDir::toNativeSeparators(fileName), problem)));
    return saved;
}
