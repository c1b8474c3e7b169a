// The crossover selector and the passive 2-way window through their
// controls: the slope chosen in the selector, the worked examples as the
// fields show them, each field's change rule, activation from a stored design
// (again with the other slope), and what Graph, L Design and Exit leave in the
// design state.
#include "core/designstate.h"
#include "graph/CBGRAPH1.h"
#include "graph/curves.h"
#include "platform/pictures.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/recorders.h"
#include "ui/boxwindowprobe.h"
#include "ui/frmCross.h"
#include "ui/frmXover.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kResults { "szL1", "szC1", "szL2", "szC2" };
} // namespace

class TestFrmXover : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void selectorButtonsAndSlope_data();
    void selectorButtonsAndSlope();
    void controlsAndCaptions();
    void typedDesign_data();
    void typedDesign();
    void wooferWithoutTweeterStillDesigns();
    void refusedInputsKeepTheLastResults_data();
    void refusedInputsKeepTheLastResults();
    void activationShowsTheStoredDesignAgainWithTheOtherSlope();
    void programWriteOfTheSameTextRunsNothing();
    void exitLeavesTheKindOfDesign_data();
    void exitLeavesTheKindOfDesign();
    void graphAndInductorNeedAValidDesign();
    void printedPageReadBack_data();
    void printedPageReadBack();
    void printWithoutADesignOnlyMovesTheFocus();

private:
    void typeExample(const char* f = "2000");
    MessageRecorder* m_messages = nullptr;
    WindowProbe<frmXover> w;
};

void TestFrmXover::init()
{
    m_messages = new MessageRecorder;
    designState() = DesignState();
    applyStartValues(designState());
}

void TestFrmXover::cleanup()
{
    deleteAllWindows();
    delete m_messages;
}

void TestFrmXover::typeExample(const char* f)
{
    w.type("szFrq", f);
    w.type("szRl", "8");
    w.type("szRh", "8");
}

void TestFrmXover::selectorButtonsAndSlope_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("slopeBefore");
    QTest::addColumn<int>("slopeAfter");
    QTest::addColumn<bool>("opensTwoWay");

    QTest::newRow("6 dB 2 way") << "btn6db2p" << 1 << 0 << true;
    QTest::newRow("12 dB 2 way") << "btn12db2p" << 0 << 1 << true;
    QTest::newRow("6 dB 3 way") << "btn6db3p" << 1 << 0 << false;
    QTest::newRow("12 dB 3 way") << "btn12db3p" << 0 << 1 << false;
    QTest::newRow("active 2 way keeps the slope") << "btn6db2a" << 1 << 1 << false;
    QTest::newRow("active 3 way keeps the slope") << "btn6db3a" << 0 << 0 << false;
}

void TestFrmXover::selectorButtonsAndSlope()
{
    QFETCH(QString, button);
    QFETCH(int, slopeBefore);
    QFETCH(int, slopeAfter);
    QFETCH(bool, opensTwoWay);

    WindowProbe<frmCross> selector;
    selector.open();
    QCOMPARE(selector.window()->windowTitle(), QString("   "));
    QVERIFY(selector.captions().contains("Passive and Active"));
    QVERIFY(selector.captions().contains("Crossover Design"));
    designState().xoverIs12dB = std::int16_t(slopeBefore);
    selector.click(button);
    QCOMPARE(int(designState().xoverIs12dB), slopeAfter);
    QCOMPARE(existingWindow<frmXover>() != nullptr, opensTwoWay);
    QVERIFY(existingWindow<frmCross>()); // stays open behind
}

void TestFrmXover::controlsAndCaptions()
{
    w.open();
    QCOMPARE(w.window()->windowTitle(), QString("Passive 2 Way Crossover Design"));
    for (const char* caption : { "Crossover Frequency:", "Enter Woofer Impedance:", "Enter Tweeter Impedance:", "L1 =",
             "C1 =", "L2 =", "C2 =", "Hz", "Ohms", "mH", "uF" })
        QVERIFY2(w.captions().contains(caption), caption);
    QCOMPARE(w.buttonRow(), (QStringList { "btnGraph=Graph", "LDesign=L Design", "btnPrint=Print", "btnExit=Exit" }));
    const QPalette result = w.field("szL1")->palette();
    QCOMPARE(result.color(QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(result.color(QPalette::Base).blue() > 100 && result.color(QPalette::Base).red() == 0, true);
    // Enter moves szFrq -> szRl -> szRh -> szFrq.
    w.field("szFrq")->setFocus(Qt::TabFocusReason);
    for (const char* next : { "szRl", "szRh", "szFrq" }) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.focused(), QString(next));
    }
}

void TestFrmXover::typedDesign_data()
{
    QTest::addColumn<int>("is12dB");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("picture");

    QTest::newRow("6 dB") << 0 << QStringList { ".637", "9.9375", "N/A", "N/A" } << "p26.bmp";
    QTest::newRow("12 dB") << 1 << QStringList { "1.273", "4.9736", "1.273", "4.9736" } << "p212.bmp";
}

void TestFrmXover::typedDesign()
{
    QFETCH(int, is12dB);
    QFETCH(QStringList, shown);
    QFETCH(QString, picture);

    designState().xoverIs12dB = std::int16_t(is12dB);
    w.open();
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), picture);
    QVERIFY(!compiledPicture(picture).isEmpty());
    typeExample();
    QCOMPARE(w.texts(kResults), shown);
    const DesignState& s = designState();
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, std::int16_t(is12dB ? 2 : 1));
    QCOMPARE(s.xoverFreq, 2000.0f);
    QCOMPARE(s.xoverRl, 8.0f);
    QCOMPARE(s.xoverRh, 8.0f);
    QCOMPARE(s.xoverL1, float(is12dB ? 8 * 0.3183 / 2000 * 1000 : 8 / (2000 * 6.28) * 1000)); // as computed
    QCOMPARE(s.xoverL2, is12dB ? float(8 * 0.3183 / 2000 * 1000) : 0.0f); // 6 dB leaves it
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmXover::wooferWithoutTweeterStillDesigns()
{
    designState().xoverIs12dB = 1;
    w.open();
    w.type("szFrq", "2000");
    w.type("szRl", "8");
    QCOMPARE(w.texts(kResults), (QStringList { "1.273", "", "", "4.9736" }));
    QCOMPARE(designState().designValid, std::int16_t(1));
    QCOMPARE(designState().xoverRh, 0.0f);
}

void TestFrmXover::refusedInputsKeepTheLastResults_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty frequency") << "szFrq"
                                     << "";
    QTest::newRow("negative woofer") << "szRl"
                                     << "-8";
    QTest::newRow("letters in the tweeter") << "szRh"
                                            << "eight";
    QTest::newRow("1e-40 Hz would overflow") << "szFrq"
                                             << "1e-40";
}

void TestFrmXover::refusedInputsKeepTheLastResults()
{
    QFETCH(QString, field);
    QFETCH(QString, text);

    designState().xoverIs12dB = 1;
    w.open();
    typeExample();
    w.type(field, text);
    QCOMPARE(w.texts(kResults), (QStringList { "1.273", "4.9736", "1.273", "4.9736" }));
    QCOMPARE(designState().designValid, std::int16_t(0));
    QVERIFY(std::isfinite(designState().xoverL1) && std::isfinite(designState().xoverC1));
    w.click("btnExit");
    QCOMPARE(designState().xoverType, std::int16_t(0));
    QVERIFY(m_messages->shown.isEmpty());
}

void TestFrmXover::activationShowsTheStoredDesignAgainWithTheOtherSlope()
{
    DesignState& s = designState();
    s.xoverFreq = 2000;
    s.xoverRl = 8;
    s.xoverRh = 8;
    WindowProbe<frmCross> selector;
    selector.open();
    selector.click("btn12db2p");
    QVERIFY(QTest::qWaitForWindowActive(existingWindow<frmXover>()));
    w.open();
    QCOMPARE(w.texts({ "szFrq", "szRl", "szRh" }), (QStringList { " 2000", " 8", " 8" }));
    QCOMPARE(w.texts(kResults), (QStringList { "1.273", "4.9736", "1.273", "4.9736" }));
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, std::int16_t(2));
    QCOMPARE(w.focused(), QString("szFrq"));

    selector.open();
    selector.click("btn6db2p");
    QVERIFY(QTest::qWaitForWindowActive(existingWindow<frmXover>()));
    QCOMPARE(w.texts(kResults), (QStringList { ".637", "9.9375", "N/A", "N/A" }));
    QCOMPARE(w.window()->findChild<PictureBox*>("Image1")->picture(), QString("p26.bmp"));
    QCOMPARE(s.designValid, std::int16_t(1));
    QCOMPARE(s.xoverType, std::int16_t(1));
}

void TestFrmXover::programWriteOfTheSameTextRunsNothing()
{
    w.open();
    typeExample();
    DesignState& s = designState();
    s.xoverFreq = 1000; // a rule that ran would store 2000 again
    w.type("szFrq", "2000");
    QCOMPARE(s.xoverFreq, 1000.0f);
    w.type("szFrq", "2000.0");
    QCOMPARE(s.xoverFreq, 2000.0f);
}

void TestFrmXover::exitLeavesTheKindOfDesign_data()
{
    QTest::addColumn<int>("is12dB");
    QTest::addColumn<int>("type");
    QTest::newRow("6 dB") << 0 << 1;
    QTest::newRow("12 dB") << 1 << 2;
}

void TestFrmXover::exitLeavesTheKindOfDesign()
{
    QFETCH(int, is12dB);
    QFETCH(int, type);
    designState().xoverIs12dB = std::int16_t(is12dB);
    w.open();
    typeExample();
    designState().xoverType = 0;
    w.click("btnExit");
    QCOMPARE(int(designState().xoverType), type);
    QCOMPARE(designState().designValid, std::int16_t(0));
    QTRY_VERIFY(!existingWindow<frmXover>());
}

void TestFrmXover::graphAndInductorNeedAValidDesign()
{
    designState().xoverIs12dB = 1;
    w.open();
    DesignState& s = designState();
    s.graphDrawn = 1;
    w.click("btnGraph");
    w.click("LDesign");
    QVERIFY(!existingWindow<CBGRAPH1>());
    QCOMPARE(s.coilSource, std::int16_t(0));

    typeExample();
    w.click("btnGraph");
    QVERIFY(existingWindow<CBGRAPH1>());
    QCOMPARE(s.graphDrawn, std::int16_t(0));
    QCOMPARE(computeCurves(s).crossovers.size(), 2); // woofer and tweeter
    w.click("LDesign");
    QCOMPARE(s.coilSource, std::int16_t(2));
}

void TestFrmXover::printedPageReadBack_data()
{
    QTest::addColumn<int>("is12dB");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("picture");

    const QStringList common { "Crossover Frequency = 2000 Hz", "Woofer Impedance = 8 Ohms",
        "Tweeter Impedance = 8 Ohms" };
    QTest::newRow("6 dB") << 0
                          << QStringList { "Passive 2 Way Crossover Design (6 DB)" } + common
            + QStringList { "L1 = .637 mH", "C1 = 9.9375 uF" }
                          << "P26.BMP";
    QTest::newRow("12 dB") << 1
                           << QStringList { "Passive 2 Way Crossover Design (12 DB)" } + common
            + QStringList { "L1 = 1.273 mH", "C1 = 4.9736 uF", "L2 = 1.273 mH", "C2 = 4.9736 uF" }
                           << "P212.BMP";
}

void TestFrmXover::printedPageReadBack()
{
    QFETCH(int, is12dB);
    QFETCH(QStringList, lines);
    QFETCH(QString, picture);

    designState().xoverIs12dB = std::int16_t(is12dB);
    w.open();
    typeExample();
    const ReportLayout layout = w.window()->reportLayout();
    QCOMPARE(layout.title, lines.first());
    QCOMPARE(QPointF(layout.titleX, layout.titleY), QPointF(200, 1800));
    QCOMPARE(layout.lines.size(), lines.size() - 1);
    for (int i = 0; i < layout.lines.size(); ++i)
        QCOMPARE(QPointF(layout.lines[i].x, layout.lines[i].y), QPointF(300, 1600 - 100 * i));
    QCOMPARE(layout.lines[0].text, QString("Crossover Frequency = 2000 Hz")); // the field as typed
    QCOMPARE(layout.pictures.size(), 1);
    QCOMPARE(QRectF(layout.pictures[0].x, layout.pictures[0].y, layout.pictures[0].width, layout.pictures[0].height),
        QRectF(0, 100, 1500, 900));
    QCOMPARE(layout.pictures[0].file, picture);
    QVERIFY(!compiledPicture(picture).isEmpty());

    QTemporaryDir dir;
    PrinterRecorder printers;
    const QString file = dir.filePath("xover.pdf");
    printers.answerPdfFile(file);
    w.click("btnPrint");
    QCOMPARE(w.focused(), QString("szFrq"));
    const QString text = pdfText(file).simplified();
    for (const QString& line : lines)
        QVERIFY2(text.contains(line), qPrintable(line + "\n" + text));
    QCOMPARE(text.contains("N/A"), false);
}

void TestFrmXover::printWithoutADesignOnlyMovesTheFocus()
{
    w.open();
    w.type("szFrq", "2000");
    PrinterRecorder printers;
    w.field("szRl")->setFocus(Qt::TabFocusReason);
    w.click("btnPrint");
    QCOMPARE(printers.requests, 0);
    QCOMPARE(w.focused(), QString("szFrq"));
}

QTEST_MAIN(TestFrmXover)
#include "tst_frmXover.moc"
