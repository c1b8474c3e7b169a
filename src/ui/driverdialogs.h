#pragma once
// The driver library's own windows: the list a window picks from, the small
// dialog that manages the library, and the form that adds or edits one
// driver. All show without blocking; every question and message goes
// through the message service and every file dialog through the file
// chooser. driverlibraryui.h opens them.

#include "core/driverlibrary.h"
#include "core/driverrecord.h"
#include "core/messages.h"
#include "core/units.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QVector>
#include <functional>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QTableView;

// The library's drivers as a table (name, manufacturer, model, the values,
// the note) or, for completion, as one column whose text is the driver's
// summary and whose edit text is its name.
class DriverListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Shape { Table, Summary };
    explicit DriverListModel(Shape shape, QObject* parent = nullptr);
    ~DriverListModel() override;

    // Fills again when the library changed since the last filling.
    void reload();
    const DriverRecord& driver(int row) const { return m_drivers[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The library changed through this program: every model fills again.
    static void libraryChanged();

private:
    Shape m_shape;
    QVector<DriverRecord> m_drivers;
    int m_generation = -1;
};

// The rows whose driver matches every word of the filter text.
class DriverFilterModel final : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit DriverFilterModel(DriverListModel* source, QObject* parent = nullptr);
    void setFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    DriverListModel* m_source;
    QStringList m_words;
};

// A filter field over a table of drivers, shared by the pick list and the
// manager.
class DriverTable final : public QWidget {
    Q_OBJECT
public:
    explicit DriverTable(QWidget* parent = nullptr);
    void reload();
    // The driver in the current row, if any.
    const DriverRecord* current() const;
    QTableView* view() const { return m_view; }
    QLineEdit* filter() const { return m_filter; }

signals:
    void chosen(); // Enter or a double click on a row

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DriverListModel* m_model;
    DriverFilterModel* m_rows;
    QLineEdit* m_filter;
    QTableView* m_view;
};

// "Pick Driver": the list of a window, with Pick, Driver Library... and Close.
class DriverPickDialog final : public QDialog {
    Q_OBJECT
public:
    DriverPickDialog(QWidget* window, std::function<void(const DriverRecord&)> pick);
    DriverTable* table() const { return m_table; }
    void pickCurrent();

private:
    DriverTable* m_table;
    std::function<void(const DriverRecord&)> m_pick;
};

// "Driver Library": lists, adds, edits, deletes, imports and exports.
class DriverManagerDialog final : public QDialog {
    Q_OBJECT
public:
    DriverManagerDialog();
    DriverTable* table() const { return m_table; }

    void addDriver();
    void editDriver();
    void deleteDriver();
    void importDrivers();
    void exportDrivers();

private:
    DriverTable* m_table;
};

// The form for one driver: every text and value; an empty value is unknown.
// OK stores it (asking before it replaces another driver of the name) and
// closes; a refused driver keeps the form open with the reason shown. An
// edit knows the driver it started from: when another copy of the program
// changed or deleted it meanwhile, the form says so and offers to keep
// either its own values or the library's.
class DriverEditDialog final : public QDialog {
    Q_OBJECT
public:
    // `driver` empty: a new one.
    DriverEditDialog(QWidget* parent, const std::optional<DriverRecord>& driver);
    QLineEdit* field(const char* key) const;
    // The driver as the form holds it; empty with the reason shown when a
    // value is not a number.
    std::optional<DriverRecord> formDriver() const;
    void accept() override;

private:
    void fill(const DriverRecord& driver);
    bool keepFormAfter(const DriverChange& changed);

    // The form's values written anew in the units chosen, and the labels.
    void showUnits(UnitSystem system);

    std::optional<DriverRecord> m_startedFrom;
    QPlainTextEdit* m_note;
    UnitSystem m_shownIn = unitSystem(); // the units the form's values are written in
};

// Every message about the library carries its title "Driver Library".
Message driverLibraryMessage(const QString& prompt, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok);
