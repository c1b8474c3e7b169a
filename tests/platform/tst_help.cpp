// The help: a contents page, one topic per window, links that lead somewhere,
// and a viewer window that shows them.
#include "platform/help.h"

#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void contentsAndMainWindowTopicsExist_data();
    void contentsAndMainWindowTopicsExist();
    void everyLinkLeadsToATopic();
    void everyTopicIsReachableFromContents();
    void viewerShowsTopicAndFallsBackToContents();
};

void TestHelp::contentsAndMainWindowTopicsExist_data()
{
    QTest::addColumn<QString>("topic");
    for (const char* t : { "contents", "FrmTlv", "input" })
        QTest::newRow(t) << t;
}

void TestHelp::contentsAndMainWindowTopicsExist()
{
    QFETCH(QString, topic);
    const QString html = helpTopicHtml(topic);
    QVERIFY(html.contains(QStringLiteral("<h1>")));
}

static QStringList linksOf(const QString& html)
{
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)\\.html"));
    for (const auto& m : href.globalMatch(html))
        links << m.captured(1);
    return links;
}

void TestHelp::everyLinkLeadsToATopic()
{
    const QStringList topics = helpTopics();
    for (const QString& topic : topics)
        for (const QString& link : linksOf(helpTopicHtml(topic)))
            QVERIFY2(topics.contains(link), qPrintable(topic + " links to missing " + link));
}

void TestHelp::everyTopicIsReachableFromContents()
{
    const QStringList linked = linksOf(helpTopicHtml(kHelpContents));
    for (const QString& topic : helpTopics())
        if (topic != kHelpContents)
            QVERIFY2(linked.contains(topic), qPrintable(topic + " is not on the contents page"));
}

void TestHelp::viewerShowsTopicAndFallsBackToContents()
{
    showHelp(QStringLiteral("FrmTlv"));
    QTextBrowser* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!browser)
            browser = w->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("The main window")));
    showHelp(QStringLiteral("no such topic"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Tolvan Help")));
    QCOMPARE(browser->window()->windowTitle(), QStringLiteral("Tolvan Help"));
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
