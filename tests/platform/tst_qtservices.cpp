// The program's real message box: title, prompt, icon and buttons as the
// message describes them, the answer of the button pressed, and its place
// over the window that shows it.
#include "platform/qtservices.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <optional>

class TestQtServices : public QObject {
    Q_OBJECT
private slots:
    void messageBoxShowsTheMessage_data();
    void messageBoxShowsTheMessage();
};

void TestQtServices::messageBoxShowsTheMessage_data()
{
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("window"); // a window of the program is active
    QTest::newRow("error") << msg::error(QStringLiteral("Must be between .5 and 1.5")) << "Error"
                           << int(QMessageBox::Warning) << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                           << int(MsgAnswer::Ok) << false;
    QTest::newRow("plain has the application title")
        << msg::plain(QStringLiteral("No Printer Selected")) << "Tolvan" << int(QMessageBox::NoIcon)
        << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(MsgAnswer::Ok) << false;
    const Message retry { QStringLiteral("File Not Found"), QStringLiteral("File Error"), MsgButtons::RetryCancel,
        MsgIcon::None, false };
    QTest::newRow("retry") << retry << "File Error" << int(QMessageBox::NoIcon)
                           << int(QMessageBox::Retry | QMessageBox::Cancel) << int(QMessageBox::Retry)
                           << int(MsgAnswer::Retry) << false;
    QTest::newRow("cancel") << retry << "File Error" << int(QMessageBox::NoIcon)
                            << int(QMessageBox::Retry | QMessageBox::Cancel) << int(QMessageBox::Cancel)
                            << int(MsgAnswer::Cancel) << false;
    const Message stop { QStringLiteral("Stop"), QStringLiteral("ERROR"), MsgButtons::Ok, MsgIcon::Stop, true };
    QTest::newRow("stop icon") << stop << "ERROR" << int(QMessageBox::Critical) << int(QMessageBox::Ok)
                               << int(QMessageBox::Ok) << int(MsgAnswer::Ok) << false;
    QTest::newRow("over its window") << msg::plain(QStringLiteral("Nothing to Print: Design a Box First")) << "Tolvan"
                                     << int(QMessageBox::NoIcon) << int(QMessageBox::Ok) << int(QMessageBox::Ok)
                                     << int(MsgAnswer::Ok) << true;
}

void TestQtServices::messageBoxShowsTheMessage()
{
    QFETCH(Message, message);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    QFETCH(bool, window);

    // A window away from the middle of the screen.
    std::optional<QWidget> shows;
    if (window) {
        shows.emplace();
        shows->setGeometry(40, 60, 700, 500);
        shows->show();
        QApplication::setActiveWindow(&*shows);
        QVERIFY(QTest::qWaitForWindowActive(&*shows));
    }
    QString seenTitle, seenText;
    int seenIcon = -1, seenButtons = -1;
    QPoint offCentre(-1000, -1000);
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (shows)
            offCentre = box->geometry().center() - shows->geometry().center();
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        seenButtons = box->standardButtons();
        box->button(QMessageBox::StandardButton(press))->click();
    });
    QtMessageService service;
    const MsgAnswer got = service.show(message);
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenText, message.prompt);
    QCOMPARE(seenIcon, icon);
    QCOMPARE(seenButtons, buttons);
    QCOMPARE(int(got), answer);
    if (shows)
        QCOMPARE_LE(offCentre.manhattanLength(), 4);
}

QTEST_MAIN(TestQtServices)
#include "tst_qtservices.moc"
