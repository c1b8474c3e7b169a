#include "graph/CBGRAPH1kept.h"

#include "platform/unitchoice.h"

#include "graph/keptcurves.h"
#include "platform/chart.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <algorithm>

namespace {
constexpr int kSlotRole = Qt::UserRole; // the curve's colour slot, on its label
constexpr int kSortRole = Qt::UserRole + 1; // a number's value

// Numbers sort by value, texts by text.
class KeptItem final : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant a = data(kSortRole), b = other.data(kSortRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid()) // the unknown ones last
            return a.isValid();
        return text().localeAwareCompare(other.text()) < 0;
    }
};

QPushButton* addButton(QBoxLayout* row, const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

bool isNumberColumn(KeptColumn column) { return column != KeptColumn::Box && column != KeptColumn::Driver; }
} // namespace

QIcon keptSwatch(int colorSlot)
{
    QPixmap pixmap(32, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(chart::comparedColor(colorSlot), 2, chart::comparedStyle(colorSlot), Qt::FlatCap));
    painter.drawLine(QPointF(1, 6), QPointF(31, 6));
    return QIcon(pixmap);
}

KeptCurvesPanel::KeptCurvesPanel(QWidget* window)
    : QWidget(window, Qt::Tool)
    , m_table(new QTableWidget(0, 1 + kKeptColumns, this))
{
    setObjectName(QStringLiteral("KeptCurves"));
    setWindowTitle(QStringLiteral("Kept Curves"));
    m_table->setObjectName(QStringLiteral("lstKept"));
    const auto setTitles = [this] {
        QStringList titles { QStringLiteral("Curve") };
        for (int c = 0; c < kKeptColumns; ++c)
            titles << keptColumnTitle(KeptColumn(c));
        m_table->setHorizontalHeaderLabels(titles);
    };
    setTitles();
    // The volumes in the units chosen.
    connect(UnitChoice::instance(), &UnitChoice::unitsChanged, this, [this, setTitles] {
        setTitles();
        fill();
    });
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_table->setIconSize(QSize(32, 12));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setSortIndicatorClearable(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);

    auto* note
        = new QLabel(QStringLiteral("Tick to show, double-click (or F2) to rename, click a heading to sort."), this);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = addButton(buttons, "btnAddFile", QStringLiteral("Add from File..."), this);
    m_remove = addButton(buttons, "btnRemove", QStringLiteral("Remove"), this);
    m_clear = addButton(buttons, "btnClear", QStringLiteral("Clear All"), this);
    m_undo = addButton(buttons, "btnUndo", QStringLiteral("Undo"), this);
    buttons->addStretch();
    QPushButton* close = addButton(buttons, "btnClose", QStringLiteral("Close"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemChanged, this,
        [this](QTableWidgetItem* item) { tblKept_ItemChanged(item->row(), item->column()); });
    connect(add, &QPushButton::clicked, this, &KeptCurvesPanel::addFromFileRequested);
    const auto removeCurrent = [this] {
        if (const auto slot = currentSlot())
            emit removeRequested(*slot);
    };
    connect(m_remove, &QPushButton::clicked, this, removeCurrent);
    auto* remove = new QShortcut(QKeySequence::Delete, m_table, removeCurrent);
    remove->setContext(Qt::WidgetShortcut);
    connect(m_clear, &QPushButton::clicked, this, &KeptCurvesPanel::clearRequested);
    connect(m_undo, &QPushButton::clicked, this, &KeptCurvesPanel::undoRequested);
    auto* undo = new QShortcut(QKeySequence::Undo, this, [this] { emit undoRequested(); });
    undo->setContext(Qt::WindowShortcut);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setUndoText({});
    fill();
}

bool KeptCurvesPanel::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        emit activated();
    return QWidget::event(event);
}

void KeptCurvesPanel::fill()
{
    const std::optional<int> selected = currentSlot();
    const QSignalBlocker blocker(m_table);
    m_table->setSortingEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(int(keptCurves().size()));
    int row = 0;
    for (const KeptCurve& k : keptCurves()) {
        auto* label = new KeptItem(keptSwatch(k.colorSlot), k.label);
        label->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsUserCheckable);
        label->setCheckState(k.visible ? Qt::Checked : Qt::Unchecked);
        label->setData(kSlotRole, k.colorSlot);
        m_table->setItem(row, 0, label);
        for (int c = 0; c < kKeptColumns; ++c) {
            const KeptColumn column = KeptColumn(c);
            const KeptCell cell = keptCell(k, column);
            auto* item = new KeptItem(cell.text);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (isNumberColumn(column)) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (!cell.text.isEmpty())
                    item->setData(kSortRole, cell.sortKey);
            }
            m_table->setItem(row, 1 + c, item);
        }
        ++row;
    }
    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    if (selected)
        selectSlot(*selected);
    if (m_table->currentRow() < 0 && m_table->rowCount() > 0)
        m_table->selectRow(0);
    m_remove->setEnabled(m_table->rowCount() > 0);
    m_clear->setEnabled(m_table->rowCount() > 0);
}

QSize KeptCurvesPanel::fittingSize() const
{
    const QMargins margins = layout()->contentsMargins();
    const int frame = 2 * m_table->frameWidth();
    const int width = m_table->horizontalHeader()->length() + frame + margins.left() + margins.right()
        + m_table->verticalScrollBar()->sizeHint().width();
    const int rows = m_table->verticalHeader()->defaultSectionSize() * kMaxKeptCurves;
    const int height = sizeHint().height() - m_table->sizeHint().height() + m_table->horizontalHeader()->height() + rows
        + frame + m_table->horizontalScrollBar()->sizeHint().height();
    return QSize(std::max(width, 480), height);
}

std::optional<int> KeptCurvesPanel::currentSlot() const
{
    const int row = m_table->currentRow();
    const QTableWidgetItem* label = row >= 0 ? m_table->item(row, 0) : nullptr;
    return label ? std::optional(label->data(kSlotRole).toInt()) : std::nullopt;
}

void KeptCurvesPanel::selectSlot(int slot)
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (const QTableWidgetItem* label = m_table->item(row, 0); label && label->data(kSlotRole).toInt() == slot)
            m_table->selectRow(row);
}

void KeptCurvesPanel::setUndoText(const QString& text)
{
    m_undo->setEnabled(!text.isEmpty());
    m_undo->setToolTip(text.isEmpty() ? QStringLiteral("Nothing to undo") : text + QStringLiteral(" (Ctrl+Z)"));
}

// A tick shows or hides the curve; an edited name becomes its label (an
// empty one leaves the label as it was).
void KeptCurvesPanel::tblKept_ItemChanged(int row, int column)
{
    QTableWidgetItem* item = m_table->item(row, column);
    if (column != 0 || !item)
        return;
    const int slot = item->data(kSlotRole).toInt();
    KeptCurves& kept = keptCurves();
    const auto k = std::find_if(kept.begin(), kept.end(), [slot](const KeptCurve& c) { return c.colorSlot == slot; });
    if (k == kept.end())
        return;
    const QString label = keptLabel(item->text());
    if (!label.isEmpty())
        k->label = label;
    k->visible = item->checkState() == Qt::Checked;
    // The item shows the label as kept; the table is not filled again while
    // it reports a change of one of its items.
    if (item->text() != k->label) {
        const QSignalBlocker blocker(m_table);
        item->setText(k->label);
    }
    emit curvesEdited();
}
