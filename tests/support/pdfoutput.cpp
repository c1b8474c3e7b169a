#include "support/pdfoutput.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Where the PDF printer puts its files for the user running the tests.
QStringList pdfPrinterFolders()
{
    QStringList folders;
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        static const QRegularExpression out(QStringLiteral(R"(^\s*Out\s+(\S+))"), QRegularExpression::MultilineOption);
        const auto match = out.match(QString::fromUtf8(conf.readAll()));
        if (match.hasMatch())
            folders << match.captured(1)
                           .replace(QStringLiteral("${HOME}"), QDir::homePath())
                           .replace(QStringLiteral("${USER}"), qEnvironmentVariable("USER", QStringLiteral("root")));
    }
    folders << QDir::homePath() + QStringLiteral("/PDF") << QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")
            << QStringLiteral("/var/spool/cups-pdf/") + qEnvironmentVariable("USER", QStringLiteral("root"));
    return folders;
}
} // namespace

QString pdfText(const QString& file)
{
    return run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), file, QStringLiteral("-") });
}

int pdfPageCount(const QString& file)
{
    static const QRegularExpression pages(QStringLiteral(R"(^Pages:\s+(\d+))"), QRegularExpression::MultilineOption);
    const auto match = pages.match(run(QStringLiteral("pdfinfo"), { file }));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool havePdfPrinter()
{
    return !run(QStringLiteral("lpstat"), { QStringLiteral("-p"), QStringLiteral("PDF") }).isEmpty();
}

QString waitForPrintedPdf(const QString& token, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        for (const QString& folder : pdfPrinterFolders()) {
            QDirIterator it(folder, { QStringLiteral("*") + token + QStringLiteral("*.pdf") }, QDir::Files);
            if (it.hasNext()) {
                const QString file = it.next();
                // cups-pdf writes the file in place; wait until it has settled.
                const qint64 size = QFileInfo(file).size();
                QTest::qWait(500);
                if (size > 0 && QFileInfo(file).size() == size)
                    return file;
            }
        }
        QTest::qWait(200);
    }
    return {};
}

QString waitForPrintedText(const QString& jobName, const QString& token, int timeoutMs)
{
    // cups-pdf writes blanks in job names as underscores.
    const QString pattern = QString(jobName).replace(QLatin1Char(' '), QLatin1Char('_'));
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString file = waitForPrintedPdf(pattern, int(std::max<qint64>(1, deadline.remainingTime())));
        if (file.isEmpty())
            break;
        const QString text = pdfText(file);
        QFile::remove(file);
        if (text.contains(token))
            return text;
    }
    return {};
}

QString uniqueToken(const QString& prefix)
{
    return QStringLiteral("%1%2x%3")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}
