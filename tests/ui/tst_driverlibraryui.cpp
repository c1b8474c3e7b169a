// The driver library in the real windows: picking fills a window's driver
// fields and nothing else (a value the driver lacks leaves its field),
// Calculate then designs the worked example; a driver measured in the
// measurement window is saved and picked in the vented window; saving asks
// before replacing and keeps what the window has no field for, merged with
// what another copy saved while the question was open; the refusals;
// completion on the name field; the button in the name field that opens the
// pick list, which leads on to the managing dialog with its import and
// export and its columns as wide as they need; an edit that meets another
// copy's change.
#include "core/designstate.h"
#include "core/driverlibrary.h"
#include "design/workedexamples.h"
#include "support/windowtest.h"
#include "ui/FmNet.h"
#include "ui/FrmBand.h"
#include "ui/FrmTlv.h"
#include "ui/driverdialogs.h"
#include "ui/driverlibraryui.h"
#include "ui/frmAnalysis.h"
#include "ui/frmClose.h"
#include "ui/frmRadiator.h"
#include "ui/frmSpeaker.h"
#include "ui/frmVented.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Texts = QMap<QString, QString>; // field -> text

// The library's example driver is the vented box's worked example.
const worked::Vented& kVented = worked::kVented[0];
const QString kPressCalculate = "Press Calculate first: the driver is saved with the values that Calculate shows.";
const QStringList kVentedShown { "szVvb", "szVover", "szFb", "szF3", "szH", "szH1", "szW1", "szD1" };

DriverRecord exampleDriver()
{
    DriverRecord driver;
    driver.name = "Example W10";
    driver.manufacturer = "Example";
    driver.fs = 30;
    driver.qts = 0.4;
    driver.vas = 2;
    driver.re = 6.2;
    driver.qes = 0.45;
    driver.sd = 330;
    driver.xmax = 6;
    return driver;
}

template <class W> QWidget* open() { return WindowProbe<W>().open(); }

// The windows with a driver, by their names.
QWidget* openDriverWindow(const QString& name)
{
    return openNamed<frmClose, frmVented, frmRadiator, FrmBand, FmNet, frmSpeaker, frmAnalysis>(name);
}

QLineEdit* edit(const QWidget* window, const QString& name) { return window->findChild<QLineEdit*>(name); }

// Another running copy of the program, which changes the library while a
// question of this one is open; the question is answered `answer`.
class AnotherCopy final : public MessageService {
public:
    AnotherCopy(std::function<void()> change, MsgAnswer answer)
        : m_change(std::move(change))
        , m_answer(answer)
        , m_previous(installMessageService(this))
    {
    }
    ~AnotherCopy() override { installMessageService(m_previous); }
    MsgAnswer show(const Message& message) override
    {
        shown << message;
        if (const auto change = std::exchange(m_change, nullptr))
            change();
        return message.buttons == MsgButtons::YesNo ? m_answer : MsgAnswer::Ok;
    }
    void beep() override { }
    QVector<Message> shown;

private:
    std::function<void()> m_change;
    MsgAnswer m_answer;
    MessageService* m_previous;
};

void type(QWidget* window, const Texts& texts)
{
    for (auto it = texts.begin(); it != texts.end(); ++it)
        edit(window, it.key())->setText(it.value());
}

Texts textsOf(const QWidget* window, const QStringList& names)
{
    Texts texts;
    for (const QString& name : names)
        texts[name] = edit(window, name)->text();
    return texts;
}

void click(QWidget* window, const QString& button)
{
    QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
}

template <class D> D* openDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<D*>(w); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

class TestDriverLibraryUi : public WindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        QFile::remove(m_dir.filePath("drivers.json"));
        setDriverLibraryPath(m_dir.filePath("drivers.json"));
        QVERIFY(driverLibrary().store(exampleDriver(), DriverLibrary::Existing::Refuse).done());
    }

    void pickingFillsOnlyTheDriverFields_data();
    void pickingFillsOnlyTheDriverFields();
    void pickedFromTheListTheVentedWindowDesignsTheWorkedExample();
    void measuredDriverIsSavedAndPickedInTheVentedWindow();
    void savingAsksBeforeReplacingAndKeepsWhatTheWindowLacks_data();
    void savingAsksBeforeReplacingAndKeepsWhatTheWindowLacks();
    void savingMergesWithWhatAnotherCopySavedMeanwhile();
    void savingRefuses_data();
    void savingRefuses();
    void nameFieldCompletesWithTheValues();
    void managerAddsEditsDeletesImportsAndExports();
    void editMeetsAnotherCopysChange_data();
    void editMeetsAnotherCopysChange();
    void everyEntryIsOnTheContextMenuWithItsShortcut();
    void nameFieldButtonOpensThePickList_data();
    void nameFieldButtonOpensThePickList();

private:
    QTemporaryDir m_dir;
};

void TestDriverLibraryUi::pickingFillsOnlyTheDriverFields_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Texts>("picked");
    QTest::addColumn<QStringList>("untouched"); // results and other inputs keep their texts
    QTest::newRow("closed") << "frmClose"
                            << Texts { { "szWoofBox", "Example W10" }, { "szQts", ".4" }, { "szVas", "2" },
                                   { "szFar", "30" } }
                            << QStringList { "szQd", "szVcb", "szFc", "szISO" };
    QTest::newRow("vented") << "frmVented"
                            << Texts { { "szWoofBox", "Example W10" }, { "szQts", ".4" }, { "szVas", "2" },
                                   { "szFar", "30" } }
                            << QStringList { "szVvb", "szFb", "szLv8" };
    QTest::newRow("radiator: an unknown Vd leaves its field")
        << "frmRadiator"
        << Texts { { "szWoofBox", "Example W10" }, { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" },
               { "szVd", "1.5" } }
        << QStringList { "szVpr", "szVvb" };
    QTest::newRow("bandpass") << "FrmBand"
                              << Texts { { "szWoofBP", "Example W10" }, { "szQtsb", ".4" }, { "szVasb", "2" },
                                     { "szFarb", "30" }, { "szRdcb", "6.2" } }
                              << QStringList { "szFl3", "szVbb", "szISOB" };
    QTest::newRow("analysis: the design's Fs, Qts and Vas are not the driver's fields")
        << "frmAnalysis"
        << Texts { { "szDriver", "Example W10" }, { "szQes", ".45" }, { "szQms", "1.5" }, { "szRe", "6.2" },
               { "szLe", "1.5" }, { "szSd", "330" }, { "szXmax", "6" }, { "szPe", "1.5" } }
        << QStringList { "szFs", "szQts", "szVas", "szLevel", "szQL" };
    QTest::newRow("networks: Qms and Le unknown leave theirs")
        << "FmNet"
        << Texts { { "szName", "Example W10" }, { "szFr", "30" }, { "szQes", ".45" }, { "szQms", "1.5" },
               { "szRdc", "6.2" }, { "szL", "1.5" } }
        << QStringList { "szCnf", "szRic" };
}

void TestDriverLibraryUi::pickingFillsOnlyTheDriverFields()
{
    QFETCH(QString, window);
    QFETCH(Texts, picked);
    QFETCH(QStringList, untouched);
    QWidget* w = openDriverWindow(window);
    // The window's driver fields are the rows naming a part the driver record has.
    QStringList parts;
    for (const FieldEntry& entry : qobject_cast<DesignWindow*>(w)->fields())
        if (entry.driverPart) {
            QVERIFY2(
                driverValue(QString::fromLatin1(entry.driverPart)) || driverText(QString::fromLatin1(entry.driverPart)),
                entry.driverPart);
            parts << QString::fromLatin1(entry.name);
        }
    parts.sort();
    QCOMPARE(parts, picked.keys());
    for (const QString& name : picked.keys())
        edit(w, name)->setText("1.5");
    const Texts before = textsOf(w, untouched);
    const auto valid = designState().designValid;
    QWidget* focus = QApplication::focusWidget();
    pickDriver(w, exampleDriver());
    QCOMPARE(textsOf(w, picked.keys()), picked);
    QCOMPARE(textsOf(w, untouched), before); // nothing calculated
    QCOMPARE(designState().designValid, valid);
    QCOMPARE(QApplication::focusWidget(), focus);
    QVERIFY(messages().shown.isEmpty());
}

void TestDriverLibraryUi::pickedFromTheListTheVentedWindowDesignsTheWorkedExample()
{
    DriverRecord other = exampleDriver();
    other.name = "Another";
    other.qts = 0.3;
    QVERIFY(driverLibrary().store(other, DriverLibrary::Existing::Refuse).done());
    QWidget* vented = open<frmVented>();
    QTest::keyClick(vented, Qt::Key_L, Qt::ControlModifier);
    auto* picker = openDialog<DriverPickDialog>();
    QVERIFY(picker);
    QCOMPARE(picker->table()->view()->model()->rowCount(), 2);
    QTest::keyClicks(picker->table()->filter(), "exa w1");
    QCOMPARE(picker->table()->view()->model()->rowCount(), 1);
    QTest::keyClick(picker->table()->filter(), Qt::Key_Return);
    QTRY_VERIFY(!openDialog<DriverPickDialog>());
    QCOMPARE(edit(vented, "szVvb")->text(), QString()); // nothing calculated yet
    click(vented, "Command1");
    Texts example { { "szLv15", kVented.ports[3] }, { "szLv8", kVented.ports[8] } };
    for (int i = 0; i < kVentedShown.size(); ++i)
        example[kVentedShown[i]] = kVented.shown[i];
    QCOMPARE(textsOf(vented, example.keys()), example);
    QVERIFY(messages().shown.isEmpty());
}

// Re 6, Fs 30, Zmax 54, f1 20, f2 45, Vt 1, Fct 49.65 measure Qts .4 and Vas 2.
void TestDriverLibraryUi::measuredDriverIsSavedAndPickedInTheVentedWindow()
{
    QWidget* speaker = open<frmSpeaker>();
    type(speaker,
        { { "szWoofTest", "Measured" }, { "szRdct", "6" }, { "szFrt", "30" }, { "szIfr", "54" }, { "szFlt", "20" },
            { "szFht", "45" }, { "szVtbt", "1" }, { "szFrtbt", "49.65" } });
    click(speaker, "Command2");
    QCOMPARE(textsOf(speaker, { "szQts", "szVast" }), (Texts { { "szQts", ".4" }, { "szVast", "2." } }));
    QTest::keyClick(speaker, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const DriverRecord saved = *driverLibrary().find("measured");
    QCOMPARE(saved.qts, 0.4);
    QCOMPARE(saved.vas, 2.0);
    QCOMPARE(saved.qms, 3.6);
    QCOMPARE(saved.re, 6.0);
    type(speaker, { { "szFrt", "31" } }); // no longer what Calculate showed
    QVERIFY(!saveShownDriver(speaker));
    QCOMPARE(messages().last().prompt, kPressCalculate);
    delete speaker;
    messages().clear();

    QWidget* vented = open<frmVented>();
    pickDriver(vented, saved);
    click(vented, "Command1");
    QCOMPARE(edit(vented, "szVvb")->text(), kVented.shown[0]);
    QCOMPARE(edit(vented, "szFb")->text(), kVented.shown[2]);
    QVERIFY(messages().shown.isEmpty());
}

void TestDriverLibraryUi::savingAsksBeforeReplacingAndKeepsWhatTheWindowLacks_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<double>("le");
    QTest::newRow("replaced") << MsgAnswer::Yes << 0.7;
    QTest::newRow("kept") << MsgAnswer::No << 0.0;
}

void TestDriverLibraryUi::savingAsksBeforeReplacingAndKeepsWhatTheWindowLacks()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(double, le);
    QWidget* networks = open<FmNet>();
    type(networks,
        { { "szName", "EXAMPLE W10" }, { "szFr", "31" }, { "szRdc", "6" }, { "szL", ".7" }, { "szQes", "" } });
    messages().answerNext(answer);
    QCOMPARE(saveShownDriver(networks), answer == MsgAnswer::Yes);
    QCOMPARE(messages().shown.size(), 1);
    QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
    const DriverRecord stored = *driverLibrary().find("example w10");
    QCOMPARE(stored.le.value_or(0), le);
    QCOMPARE(stored.vas, 2.0); // the networks window has no Vas
    QCOMPARE(stored.qes, 0.45); // an empty field is no value
    QCOMPARE(stored.fs, answer == MsgAnswer::Yes ? 31.0 : 30.0);
    QCOMPARE(driverLibrary().drivers().size(), 1);
}

// While the question to replace is open, another copy saves Le and a note:
// the save merges the window's values into the driver as it is then.
void TestDriverLibraryUi::savingMergesWithWhatAnotherCopySavedMeanwhile()
{
    QWidget* networks = open<FmNet>();
    type(networks, { { "szName", "EXAMPLE W10" }, { "szFr", "31" }, { "szRdc", "6" }, { "szQes", "" }, { "szL", "" } });
    DriverRecord other = exampleDriver();
    other.le = 0.9;
    other.note = "measured";
    AnotherCopy copy(
        [&other] { QVERIFY(DriverLibrary(driverLibraryPath()).store(other, DriverLibrary::Existing::Replace).done()); },
        MsgAnswer::Yes);
    QVERIFY(saveShownDriver(networks));
    QCOMPARE(copy.shown.size(), 1);
    QVERIFY(copy.shown.first().prompt.contains("Replace its values"));
    DriverRecord both = other;
    both.name = "EXAMPLE W10";
    both.fs = 31;
    both.re = 6;
    QCOMPARE(*driverLibrary().find("example w10"), both);
}

void TestDriverLibraryUi::savingRefuses_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<Texts>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << "frmVented" << Texts { { "szWoofBox", " " }, { "szQts", ".4" } }
                             << "Type the driver's name first: the library keeps drivers by name.";
    QTest::newRow("a negative value") << "frmClose"
                                      << Texts { { "szWoofBox", "New" }, { "szQts", "-.4" }, { "szVas", "2" },
                                             { "szFar", "30" } }
                                      << "The driver cannot be saved: Qts must be above 0.";
    QTest::newRow("a new driver from the networks window")
        << "FmNet" << Texts { { "szName", "New" }, { "szFr", "30" } }
        << "The driver cannot be saved: Qts is missing.\n\nThis window has no Qts: save the driver from a box window "
           "first, or add it in the driver library (Ctrl+Shift+L).";
    QTest::newRow("measured but not calculated")
        << "frmSpeaker" << Texts { { "szWoofTest", "New" } } << kPressCalculate;
}

void TestDriverLibraryUi::savingRefuses()
{
    QFETCH(QString, window);
    QFETCH(Texts, typed);
    QFETCH(QString, message);
    QWidget* w = openDriverWindow(window);
    type(w, typed);
    QVERIFY(!saveShownDriver(w));
    QCOMPARE(messages().shown.size(), 1);
    QCOMPARE(messages().last().prompt, message);
    QCOMPARE(driverLibrary().drivers().size(), 1);
}

void TestDriverLibraryUi::nameFieldCompletesWithTheValues()
{
    QWidget* closed = open<frmClose>();
    QLineEdit* name = edit(closed, "szWoofBox");
    name->setFocus();
    QTest::keyClicks(name, "exa");
    QCompleter* completer = name->completer();
    QTRY_VERIFY(completer->popup()->isVisible());
    QCOMPARE(completer->completionCount(), 1);
    QCOMPARE(completer->popup()->model()->index(0, 0).data().toString(),
        QString::fromUtf8("Example W10 (Example) \xe2\x80\x94 Fs 30 Hz, Qts .4, Vas 2 ft\xc2\xb3"));
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    QCOMPARE(textsOf(closed, { "szWoofBox", "szQts", "szVas", "szFar" }),
        (Texts { { "szWoofBox", "Example W10" }, { "szQts", ".4" }, { "szVas", "2" }, { "szFar", "30" } }));
    QCOMPARE(QApplication::focusWidget(), name); // Enter chose; it did not move on
}

void TestDriverLibraryUi::managerAddsEditsDeletesImportsAndExports()
{
    auto* manager = qobject_cast<DriverManagerDialog*>(openDriverManager());
    QVERIFY(manager);
    manager->addDriver();
    auto* form = openDialog<DriverEditDialog>();
    for (const auto& [key, text] :
        { std::pair { "name", "Tweeter" }, { "fs", "900" }, { "qts", ".7" }, { "vas", "x" } })
        form->field(key)->setText(text);
    form->accept();
    QCOMPARE(messages().last().prompt, QString("Vas is not a number: \"x\".")); // the form stays open
    form->field("vas")->setText(".01");
    form->accept();
    QTRY_VERIFY(!openDialog<DriverEditDialog>());
    QCOMPARE(manager->table()->view()->model()->rowCount(), 2);

    const QString csv = m_dir.filePath("in.csv");
    QFile file(csv);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("name,fs,qts,vas\ntweeter,1,1,1\nWoofer,30,.3,4\nBad,-1,.3,4\n");
    file.close();
    files().answerNext(csv);
    manager->importDrivers();
    QCOMPARE(messages().last().prompt,
        QString("1 added, 1 skipped as duplicates, 1 refused as invalid.\n"
                "Skipped line 2 \"tweeter\": a driver of this name is in the library already.\n"
                "Refused line 4 \"Bad\": Fs must be above 0."));
    files().answerNext(m_dir.filePath("out.csv"));
    manager->exportDrivers();
    QCOMPARE(readDriversCsv([&] {
        QFile out(m_dir.filePath("out.csv"));
        return out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
    }())
                 .drivers.size(),
        3);

    manager->table()->view()->setCurrentIndex(manager->table()->view()->model()->index(1, 0)); // Tweeter
    messages().answerNext(MsgAnswer::Yes);
    manager->deleteDriver();
    QVERIFY(!driverLibrary().find("tweeter"));
    QCOMPARE(manager->table()->view()->model()->rowCount(), 2);
}

// Edit Driver is open on a driver when another copy changes it: OK says so
// and keeps either the form's values (Yes) or the library's (No, shown in
// the form, which stays open).
void TestDriverLibraryUi::editMeetsAnotherCopysChange_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("the form's values kept") << MsgAnswer::Yes;
    QTest::newRow("the library's values kept") << MsgAnswer::No;
}

void TestDriverLibraryUi::editMeetsAnotherCopysChange()
{
    QFETCH(MsgAnswer, answer);
    auto* manager = qobject_cast<DriverManagerDialog*>(openDriverManager());
    manager->table()->view()->setCurrentIndex(manager->table()->view()->model()->index(0, 0));
    manager->editDriver();
    auto* form = openDialog<DriverEditDialog>();
    QVERIFY(form);
    DriverRecord other = exampleDriver();
    other.re = 5;
    other.note = "another copy";
    QVERIFY(DriverLibrary(driverLibraryPath()).store(other, DriverLibrary::Existing::Replace).done());
    form->field("manufacturer")->setText("Acme");
    messages().answerNext(answer);
    form->accept();
    QCOMPARE(messages().shown.size(), 1);
    QCOMPARE(messages().last().buttons, MsgButtons::YesNo);
    QVERIFY2(messages().last().prompt.startsWith("Another copy of Tolvan changed \"Example W10\" in the library"),
        qPrintable(messages().last().prompt));
    driverLibrary().refresh();
    const DriverRecord stored = *driverLibrary().find("example w10");
    if (answer == MsgAnswer::Yes) {
        DriverRecord kept = exampleDriver();
        kept.manufacturer = "Acme";
        QCOMPARE(stored, kept);
        QTRY_VERIFY(!openDialog<DriverEditDialog>());
        return;
    }
    QCOMPARE(stored, other);
    QCOMPARE(openDialog<DriverEditDialog>(), form);
    QCOMPARE(form->field("manufacturer")->text(), QString("Example"));
    QCOMPARE(form->field("re")->text(), QString("5"));
    // OK now edits the driver as the library holds it.
    form->field("model")->setText("W10-B");
    form->accept();
    QTRY_VERIFY(!openDialog<DriverEditDialog>());
    driverLibrary().refresh();
    QCOMPARE(driverLibrary().find("example w10")->note, QString("another copy"));
    QCOMPARE(driverLibrary().find("example w10")->model, QString("W10-B"));
}

void TestDriverLibraryUi::everyEntryIsOnTheContextMenuWithItsShortcut()
{
    const auto entries = [](const QWidget* window) {
        QStringList out;
        for (const QAction* action : window->actions())
            out << action->text() + " " + action->shortcut().toString();
        return out;
    };
    const QStringList all { "Pick Driver from Library... Ctrl+L", "Save Driver to Library... Ctrl+Shift+S",
        "Driver Library... Ctrl+Shift+L" };
    // The box windows' context menu leads on to the analysis of the design.
    QCOMPARE(entries(open<frmRadiator>()), all + QStringList { "Analysis... Ctrl+Shift+A" });
    QCOMPARE(entries(open<frmAnalysis>()), all);
    QCOMPARE(entries(open<frmSpeaker>()), all.mid(1)); // measures, never picks
    QWidget* main = open<FrmTlv>();
    // The main window's menu holds the choice of units below the library.
    const QStringList units { " ", "Imperial Units (Cubic Feet, Inches) Ctrl+Shift+I",
        "Metric Units (Litres, cm, mm) Ctrl+Shift+M" };
    QCOMPARE(entries(main), all.mid(2) + units);
    QTest::keyClick(main, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(openDialog<DriverManagerDialog>());
}

void TestDriverLibraryUi::nameFieldButtonOpensThePickList_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name"); // the name field
    QTest::addColumn<bool>("button");
    QTest::newRow("closed") << "frmClose"
                            << "szWoofBox" << true;
    QTest::newRow("vented") << "frmVented"
                            << "szWoofBox" << true;
    QTest::newRow("radiator") << "frmRadiator"
                              << "szWoofBox" << true;
    QTest::newRow("bandpass") << "FrmBand"
                              << "szWoofBP" << true;
    QTest::newRow("networks") << "FmNet"
                              << "szName" << true;
    QTest::newRow("measurement: measures, never picks") << "frmSpeaker"
                                                        << "szWoofTest" << false;
}

void TestDriverLibraryUi::nameFieldButtonOpensThePickList()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(bool, button);
    QWidget* w = openDriverWindow(window);
    QLineEdit* field = edit(w, name);
    auto* pick = field->findChild<QAction*>("actPickDriver");
    QCOMPARE(bool(pick), button);
    if (!pick)
        return;
    // Inside the field: the field keeps its place and size.
    QVERIFY(field->actions().contains(pick));
    QVERIFY(!pick->icon().isNull());
    for (const char* keys : { "Ctrl+L", "Ctrl+Shift+S", "Ctrl+Shift+L" })
        QVERIFY2(pick->toolTip().contains(keys), keys);
    pick->trigger();
    auto* picker = openDialog<DriverPickDialog>();
    QVERIFY(picker);
    QCOMPARE(picker->parentWidget(), w);
    // The library itself from the pick list; its columns hold their headings whole.
    click(picker, "manage");
    auto* manager = openDialog<DriverManagerDialog>();
    QVERIFY(manager);
    const QHeaderView* header = manager->table()->view()->horizontalHeader();
    const QAbstractItemModel* model = manager->table()->view()->model();
    for (int column = 0; column + 1 < model->columnCount(); ++column) {
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        QVERIFY2(header->sectionSize(column) >= header->fontMetrics().horizontalAdvance(title), qPrintable(title));
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString text = model->index(row, column).data().toString();
            QVERIFY2(header->sectionSize(column) > header->fontMetrics().horizontalAdvance(text), qPrintable(text));
        }
    }
    QVERIFY(messages().shown.isEmpty());
}

QTEST_MAIN(TestDriverLibraryUi)
#include "tst_driverlibraryui.moc"
