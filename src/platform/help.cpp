#include "platform/help.h"

#include "platform/windowplaces.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString kHelpRoot = QStringLiteral(":/help/");

QUrl topicUrl(const QString& topic)
{
    const QString name = helpTopicHtml(topic).isEmpty() ? kHelpContents : topic;
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(name));
}

// The help window: the topic, with Back, Forward and Home (the contents)
// above it; it opens at the size the user last gave it.
class HelpWindow final : public QWidget {
public:
    HelpWindow()
        : QWidget(nullptr, Qt::Window)
    {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Tolvan Help"));
        browser = new QTextBrowser(this);
        browser->setObjectName(QStringLiteral("HelpBrowser"));
        browser->setSearchPaths({ kHelpRoot });
        browser->setOpenExternalLinks(false);

        auto* buttons = new QHBoxLayout;
        const auto button = [this, buttons](const char* name, const QString& caption, auto action) {
            auto* b = new QPushButton(caption, this);
            b->setObjectName(QString::fromLatin1(name));
            connect(b, &QPushButton::clicked, browser, action);
            buttons->addWidget(b);
            return b;
        };
        QPushButton* back = button("btnBack", tr("Back"), &QTextBrowser::backward);
        QPushButton* forward = button("btnForward", tr("Forward"), &QTextBrowser::forward);
        button("btnHome", tr("Home"), [this] { browser->setSource(topicUrl(kHelpContents)); });
        buttons->addStretch();
        back->setEnabled(false);
        forward->setEnabled(false);
        connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
        connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(4, 4, 4, 0);
        layout->addLayout(buttons);
        layout->addWidget(browser);
        resize(640, 560);
        restoreWindowPlace(this);
    }
    QTextBrowser* browser = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        saveWindowPlace(this);
        QWidget::closeEvent(event);
    }
};

// The built-in viewer: one help window, reused, that follows links between topics.
class BuiltInHelpViewer final : public HelpViewer {
public:
    void showTopic(const QString& topic, QWidget* owner) override
    {
        Q_UNUSED(owner);
        if (!m_window)
            m_window = new HelpWindow;
        m_window->browser->setSource(topicUrl(topic));
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

private:
    QPointer<HelpWindow> m_window;
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
