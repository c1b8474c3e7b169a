#include "ui/driverdialogs.h"

#include "core/driverlibrary.h"
#include "core/filechooser.h"
#include "platform/help.h"
#include "platform/unitchoice.h"
#include "ui/driverlibraryui.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kHelpTopic = QStringLiteral("drivers");
constexpr int kReportLines = 20;
constexpr int kWidestText = 240; // pixels

// The table's columns: the texts but the note, the values, the note.
constexpr int kLeadingTexts = 3;
constexpr int kValueCount = int(std::size(kDriverValues));
constexpr int kColumnCount = kLeadingTexts + kValueCount + 1;
const DriverText& noteText() { return kDriverTexts[kLeadingTexts]; }

QSet<DriverListModel*>& liveModels()
{
    static QSet<DriverListModel*> models;
    return models;
}

QString columnTitle(int column)
{
    if (column < kLeadingTexts)
        return QString::fromLatin1(kDriverTexts[column].label);
    if (column == kColumnCount - 1)
        return QString::fromLatin1(noteText().label);
    const DriverValue& value = kDriverValues[column - kLeadingTexts];
    const QString unit = driverUnitShown(value);
    return QString::fromLatin1(value.label) + (unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit));
}

QPushButton* addButton(
    QBoxLayout* row, const char* name, const QString& caption, QObject* receiver, const std::function<void()>& click)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, receiver, click);
    row->addWidget(button);
    return button;
}

void addHelp(QWidget* dialog)
{
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    QObject::connect(help, &QShortcut::activated, dialog, [dialog] { showHelp(kHelpTopic, dialog); });
}

// A dialog wide enough to show every column of its table, within the screen.
void widenForColumns(QDialog* dialog, const DriverTable* table)
{
    const QTableView* view = table->view();
    const QMargins margins = dialog->layout()->contentsMargins();
    const int needed = view->horizontalHeader()->length() + view->verticalScrollBar()->sizeHint().width()
        + 2 * view->frameWidth() + margins.left() + margins.right();
    const int screen = dialog->screen() ? dialog->screen()->availableGeometry().width() : needed;
    dialog->resize(std::clamp(needed, dialog->width(), std::max(dialog->width(), screen)), dialog->height());
}

bool confirmed(const QString& question)
{
    return showMessage(driverLibraryMessage(question, MsgIcon::None, MsgButtons::YesNo)) == MsgAnswer::Yes;
}

void showError(const QString& error) { showMessage(driverLibraryMessage(error, MsgIcon::Exclamation)); }

} // namespace

Message driverLibraryMessage(const QString& prompt, MsgIcon icon, MsgButtons buttons)
{
    return { prompt, QStringLiteral("Driver Library"), buttons, icon, false };
}

// ---- DriverListModel

DriverListModel::DriverListModel(Shape shape, QObject* parent)
    : QAbstractTableModel(parent)
    , m_shape(shape)
{
    liveModels().insert(this);
    // The values and the titles in the units chosen.
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

DriverListModel::~DriverListModel() { liveModels().remove(this); }

void DriverListModel::libraryChanged()
{
    for (DriverListModel* model : liveModels())
        model->reload();
}

void DriverListModel::reload()
{
    DriverLibrary& library = driverLibrary();
    library.refresh();
    if (library.generation() == m_generation)
        return;
    beginResetModel();
    m_drivers = library.drivers();
    m_generation = library.generation();
    endResetModel();
}

int DriverListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_drivers.size(); }

int DriverListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : (m_shape == Shape::Table ? kColumnCount : 1);
}

QVariant DriverListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_drivers.size())
        return {};
    const DriverRecord& record = m_drivers[index.row()];
    if (m_shape == Shape::Summary) {
        if (role == Qt::DisplayRole)
            return driverSummary(record);
        return role == Qt::EditRole ? QVariant(record.name) : QVariant();
    }
    const int column = index.column();
    const bool isValue = column >= kLeadingTexts && column < kColumnCount - 1;
    if (!isValue) {
        const QString& text = record.*(column < kLeadingTexts ? kDriverTexts[column] : noteText()).member;
        if (role == Qt::DisplayRole)
            return QString(text).replace(u'\n', u' ');
        if (role == Qt::UserRole) // sorting
            return text.toCaseFolded();
        if (role == Qt::ToolTipRole && column == kColumnCount - 1 && !text.isEmpty())
            return text;
        return {};
    }
    const std::optional<double>& number = record.*kDriverValues[column - kLeadingTexts].member;
    if (role == Qt::DisplayRole)
        return number ? driverValueText(kDriverValues[column - kLeadingTexts], *number) : QString();
    if (role == Qt::UserRole)
        return number ? *number : -1.0;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant DriverListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || m_shape != Shape::Table)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(section);
}

// ---- DriverFilterModel

DriverFilterModel::DriverFilterModel(DriverListModel* source, QObject* parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setSourceModel(source);
    setSortRole(Qt::UserRole);
}

void DriverFilterModel::setFilterText(const QString& text)
{
    m_words = filterWords(text);
    invalidateFilter();
}

bool DriverFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return driverMatches(m_source->driver(sourceRow), m_words);
}

// ---- DriverTable

DriverTable::DriverTable(QWidget* parent)
    : QWidget(parent)
    , m_model(new DriverListModel(DriverListModel::Shape::Table, this))
    , m_rows(new DriverFilterModel(m_model, this))
    , m_filter(new QLineEdit)
    , m_view(new QTableView)
{
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter: part of a name, manufacturer, model or note"));
    m_filter->setClearButtonEnabled(true);
    m_view->setObjectName(QStringLiteral("drivers"));
    m_view->setModel(m_rows);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->setSortingEnabled(true);
    m_view->sortByColumn(0, Qt::AscendingOrder);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    // Each column as wide as its heading and values; a long name no wider
    // than kWidestText, the note taking what is left.
    const auto fitColumns = [this] {
        m_view->resizeColumnsToContents();
        for (int column = 0; column < kLeadingTexts; ++column)
            m_view->setColumnWidth(column, std::min(m_view->columnWidth(column), kWidestText));
    };
    connect(m_model, &QAbstractItemModel::modelReset, this, fitColumns);
    fitColumns();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_filter);
    layout->addWidget(m_view);

    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_rows->setFilterText(text);
        if (m_rows->rowCount() > 0 && !m_view->currentIndex().isValid())
            m_view->setCurrentIndex(m_rows->index(0, 0));
    });
    connect(m_view, &QTableView::doubleClicked, this, &DriverTable::chosen);
    m_filter->installEventFilter(this);
    m_view->installEventFilter(this);
}

void DriverTable::reload()
{
    m_model->reload();
    if (m_rows->rowCount() > 0 && !m_view->currentIndex().isValid())
        m_view->setCurrentIndex(m_rows->index(0, 0));
}

const DriverRecord* DriverTable::current() const
{
    const QModelIndex index = m_rows->mapToSource(m_view->currentIndex());
    return index.isValid() ? &m_model->driver(index.row()) : nullptr;
}

// Enter chooses the current driver, from the list or from the filter; Up and
// Down in the filter move through the list.
bool DriverTable::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit chosen();
            return true;
        }
        if (watched == m_filter && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            QCoreApplication::sendEvent(m_view, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- DriverPickDialog

DriverPickDialog::DriverPickDialog(QWidget* window, std::function<void(const DriverRecord&)> pick)
    : QDialog(window)
    , m_table(new DriverTable)
    , m_pick(std::move(pick))
{
    setObjectName(QStringLiteral("DriverPickDialog"));
    setWindowTitle(QStringLiteral("Pick Driver - ") + window->windowTitle().trimmed());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    auto* row = new QHBoxLayout;
    addButton(row, "manage", QStringLiteral("Driver &Library..."), this, [] { openDriverManager(); });
    row->addStretch();
    addButton(row, "help", QStringLiteral("Help"), this, [this] { showHelp(kHelpTopic, this); });
    addButton(row, "pick", QStringLiteral("&Pick"), this, [this] { pickCurrent(); })->setDefault(true);
    addButton(row, "close", QStringLiteral("Close"), this, [this] { close(); });
    layout->addLayout(row);
    addHelp(this);
    connect(m_table, &DriverTable::chosen, this, &DriverPickDialog::pickCurrent);
    m_table->reload();
    widenForColumns(this, m_table);
    m_table->filter()->setFocus();
}

void DriverPickDialog::pickCurrent()
{
    const DriverRecord* current = m_table->current();
    if (!current) {
        beep();
        return;
    }
    const DriverRecord driver = *current;
    const auto pick = m_pick;
    close();
    pick(driver);
}

// ---- DriverManagerDialog

DriverManagerDialog::DriverManagerDialog()
    : m_table(new DriverTable)
{
    setObjectName(QStringLiteral("DriverManagerDialog"));
    setWindowTitle(QStringLiteral("Driver Library"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(860, 460);
    auto* layout = new QVBoxLayout(this);
    auto* file = new QLabel(QStringLiteral("Kept in %1").arg(QDir::toNativeSeparators(driverLibraryPath())));
    file->setObjectName(QStringLiteral("file"));
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(file);
    layout->addWidget(m_table);
    auto* row = new QHBoxLayout;
    addButton(row, "add", QStringLiteral("&Add..."), this, [this] { addDriver(); });
    addButton(row, "edit", QStringLiteral("&Edit..."), this, [this] { editDriver(); });
    addButton(row, "delete", QStringLiteral("&Delete"), this, [this] { deleteDriver(); });
    addButton(row, "import", QStringLiteral("&Import..."), this, [this] { importDrivers(); });
    addButton(row, "export", QStringLiteral("E&xport..."), this, [this] { exportDrivers(); });
    row->addStretch();
    addButton(row, "help", QStringLiteral("Help"), this, [this] { showHelp(kHelpTopic, this); });
    addButton(row, "close", QStringLiteral("Close"), this, [this] { close(); });
    layout->addLayout(row);
    addHelp(this);
    auto* remove = new QShortcut(QKeySequence::Delete, m_table->view());
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, [this] { deleteDriver(); });
    connect(m_table, &DriverTable::chosen, this, &DriverManagerDialog::editDriver);
    m_table->reload();
    widenForColumns(this, m_table);
    m_table->filter()->setFocus();
}

void DriverManagerDialog::addDriver() { (new DriverEditDialog(this, std::nullopt))->show(); }

void DriverManagerDialog::editDriver()
{
    if (const DriverRecord* current = m_table->current())
        (new DriverEditDialog(this, *current))->show();
    else
        beep();
}

void DriverManagerDialog::deleteDriver()
{
    const DriverRecord* current = m_table->current();
    if (!current) {
        beep();
        return;
    }
    const QString name = current->name;
    if (!confirmed(QStringLiteral("Delete \"%1\" from the driver library?").arg(name)))
        return;
    const DriverChange removed = driverLibrary().remove(name);
    DriverListModel::libraryChanged();
    if (!removed.done())
        showError(removed.error);
}

void DriverManagerDialog::importDrivers()
{
    FileChooser* chooser = fileChooser();
    const std::optional<QString> file = chooser
        ? chooser->choose({ QStringLiteral("Import Drivers"),
            QStringLiteral("Driver files (*.json *.csv);;All files (*)"), QString(), false, QString() })
        : std::nullopt;
    if (!file)
        return;
    const DriverImport imported = driverLibrary().importFile(*file);
    DriverListModel::libraryChanged();
    showMessage(driverLibraryMessage(
        imported.report(kReportLines), imported.error.isEmpty() ? MsgIcon::None : MsgIcon::Exclamation));
}

void DriverManagerDialog::exportDrivers()
{
    FileChooser* chooser = fileChooser();
    const std::optional<QString> file = chooser ? chooser->choose({ QStringLiteral("Export Drivers"),
                                            QStringLiteral("JSON (*.json);;CSV for spreadsheets (*.csv)"),
                                            QStringLiteral("drivers.json"), true, QStringLiteral("json") })
                                                : std::nullopt;
    if (!file)
        return;
    const DriverChange exported = driverLibrary().exportFile(*file);
    if (!exported.done())
        showError(exported.error);
    else
        showMessage(driverLibraryMessage(exported.note));
}

// ---- DriverEditDialog

DriverEditDialog::DriverEditDialog(QWidget* parent, const std::optional<DriverRecord>& driver)
    : QDialog(parent)
    , m_startedFrom(driver)
    , m_note(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("DriverEditDialog"));
    setWindowTitle(driver ? QStringLiteral("Edit Driver") : QStringLiteral("Add Driver"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout;
    const auto addLine = [&](const char* key, const QString& label) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(key));
        form->addRow(label + u':', edit);
    };
    for (int i = 0; i < kLeadingTexts; ++i)
        addLine(kDriverTexts[i].key, columnTitle(i));
    for (int i = 0; i < kValueCount; ++i)
        addLine(kDriverValues[i].key, columnTitle(kLeadingTexts + i));
    m_note->setObjectName(QString::fromLatin1(noteText().key));
    m_note->setTabChangesFocus(true);
    form->addRow(QString::fromLatin1(noteText().label) + u':', m_note);
    form->addRow(new QLabel(QStringLiteral("Leave a value empty when it is not known; Fs, Qts and Vas are needed.")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &DriverEditDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DriverEditDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { showHelp(kHelpTopic, this); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    addHelp(this);
    fill(driver.value_or(DriverRecord()));
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, &DriverEditDialog::showUnits);
}

void DriverEditDialog::showUnits(UnitSystem system)
{
    const auto* form = findChild<QFormLayout*>();
    for (int i = 0; i < kValueCount; ++i) {
        const DriverValue& value = kDriverValues[i];
        QLineEdit* edit = field(value.key);
        const DriverInput typed = readDriverInput(value, edit->text(), m_shownIn);
        if (typed.ok && typed.value)
            edit->setText(driverValueText(value, *typed.value));
        if (auto* label = qobject_cast<QLabel*>(form->labelForField(edit)))
            label->setText(columnTitle(kLeadingTexts + i) + u':');
    }
    m_shownIn = system;
}

void DriverEditDialog::fill(const DriverRecord& driver)
{
    for (int i = 0; i < kLeadingTexts; ++i)
        field(kDriverTexts[i].key)->setText(driver.*kDriverTexts[i].member);
    for (const DriverValue& value : kDriverValues) {
        const std::optional<double>& number = driver.*value.member;
        field(value.key)->setText(number ? driverValueText(value, *number) : QString());
    }
    m_note->setPlainText(driver.note);
    m_shownIn = unitSystem();
}

QLineEdit* DriverEditDialog::field(const char* key) const { return findChild<QLineEdit*>(QString::fromLatin1(key)); }

std::optional<DriverRecord> DriverEditDialog::formDriver() const
{
    DriverRecord record;
    for (int i = 0; i < kLeadingTexts; ++i)
        record.*kDriverTexts[i].member = field(kDriverTexts[i].key)->text();
    record.note = m_note->toPlainText();
    for (const DriverValue& value : kDriverValues) {
        QLineEdit* edit = field(value.key);
        const DriverInput number = readDriverInput(value, edit->text());
        if (!number.ok) {
            showError(number.wrongUnit.isEmpty()
                    ? QStringLiteral("%1 is not a number: \"%2\".")
                          .arg(QString::fromLatin1(value.label), visibleText(edit->text()))
                    : QString::fromLatin1(value.label) + QStringLiteral(": ") + number.wrongUnit);
            edit->setFocus();
            return std::nullopt;
        }
        record.*value.member = number.value;
    }
    return normalizedDriver(record);
}

// Another copy changed or deleted the driver this form started from. True:
// store the form's values; false: the form shows the library's (or closes,
// the driver being gone).
bool DriverEditDialog::keepFormAfter(const DriverChange& changed)
{
    if (!changed.current) {
        if (!confirmed(changed.error + QStringLiteral("\n\nSave it again with the values of this form?"))) {
            reject();
            return false;
        }
        m_startedFrom.reset();
        return true;
    }
    if (confirmed(changed.error
            + QStringLiteral("\n\nThe library holds: %1\n\nKeep the values of this form (Yes), or show the "
                             "library's values here instead (No)?")
                  .arg(visibleText(driverSummary(*changed.current))))) {
        m_startedFrom = changed.current;
        return true;
    }
    m_startedFrom = changed.current;
    fill(*changed.current);
    return false;
}

void DriverEditDialog::accept()
{
    const std::optional<DriverRecord> driver = formDriver();
    if (!driver)
        return;
    DriverLibrary& library = driverLibrary();
    DriverLibrary::Existing existing = DriverLibrary::Existing::Refuse;
    for (;;) {
        const DriverChange stored
            = m_startedFrom ? library.storeEdit(*driver, *m_startedFrom, existing) : library.store(*driver, existing);
        DriverListModel::libraryChanged();
        if (stored.status == DriverChange::Status::Exists) {
            if (!confirmed(stored.error + QStringLiteral("\n\nReplace it?")))
                return;
            existing = DriverLibrary::Existing::Replace;
            continue;
        }
        if (stored.status == DriverChange::Status::Changed) {
            if (!keepFormAfter(stored))
                return;
            continue;
        }
        if (!stored.done()) {
            showError(stored.error);
            return;
        }
        QDialog::accept();
        deleteLater();
        return;
    }
}
