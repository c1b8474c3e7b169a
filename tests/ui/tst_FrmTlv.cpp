// The main window: its controls where and as they are declared, the start-up,
// the windows it opens, help, Print Box Data and Exit; Save System and Load
// System with the kept curves beside the system file.
#include "core/designstate.h"
#include "core/printerentry.h"
#include "core/systemfile.h"
#include "graph/keptcurvefile.h"
#include "platform/printers.h"
#include "platform/unitchoice.h"
#include "support/pdfoutput.h"
#include "support/printerrecorder.h"
#include "support/windowtest.h"
#include "ui/FrmBand.h"
#include "ui/FrmTlv.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

class TestFrmTlv : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        keptCurves().clear();
        m_main = new FrmTlv;
        m_main->show();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }

    void hasItsCaptionAndName();
    void buttonsAtTheirPlaces_data();
    void buttonsAtTheirPlaces();
    void buttonsInDeclaredOrder();
    void labels();
    void captionsUseTimesNewRoman();
    void startUpSetsStartValues();
    void closedBoxTwiceShowsOneWindow();
    void inductorDesignSetsCoilSource();
    void buttonOpensItsWindow_data();
    void buttonOpensItsWindow();
    void helpOpensContents();
    void exitClosesEveryWindow_data();
    void exitClosesEveryWindow();
    void loadSystemRecomputesBandPa();
    void systemFileKeepsItsBytesInEitherUnits_data();
    void systemFileKeepsItsBytesInEitherUnits();
    void unitsAreChosenInTheMenuAndRemembered();
    void keptCurvesGoBesideTheSystemFile_data();
    void keptCurvesGoBesideTheSystemFile();
    void printBoxDataChoosesAPrinterThenPrints_data();
    void printBoxDataChoosesAPrinterThenPrints();

private:
    FrmTlv* m_main = nullptr;
};

void TestFrmTlv::hasItsCaptionAndName()
{
    QCOMPARE(m_main->objectName(), QStringLiteral("FrmTlv"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Version 2.1 32 Bit"));
}

void TestFrmTlv::buttonsAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Command9") << "Command9"
                              << "Save System" << QRect(6120, 6000, 2532, 612);
    QTest::newRow("Command6") << "Command6"
                              << "Help" << QRect(6120, 5160, 2532, 612);
    QTest::newRow("Command4") << "Command4"
                              << "Print Box Data" << QRect(6120, 4320, 2532, 612);
    QTest::newRow("btn_Coil") << "btn_Coil"
                              << "Inductor Design" << QRect(6120, 3480, 2532, 612);
    QTest::newRow("Command8") << "Command8"
                              << "Compensating Net." << QRect(6120, 2640, 2532, 612);
    QTest::newRow("btnCross") << "btnCross"
                              << "Crossover" << QRect(6120, 1800, 2532, 612);
    QTest::newRow("BtnExit") << "BtnExit"
                             << "Exit" << QRect(3840, 6000, 1812, 612);
    QTest::newRow("BtnLoad") << "BtnLoad"
                             << "Load System" << QRect(840, 6000, 2532, 612);
    QTest::newRow("BtnSpeaker") << "BtnSpeaker"
                                << "Speaker Parameters" << QRect(840, 5160, 2532, 612);
    QTest::newRow("BtnBP") << "BtnBP"
                           << "Bandpass" << QRect(840, 4320, 2532, 612);
    QTest::newRow("BtnPR") << "BtnPR"
                           << "Passive Radiator" << QRect(840, 3480, 2532, 612);
    QTest::newRow("BtnVB") << "BtnVB"
                           << "Vented Box" << QRect(840, 2640, 2532, 612);
    QTest::newRow("BtnCB") << "BtnCB"
                           << "Closed Box" << QRect(840, 1800, 2532, 612);
}

void TestFrmTlv::buttonsAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    auto* button = m_main->findChild<QPushButton*>(name);
    QVERIFY2(button, qPrintable(name));
    QCOMPARE(button->text(), caption);
    m_main->resize(DesignWindow::twipsToPixels(0, 0, 9480, 7080).size());
    QTRY_COMPARE(button->geometry(), DesignWindow::twipsToPixels(twips.x(), twips.y(), twips.width(), twips.height()));
}

void TestFrmTlv::buttonsInDeclaredOrder()
{
    QStringList names;
    for (QPushButton* b : m_main->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
        names << b->objectName();
    QCOMPARE(names,
        (QStringList { "Command9", "Command6", "Command4", "btn_Coil", "Command8", "btnCross", "BtnExit", "BtnLoad",
            "BtnSpeaker", "BtnBP", "BtnPR", "BtnVB", "BtnCB" }));
}

void TestFrmTlv::labels()
{
    const QStringList expected { "Tolvan", "By", "Varnolt" };
    int previousTop = -1;
    for (int i = 0; i < 3; ++i) {
        auto* label = m_main->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
        QVERIFY(label);
        QCOMPARE(label->text(), expected.at(i));
        QVERIFY(label->y() > previousTop); // title, then "By" below it, then the maker
        previousTop = label->y();
    }
}

void TestFrmTlv::captionsUseTimesNewRoman()
{
    auto* button = m_main->findChild<QPushButton*>(QStringLiteral("BtnCB"));
    QCOMPARE(button->font().family(), QStringLiteral("Times New Roman"));
    // With the metric-compatible fonts installed the face resolves to a serif.
    const QString resolved = QFontInfo(button->font()).family();
    QVERIFY2(resolved.contains(QStringLiteral("Times"), Qt::CaseInsensitive)
            || resolved.contains(QStringLiteral("Liberation Serif"), Qt::CaseInsensitive),
        qPrintable(resolved));
}

void TestFrmTlv::startUpSetsStartValues()
{
    DesignState& s = designState();
    s.xoverType = XoverType::ThreeWay6dB;
    s.boxValid = 1;
    s.bandValid = 1;
    s.boxType = BoxType::Radiator;
    s.isoFactor = 0.5f;
    s.bandIsoFactor = 0.5f;
    s.qts = 0.4f;
    FrmTlv second;
    QCOMPARE(s.xoverType, XoverType::None);
    QCOMPARE(s.boxValid, std::int16_t(0));
    QCOMPARE(s.bandValid, std::int16_t(0));
    QCOMPARE(s.boxType, BoxType::None);
    QCOMPARE(s.isoFactor, 1.0f);
    QCOMPARE(s.bandIsoFactor, 1.0f);
    QCOMPARE(s.qts, 0.4f); // everything else is left alone
}

void TestFrmTlv::closedBoxTwiceShowsOneWindow()
{
    auto* button = m_main->findChild<QPushButton*>(QStringLiteral("BtnCB"));
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow()->objectName() == u"frmClose");
    QTest::mouseClick(button, Qt::LeftButton);
    QList<QWidget*> closed;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == u"frmClose" && w->isVisible())
            closed << w;
    QCOMPARE(closed.size(), 1);
}

void TestFrmTlv::inductorDesignSetsCoilSource()
{
    designState().coilSource = CoilSource::TakeL1L2;
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("btn_Coil")), Qt::LeftButton);
    QCOMPARE(designState().coilSource, CoilSource::TakeNothing);
}

void TestFrmTlv::buttonOpensItsWindow_data()
{
    QTest::addColumn<QString>("window"); // the row is the button
    QTest::newRow("BtnPR") << "frmRadiator";
    QTest::newRow("BtnBP") << "FrmBand";
    QTest::newRow("btnCross") << "frmCross";
    QTest::newRow("Command8") << "FmNet";
    QTest::newRow("btn_Coil") << "frmCoil";
    QTest::newRow("BtnVB") << "frmVented";
    QTest::newRow("BtnSpeaker") << "frmSpeaker";
}

void TestFrmTlv::buttonOpensItsWindow()
{
    QFETCH(QString, window);
    QTest::mouseClick(m_main->findChild<QPushButton*>(QTest::currentDataTag()), Qt::LeftButton);
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow()->objectName() == window);
    // F1 there opens the window's own help topic.
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_F1);
    QCOMPARE(help().topics, QStringList { window });
    QVERIFY(!helpTopicHtml(window).isEmpty());
}

void TestFrmTlv::helpOpensContents()
{
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("Command6")), Qt::LeftButton);
    QTest::keyClick(m_main, Qt::Key_F1);
    QCOMPARE(help().topics, (QStringList { kHelpContents, "FrmTlv" })); // the button, then F1
}

void TestFrmTlv::exitClosesEveryWindow_data()
{
    QTest::addColumn<QString>("design"); // "", "changed", or a design left open in the vented window
    QTest::addColumn<QString>("command"); // "exit", "frame" (the main window closed), "save, exit", "load"
    QTest::addColumn<int>("answer"); // to "save before you exit?"
    QTest::addColumn<QString>("file"); // chosen for Save System; empty: the dialog is cancelled
    QTest::addColumn<bool>("ends"); // the program ends (a load: the file is asked for)
    const int save = int(MsgAnswer::Save), discard = int(MsgAnswer::Discard), cancel = int(MsgAnswer::Cancel);
    QTest::newRow("unchanged: no question") << ""
                                            << "exit" << cancel << "" << true;
    QTest::newRow("changed, discarded") << "changed"
                                        << "exit" << discard << "" << true;
    QTest::newRow("changed, cancelled") << "changed"
                                        << "exit" << cancel << "" << false;
    QTest::newRow("changed, saved") << "changed"
                                    << "exit" << save << "kept.TLV" << true;
    QTest::newRow("changed, save cancelled") << "changed"
                                             << "exit" << save << "" << false;
    QTest::newRow("changed, save failing") << "changed"
                                           << "exit" << save << "missing/kept.TLV" << false;
    QTest::newRow("handed over on closing") << "vented"
                                            << "exit" << save << "kept.TLV" << true;
    QTest::newRow("frame closed, cancelled") << "changed"
                                             << "frame" << cancel << "" << false;
    QTest::newRow("a curve kept, cancelled") << "kept"
                                             << "exit" << cancel << "" << false;
    QTest::newRow("a curve kept, saved") << "kept"
                                         << "exit" << save << "kept.TLV" << true;
    // Cancel leaves the window open with its design and typed texts.
    QTest::newRow("a design left open, cancelled") << "vented"
                                                   << "exit" << cancel << "" << false;
    // Save System saves what the open window would hand over on Exit.
    QTest::newRow("saved, then Exit: no question") << "vented"
                                                   << "save, exit" << cancel << "kept.TLV" << true;
    QTest::newRow("load over a changed design, cancelled") << "vented"
                                                           << "load" << cancel << "" << false;
    QTest::newRow("load over a changed design, discarded") << "vented"
                                                           << "load" << discard << "" << true;
}

void TestFrmTlv::exitClosesEveryWindow()
{
    QFETCH(QString, design);
    QFETCH(QString, command);
    QFETCH(int, answer);
    QFETCH(QString, file);
    QFETCH(bool, ends);
    QTemporaryDir dir;
    files().answerNext(file.isEmpty() ? std::nullopt : std::optional(dir.filePath(file)));
    messages().answerNext(MsgAnswer(answer));
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("BtnVB")), Qt::LeftButton);
    QTRY_VERIFY(QApplication::activeWindow() && QApplication::activeWindow()->objectName() == u"frmVented");
    auto* vented = QApplication::activeWindow();
    const QStringList typed { ".4", "2", "30" };
    if (design == "vented") {
        vented->findChild<QLineEdit*>("szQts")->setText(typed[0]);
        vented->findChild<QLineEdit*>("szVas")->setText(typed[1]);
        vented->findChild<QLineEdit*>("szFar")->setText(typed[2]);
        QTest::mouseClick(vented->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        vented->findChild<QLineEdit*>("szWoofBox")->setText("Kept open");
    } else if (design == "kept") {
        DesignState vented = designState();
        std::tie(vented.boxValid, vented.boxType, vented.fs, vented.qts, vented.vas, vented.closedVb, vented.ventedFb)
            = std::tuple(1, BoxType::Vented, 30.0f, 0.4f, 2.0f, 2.16f, 28.74f);
        keepCurve(keptCurves(), curveToKeep(vented));
    } else if (!design.isEmpty()) {
        designState().qts = 0.4f;
    }
    const DesignState before = designState();
    const auto click = [this](const char* button) {
        QTest::mouseClick(m_main->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    };
    if (command == "frame")
        m_main->close();
    else if (command == "load")
        click("BtnLoad"); // a file dialog cancelled after the question
    else if (command == "save, exit") {
        click("Command9"); // saves the name and the volume the open vented window shows
        QVERIFY(!designChangedSinceKept());
        QCOMPARE(designState().driverName.trimmed(), QString("Kept open"));
        QVERIFY(qAbs(designState().closedVb - 2.1629f) < 0.0001f);
        QVERIFY(vented->isVisible());
        click("BtnExit");
    } else
        click("BtnExit");

    const bool asked = !design.isEmpty() && command != "save, exit";
    QCOMPARE(messages().shown.size(), int(asked) + int(file.startsWith("missing")));
    const bool programEnds = ends && command != "load";
    QCOMPARE(m_main->isVisible(), !programEnds);
    QCOMPARE(designChangedSinceKept(), !design.isEmpty() && !(ends && file == "kept.TLV"));
    if (design == "vented" && file == "kept.TLV")
        QCOMPARE(designState().boxType, BoxType::Vented); // saved with the vented design
    if (programEnds) {
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w == m_main || !w->isVisible(), qPrintable(w->objectName()));
    } else {
        // Nothing closed, nothing handed over: the window shows what was typed.
        QVERIFY(vented->isVisible());
        QCOMPARE(designState().boxType, before.boxType);
        if (design == "vented")
            QCOMPARE(QStringList({ vented->findChild<QLineEdit*>("szQts")->text(),
                         vented->findChild<QLineEdit*>("szWoofBox")->text() }),
                QStringList({ typed[0], "Kept open" }));
    }
}

void TestFrmTlv::loadSystemRecomputesBandPa()
{
    // The file holds the bandpass inputs but not Pa, which the graph draws at.
    QTemporaryDir dir;
    const QString path = dir.filePath("BAND.TLV");
    DesignState& s = designState();
    s.bandQts = 0.5f;
    s.bandFs = 25;
    s.bandFl3 = 25;
    s.bandValid = 1;
    files().answerNext(path);
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("Command9")), Qt::LeftButton);
    s.bandPa = 0;
    files().answerNext(path);
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("BtnLoad")), Qt::LeftButton);
    QVERIFY(qAbs(s.bandPa - 1.5517) < 0.00005);

    s.bandPa = 3; // a cancelled load changes nothing
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("BtnLoad")), Qt::LeftButton);
    QCOMPARE(s.bandPa, 3.0);
}

// A system file loaded and saved without edits keeps every byte, in Metric as
// in Imperial; with a window open that shows stored values (the bandpass
// window hands its inputs over on Save), Metric saves what Imperial saves,
// also when the units were switched with the window open.
void TestFrmTlv::systemFileKeepsItsBytesInEitherUnits_data()
{
    QTest::addColumn<bool>("bandpass"); // the bandpass window open
    QTest::addColumn<bool>("switched"); // Metric chosen with the window open
    QTest::newRow("no window open") << false << false;
    QTest::newRow("the bandpass window open") << true << false;
    QTest::newRow("switched with the bandpass window open") << true << true;
}

void TestFrmTlv::systemFileKeepsItsBytesInEitherUnits()
{
    QFETCH(bool, bandpass);
    QFETCH(bool, switched);
    QTemporaryDir dir;
    QFile reference(TOLVAN_TEST_DATA "/reference_system.TLV");
    QVERIFY(reference.open(QIODevice::ReadOnly));
    const QByteArray original = reference.readAll();
    QByteArray saved[2];
    for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
        delete existingWindow<FrmBand>();
        setUnitSystem(switched ? UnitSystem::Imperial : system);
        const QString in = dir.filePath(unitSystemName(system) + ".TLV");
        QVERIFY(QFile::copy(reference.fileName(), in));
        files().answerNext(in);
        QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("BtnLoad")), Qt::LeftButton);
        if (bandpass)
            QVERIFY(QTest::qWaitForWindowActive(openWindow<FrmBand>()));
        chooseUnits(system);
        const QString out = dir.filePath(unitSystemName(system) + "-saved.TLV");
        files().answerNext(out);
        QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("Command9")), Qt::LeftButton);
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        saved[int(system)] = file.readAll();
    }
    QVERIFY(messages().shown.isEmpty());
    QCOMPARE(saved[1].size(), original.size());
    QCOMPARE(saved[1], saved[0]);
    if (!bandpass)
        QCOMPARE(saved[1], original);
}

// The main window's menu and its shortcuts choose the units; the choice is
// remembered with the settings once the program remembers them.
void TestFrmTlv::unitsAreChosenInTheMenuAndRemembered()
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    rememberUnitChoice(true);
    auto* metric = m_main->findChild<QAction*>(QStringLiteral("unitsMetric"));
    auto* imperial = m_main->findChild<QAction*>(QStringLiteral("unitsImperial"));
    QVERIFY(metric && imperial && m_main->actions().contains(metric));
    QVERIFY(imperial->isChecked() && !metric->isChecked());
    QTest::keyClick(m_main, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(unitSystem(), UnitSystem::Metric);
    QVERIFY(metric->isChecked() && !imperial->isChecked());
    QCOMPARE(QSettings(QSettings::UserScope, "Tolvan", "Tolvan").value("units").toString(), QString("metric"));
    // The next start takes the choice back.
    setUnitSystem(UnitSystem::Imperial);
    rememberUnitChoice(true);
    QCOMPARE(unitSystem(), UnitSystem::Metric);
    imperial->trigger();
    QCOMPARE(unitSystem(), UnitSystem::Imperial);
    QCOMPARE(QSettings(QSettings::UserScope, "Tolvan", "Tolvan").value("units").toString(), QString("imperial"));
    rememberUnitChoice(false);
    metric->trigger();
    QCOMPARE(QSettings(QSettings::UserScope, "Tolvan", "Tolvan").value("units").toString(), QString("imperial"));
}

void TestFrmTlv::keptCurvesGoBesideTheSystemFile_data()
{
    QTest::addColumn<int>("kept"); // curves kept when saving
    QTest::addColumn<QString>("beside"); // what happens to the file beside it before the load
    QTest::addColumn<int>("loaded"); // curves kept after the load
    QTest::addColumn<bool>("message"); // one message naming the file beside it
    QTest::newRow("two kept, saved and loaded") << 2 << "" << 2 << false;
    QTest::newRow("none kept: none written") << 0 << "" << 0 << false;
    QTest::newRow("none kept: an old one removed") << 0 << "old" << 0 << false;
    QTest::newRow("none kept: one that cannot be read stays") << 0 << "unreadable" << 0 << false;
    QTest::newRow("missing") << 2 << "removed" << 0 << false;
    QTest::newRow("damaged") << 2 << "damaged" << 0 << true;
    QTest::newRow("not kept curves") << 2 << "other" << 0 << true;
}

void TestFrmTlv::keptCurvesGoBesideTheSystemFile()
{
    QFETCH(int, kept);
    QFETCH(QString, beside);
    QFETCH(int, loaded);
    QFETCH(bool, message);
    QTemporaryDir dir;
    ScriptedFileChooser files;
    const QString system = dir.filePath("woofer.TLV");
    const QString companion = dir.filePath("woofer.TLV.compare.json");
    DesignState& s = designState();
    std::tie(s.boxValid, s.boxType, s.fs, s.qts, s.vas, s.closedVb, s.isoFactor, s.ventedFb)
        = std::tuple(1, BoxType::Vented, 30.0f, 0.4f, 2.0f, 2.16f, 1.0f, 28.74f);
    for (int i = 0; i < kept; ++i) {
        s.closedVb = 2.16f * (1 + 0.2f * float(i));
        keepCurve(keptCurves(), curveToKeep(s));
    }
    const KeptCurves saved = keptCurves();
    // An earlier save's curves, or a file this version cannot read (a later version's).
    const QByteArray unreadable = R"({"format": "tolvan-kept-curves", "version": 3, "curves": []})";
    if (beside == "old" || beside == "unreadable") {
        QFile file(companion);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(beside == "old" ? keptCurvesJson(KeptCurves { *curveToKeep(s) }) : unreadable);
    }
    files.answerNext(system);
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("Command9")), Qt::LeftButton);
    QCOMPARE(QFileInfo(system).size(), 374);
    QCOMPARE(QFileInfo::exists(companion), kept > 0 || beside == "unreadable");
    if (beside == "unreadable") {
        QFile file(companion);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), unreadable); // never deleted nor overwritten
        return;
    }
    QVERIFY(!designChangedSinceKept());

    if (beside == "removed")
        QVERIFY(QFile::remove(companion));
    if (beside == "damaged" || beside == "other") {
        QFile file(companion);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(beside == "damaged" ? "{\"format\": \"tolvan-kept-cur" : R"({"name": "Example W10", "fs": 30})");
    }
    keptCurves().clear();
    s = DesignState();
    noteDesignKept(); // nothing to ask about before the load
    messages().clear();
    files.answerNext(system);
    QTest::mouseClick(m_main->findChild<QPushButton*>(QStringLiteral("BtnLoad")), Qt::LeftButton);
    QCOMPARE(s.closedVb, 2.16f * (1 + 0.2f * float(std::max(kept - 1, 0)))); // the design is loaded
    QCOMPARE(keptCurves().size(), loaded);
    if (loaded)
        QCOMPARE(keptCurves(), saved);
    QCOMPARE(messages().shown.size(), int(message));
    if (message)
        QVERIFY2(messages().last().prompt.contains(QDir::toNativeSeparators(companion)),
            qPrintable(messages().last().prompt));
    QVERIFY(!designChangedSinceKept());
}

void TestFrmTlv::printBoxDataChoosesAPrinterThenPrints_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("boxValid");
    QTest::addColumn<QString>("expected"); // empty: no file
    QTest::addColumn<QStringList>("said");
    QTest::newRow("cancelled") << true << 1 << "" << QStringList {};
    // Said before any printer is chosen.
    QTest::newRow("nothing handed over") << false << 0 << "" << QStringList { "Nothing to Print: Design a Box First" };
    QTest::newRow("closed box") << false << 1 << "Closed Box Design" << QStringList {};
}

void TestFrmTlv::printBoxDataChoosesAPrinterThenPrints()
{
    QFETCH(bool, cancel);
    QFETCH(int, boxValid);
    QFETCH(QString, expected);
    QFETCH(QStringList, said);
    PrinterRecorder printers;
    QTemporaryDir dir;
    const QString file = dir.filePath("box.pdf");
    if (cancel)
        printers.answerCancel();
    else
        printers.answerPdfFile(file);
    DesignState& s = designState();
    s.boxType = BoxType::Closed;
    s.boxValid = static_cast<std::int16_t>(boxValid);
    s.isoFactor = 1;
    s.qts = 0.35f, s.vas = 2, s.fs = 30, s.closedVb = 0.65f, s.closedFc = 65;
    QTest::mouseClick(m_main->findChild<QPushButton*>("Command4"), Qt::LeftButton);
    QCOMPARE(printers.requests, said.isEmpty() ? 1 : 0);
    QCOMPARE(messages().prompts(), said);
    if (!said.isEmpty())
        QCOMPARE(messages().last().shownTitle(), QString("Tolvan"));
    // The start-up's default printer, taken by the first print command that chooses a printer.
    if (printers.requests == 1)
        QCOMPARE(s.printerName, printerNameFromDeviceEntry(defaultPrinterEntry(), QString()));
    QCOMPARE(QFile::exists(file), !expected.isEmpty());
    if (!expected.isEmpty())
        QVERIFY(pdfText(file).contains(expected));
}

QTEST_MAIN(TestFrmTlv)
#include "tst_FrmTlv.moc"
