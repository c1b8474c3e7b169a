#pragma once
// The help viewer: the help is a set of HTML topics compiled into the program,
// one per window plus a contents page, shown in a help window of our own.
// Tests install a recorder in place of the viewer.

#include <QString>

class QWidget;

inline const QString kHelpContents = QStringLiteral("contents");

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Shows a topic ("contents", "FrmTlv", "frmClose", ...).
    virtual void showTopic(const QString& topic, QWidget* owner) = 0;
};

HelpViewer* helpViewer(); // the one installed; the built-in viewer if none
HelpViewer* installHelpViewer(HelpViewer* viewer); // returns the previous one
void showHelp(const QString& topic = kHelpContents, QWidget* owner = nullptr);

// The HTML of a topic, empty when there is no such topic.
QString helpTopicHtml(const QString& topic);
QStringList helpTopics();
