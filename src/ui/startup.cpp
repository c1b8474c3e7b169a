#include "ui/startup.h"

#include "core/designstate.h"
#include "design/systemload.h"
#include "ui/FrmTlv.h"

QString startFileArgument(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == u"--")
            return i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (!arguments[i].startsWith(u'-'))
            return arguments[i];
    }
    return {};
}

FrmTlv* startTolvan(const QStringList& arguments)
{
    auto* main = new FrmTlv;
    main->show();
    const QString file = startFileArgument(arguments);
    if (!file.isEmpty())
        loadSystemFile(file);
    return main;
}
