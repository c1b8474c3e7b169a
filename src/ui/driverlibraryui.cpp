#include "ui/driverlibraryui.h"

#include "core/driverlibrary.h"
#include "core/messages.h"
#include "core/numberparse.h"
#include "platform/designwindow.h"
#include "ui/driverdialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace {

const QString kAttachmentName = QStringLiteral("driverLibrary");
constexpr int kCompletionWidth = 420; // pixels

// The window's field for the part of a driver with key `part` ("fs",
// "name"): the row of its table that names the part; null where it has none.
QLineEdit* partField(const QWidget* window, const char* part)
{
    const auto* designWindow = qobject_cast<const DesignWindow*>(window);
    if (!designWindow)
        return nullptr;
    for (const FieldEntry& entry : designWindow->fields())
        if (entry.driverPart && qstrcmp(entry.driverPart, part) == 0)
            return designWindow->field(QString::fromLatin1(entry.name));
    return nullptr;
}

// A window whose table shows a driver value as a result calculates the driver.
bool calculatesDriver(const DesignWindow* window)
{
    const auto fields = window->fields();
    return std::any_of(fields.begin(), fields.end(),
        [](const FieldEntry& entry) { return entry.driverPart && entry.role == FieldRole::Result; });
}

// What a window attached, kept as a child object of the window.
class Attachment final : public QObject {
public:
    explicit Attachment(DesignWindow* window)
        : QObject(window)
        , window(window)
        , calculates(calculatesDriver(window))
    {
        setObjectName(kAttachmentName);
    }

    // The measurement window: the values of its fields when its calculation
    // last showed results. Saving needs the fields to hold those values still.
    QStringList fieldValues() const
    {
        QStringList texts;
        const QLineEdit* name = partField(window, "name");
        for (const QLineEdit* edit : window->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly))
            if (edit != name)
                texts << QString::number(parseNumber(edit->text()), 'g', 17);
        return texts;
    }
    bool showsCalculation() const
    {
        const QLineEdit* qts = partField(window, "qts");
        return calculated && *calculated == fieldValues() && qts && !qts->text().trimmed().isEmpty();
    }

    DesignWindow* window;
    bool calculates; // the window calculates the driver: it saves what it calculated and cannot pick
    QList<QAction*> actions;
    QPointer<QDialog> picker;
    std::optional<QStringList> calculated;
};

Attachment* attachmentOf(const QWidget* window)
{
    return window ? window->findChild<Attachment*>(kAttachmentName, Qt::FindDirectChildrenOnly) : nullptr;
}

QAction* addAction(QWidget* window, const QString& text, const QKeySequence& keys, const std::function<void()>& run)
{
    auto* action = new QAction(text, window);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, run);
    window->addAction(action);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

// The name field's own menu (cut, copy, paste...) with the library's entries below.
void extendContextMenu(QLineEdit* name, const QList<QAction*>& actions)
{
    name->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(name, &QWidget::customContextMenuRequested, name, [name, actions](const QPoint& at) {
        QMenu* menu = name->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addSeparator();
        menu->addActions(actions);
        menu->popup(name->mapToGlobal(at));
    });
}

// A small list drawn in the field's text colour: the button in the name field.
QIcon listIcon(const QWidget* field)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(field->palette().color(QPalette::Text), 1.5, Qt::SolidLine, Qt::FlatCap));
    for (int y : { 4, 8, 12 }) {
        painter.drawLine(QPointF(2, y), QPointF(4, y));
        painter.drawLine(QPointF(6, y), QPointF(14, y));
    }
    return QIcon(pixmap);
}

// The button at the name field's right end: the pick list, whose "Driver
// Library..." leads on to the library itself.
void addPickButton(QWidget* window, QLineEdit* name)
{
    QAction* pick = name->addAction(listIcon(name), QLineEdit::TrailingPosition);
    pick->setObjectName(QStringLiteral("actPickDriver"));
    pick->setToolTip(QStringLiteral("Pick Driver from Library (Ctrl+L)\n"
                                    "Save Driver to Library: Ctrl+Shift+S\n"
                                    "Driver Library: Ctrl+Shift+L"));
    QObject::connect(pick, &QAction::triggered, window, [window] { openDriverPicker(window); });
}

// Completion on the name field: the drivers whose names begin with the text,
// each shown with its values; choosing one picks it.
void addCompletion(Attachment* attachment, QLineEdit* name)
{
    auto* model = new DriverListModel(DriverListModel::Shape::Summary, attachment);
    auto* completer = new QCompleter(model, name);
    completer->setCompletionRole(Qt::EditRole);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setMaxVisibleItems(12);
    name->setCompleter(completer);
    // The library is read when the user first types a name, never before;
    // the list is made wide enough for the values beside the names.
    QObject::connect(name, &QLineEdit::textEdited, model, [model, completer] {
        model->reload();
        completer->popup()->setMinimumWidth(kCompletionWidth);
    });
    QObject::connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), attachment,
        [window = attachment->window](const QModelIndex& index) {
            if (const auto driver = driverLibrary().find(index.data(Qt::EditRole).toString()))
                pickDriver(window, *driver);
        });
}

// The measurement window: a calculation that shows new results makes the
// shown values the ones to save.
void followCalculation(Attachment* attachment)
{
    QObject::connect(attachment->window, &DesignWindow::calculated, attachment,
        [attachment] { attachment->calculated = attachment->fieldValues(); });
}

// Why a driver cannot be saved from this window, and what to do instead.
QString saveProblem(const DriverRecord& driver, const QWidget* window)
{
    QString problem = driverProblem(driver);
    if (problem.isEmpty())
        return {};
    problem = QStringLiteral("The driver cannot be saved: %1.").arg(problem);
    for (const DriverValue& value : kDriverValues) {
        if (value.required && !(driver.*value.member) && !partField(window, value.key))
            return problem
                + QStringLiteral("\n\nThis window has no %1: save the driver from a box window first, or add it in "
                                 "the driver library (Ctrl+Shift+L).")
                      .arg(QString::fromLatin1(value.label));
    }
    return problem;
}

void saved(QWidget* window, const QString& name)
{
    DriverListModel::libraryChanged();
    QWidget* near = partField(window, "name");
    if (!near)
        near = window;
    QToolTip::showText(near->mapToGlobal(QPoint(0, near->height())),
        QStringLiteral("\"%1\" is saved in the driver library.").arg(name), near);
}

} // namespace

void attachDriverLibrary(DesignWindow* window)
{
    auto* attachment = new Attachment(window);
    QList<QAction*>& actions = attachment->actions;
    if (!attachment->calculates)
        actions << addAction(window, QStringLiteral("Pick Driver from Library..."), QKeySequence(Qt::CTRL | Qt::Key_L),
            [window] { openDriverPicker(window); });
    actions << addAction(window, QStringLiteral("Save Driver to Library..."),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [window] { saveShownDriver(window); });
    actions << addAction(window, QStringLiteral("Driver Library..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
        [] { openDriverManager(); });
    if (QLineEdit* name = partField(window, "name")) {
        extendContextMenu(name, actions);
        if (!attachment->calculates) {
            addCompletion(attachment, name);
            addPickButton(window, name);
        }
    }
    if (attachment->calculates)
        followCalculation(attachment);
}

void attachDriverLibraryManager(QWidget* window)
{
    addAction(window, QStringLiteral("Driver Library..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
        [] { openDriverManager(); });
}

void pickDriver(QWidget* window, const DriverRecord& driver)
{
    if (!attachmentOf(window))
        return;
    // As typed: each field's change rule runs; the focus stays where it is.
    // A text or value the driver lacks leaves its field as the user had it.
    for (const DriverText& text : kDriverTexts)
        if (QLineEdit* edit = partField(window, text.key); edit && !(driver.*text.member).isEmpty())
            edit->setText(driver.*text.member);
    for (const DriverValue& value : kDriverValues) {
        const std::optional<double>& number = driver.*value.member;
        if (QLineEdit* edit = partField(window, value.key); edit && number)
            edit->setText(driverNumberText(*number));
    }
}

DriverRecord shownDriver(const QWidget* window)
{
    DriverRecord driver;
    if (!attachmentOf(window))
        return driver;
    for (const DriverText& text : kDriverTexts)
        if (const QLineEdit* edit = partField(window, text.key))
            driver.*text.member = edit->text().trimmed();
    for (const DriverValue& value : kDriverValues) {
        const QLineEdit* edit = partField(window, value.key);
        // Read as the window reads it; a field showing nothing is unknown.
        if (edit && !edit->text().trimmed().isEmpty())
            driver.*value.member = parseNumber(edit->text());
    }
    return driver;
}

bool saveShownDriver(QWidget* window)
{
    const Attachment* attachment = attachmentOf(window);
    if (!attachment)
        return false;
    if (attachment->calculates && !attachment->showsCalculation()) {
        showMessage(driverLibraryMessage(
            QStringLiteral("Press Calculate first: the driver is saved with the values that Calculate shows."),
            MsgIcon::Exclamation));
        return false;
    }
    const DriverRecord shown = shownDriver(window);
    if (shown.name.isEmpty()) {
        showMessage(driverLibraryMessage(
            QStringLiteral("Type the driver's name first: the library keeps drivers by name."), MsgIcon::Exclamation));
        return false;
    }
    // The shown values over those of the stored driver: what the window has
    // no field for is kept.
    const auto merged = [&shown](const std::optional<DriverRecord>& stored) {
        DriverRecord driver = stored.value_or(shown);
        for (const DriverText& text : kDriverTexts)
            if (!(shown.*text.member).isEmpty())
                driver.*text.member = shown.*text.member;
        for (const DriverValue& value : kDriverValues)
            if (shown.*value.member)
                driver.*value.member = shown.*value.member;
        return driver;
    };
    DriverLibrary& library = driverLibrary();
    library.refresh();
    // A second round when another copy of the program saved the name meanwhile.
    for (int round = 0; round < 2; ++round) {
        const std::optional<DriverRecord> existing = library.find(shown.name);
        const QString problem = saveProblem(merged(existing), window);
        if (!problem.isEmpty()) {
            showMessage(driverLibraryMessage(problem, MsgIcon::Exclamation));
            return false;
        }
        // Asked before the library is locked; the merge is made again under
        // the lock, with the driver as the file then holds it.
        if (existing
            && showMessage(driverLibraryMessage(QStringLiteral("A driver named \"%1\" is in the library already.\n\n"
                                                               "Replace its values with those this window shows?")
                                                    .arg(visibleText(existing->name)),
                   MsgIcon::None, MsgButtons::YesNo))
                != MsgAnswer::Yes)
            return false;
        const DriverChange stored = library.storeMerged(
            shown.name, merged, existing ? DriverLibrary::Existing::Replace : DriverLibrary::Existing::Refuse);
        if (stored.status == DriverChange::Status::Exists)
            continue;
        if (!stored.done()) {
            showMessage(driverLibraryMessage(stored.error, MsgIcon::Exclamation));
            return false;
        }
        saved(window, shown.name);
        return true;
    }
    return false;
}

QWidget* openDriverPicker(QWidget* window)
{
    Attachment* attachment = attachmentOf(window);
    if (!attachment || attachment->calculates)
        return nullptr;
    if (!attachment->picker) {
        attachment->picker
            = new DriverPickDialog(window, [window = QPointer<QWidget>(window)](const DriverRecord& driver) {
                  if (!window)
                      return;
                  pickDriver(window, driver);
                  window->activateWindow();
              });
    }
    QDialog* picker = attachment->picker;
    picker->show();
    picker->raise();
    picker->activateWindow();
    return picker;
}

QWidget* openDriverManager()
{
    static QPointer<DriverManagerDialog> manager;
    if (!manager)
        manager = new DriverManagerDialog;
    manager->show();
    manager->raise();
    manager->activateWindow();
    return manager;
}
