#include "platform/help.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString kHelpRoot = QStringLiteral(":/help/");

// The built-in viewer: one help window, reused, that follows links between topics.
class BuiltInHelpViewer final : public HelpViewer {
public:
    void showTopic(const QString& topic, QWidget* owner) override
    {
        Q_UNUSED(owner);
        if (!m_window) {
            m_window = new QWidget(nullptr, Qt::Window);
            m_window->setObjectName(QStringLiteral("HelpWindow"));
            m_window->setAttribute(Qt::WA_DeleteOnClose);
            m_window->setWindowTitle(QStringLiteral("Tolvan Help"));
            auto* layout = new QVBoxLayout(m_window);
            layout->setContentsMargins(0, 0, 0, 0);
            m_browser = new QTextBrowser(m_window);
            m_browser->setObjectName(QStringLiteral("HelpBrowser"));
            m_browser->setSearchPaths({ kHelpRoot });
            m_browser->setOpenExternalLinks(false);
            layout->addWidget(m_browser);
            m_window->resize(640, 560);
        }
        const QString name = helpTopicHtml(topic).isEmpty() ? kHelpContents : topic;
        m_browser->setSource(QUrl(QStringLiteral("qrc:/help/%1.html").arg(name)));
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

private:
    QPointer<QWidget> m_window;
    QTextBrowser* m_browser = nullptr;
};

HelpViewer* g_viewer = nullptr;

} // namespace

HelpViewer* helpViewer()
{
    static BuiltInHelpViewer builtIn;
    return g_viewer ? g_viewer : &builtIn;
}

HelpViewer* installHelpViewer(HelpViewer* viewer)
{
    HelpViewer* previous = g_viewer;
    g_viewer = viewer;
    return previous;
}

void showHelp(const QString& topic, QWidget* owner) { helpViewer()->showTopic(topic, owner); }

QString helpTopicHtml(const QString& topic)
{
    QFile file(kHelpRoot + topic + QStringLiteral(".html"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList helpTopics()
{
    QStringList topics;
    for (const QString& name : QDir(kHelpRoot).entryList({ QStringLiteral("*.html") }, QDir::Files, QDir::Name))
        topics << name.chopped(5);
    return topics;
}
