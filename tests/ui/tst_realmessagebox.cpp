// With the program's real message boxes: a box shown by a window's activation
// is shown once. Closing it gives the window back its activation from Qt, which
// must not run the window's activation (and its box) again.
#include "core/designstate.h"
#include "platform/qtservices.h"
#include "support/windowtest.h"
#include "ui/frmClose.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>
#include <QtTest>

class TestRealMessageBox : public WindowTest {
    Q_OBJECT
private slots:
    void activationMessageShowsOnce();
};

void TestRealMessageBox::activationMessageShowsOnce()
{
    allowModalDialogs();
    QtMessageService real;
    MessageService* previous = installMessageService(&real);
    auto restore = qScopeGuard([&] { installMessageService(previous); });
    DesignState& s = designState();
    s.qts = 0.35f;
    s.vas = 2.0f;
    s.fs = 30.0f;
    s.closedQtc = 1.6f; // outside 0.5 to 1.5: the activation complains

    QStringList seen;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    closer.start(20);

    frmClose* w = openWindow<frmClose>();
    QTRY_VERIFY(!seen.isEmpty());
    QTest::qWait(300); // time enough for a loop of boxes to show itself
    // A window manager gives the activation back to the window when the box closes.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::qWait(300);
    QCOMPARE(seen, QStringList { QStringLiteral("Must be between .5 and 1.5") });
}

QTEST_MAIN(TestRealMessageBox)
#include "tst_realmessagebox.moc"
