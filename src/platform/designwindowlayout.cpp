// The layout builder of DesignWindow and what it knows of the declared
// fields: their controls, captions and units, the units chosen and the
// metric tooltips, and the one way to write, read, fill and store a field.
#include "platform/designwindow.h"

#include "core/messages.h"
#include "core/numberformat.h"
#include "core/numberparse.h"
#include "design/singles.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

QString shownSection(const FieldEntry& entry, UnitSystem system)
{
    QString section = entry.section ? QString::fromLatin1(entry.section) : QString();
    // A heading that names the rows' unit names it as they show it: "Dimensions (Inches)".
    if (entry.unit.text && showsMetric(entry.unit, system))
        section.replace(QStringLiteral("(%1)").arg(QString::fromLatin1(entry.unit.text)),
            QStringLiteral("(%1)").arg(unitText(entry.unit, system)));
    return section;
}

void DesignWindow::place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setParent(this);
    registerDesign(widget, twipsToPixels(left, top, width, height));
}

QLineEdit* DesignWindow::addField(const QString& name, int left, int top, int width, int height)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->installEventFilter(this);
    // A text the program writes shows its beginning, however narrow the
    // field; what the user types keeps the cursor where the typing left it.
    connect(edit, &QLineEdit::textChanged, edit, [edit] {
        if (!edit->isModified())
            edit->setCursorPosition(0);
    });
    if (const FieldEntry* entry = fieldEntry(name)) {
        if (entry->unit.metric != Metric::None)
            connect(edit, &QLineEdit::textChanged, this, [this, edit] { showMetricValue(edit); });
        edit->setReadOnly(entry->role == FieldRole::Result);
    }
    // A text written anew by the program reads as written (writeNumber notes
    // the number after the write); one typed over it reads as typed.
    connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_shown.remove(edit); });
    place(edit, left, top, width, height);
    return edit;
}

QLabel* DesignWindow::addLabel(const QString& name, const QString& caption, int left, int top, int width, int height)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    if (Qt::mightBeRichText(caption))
        label->setTextFormat(Qt::RichText);
    place(label, left, top, width, height);
    return label;
}

QLabel* DesignWindow::addCaption(const QString& text, int left, int top, int width, int height, Qt::Alignment alignment)
{
    QLabel* label = addLabel(QStringLiteral("Label%1").arg(++m_labels), text, left, top, width, height);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

void DesignWindow::followUnits(QLabel* label, std::function<QString(UnitSystem)> text)
{
    label->setText(text(unitSystem()));
    m_unitLabels.append({ label, std::move(text) });
}

QLabel* DesignWindow::addCaption(const CaptionEntry& caption)
{
    const TwipRect& at = caption.at;
    QLabel* label = addLabel(
        QString::fromLatin1(caption.name), QString::fromLatin1(caption.text), at.left, at.top, at.width, at.height);
    label->setAlignment(caption.alignment | Qt::AlignVCenter);
    return label;
}

QPushButton* DesignWindow::addButton(
    const QString& name, const QString& caption, int left, int top, int width, int height)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    place(button, left, top, width, height);
    return button;
}

QList<QPushButton*> DesignWindow::addButtons(std::initializer_list<ButtonEntry> buttons)
{
    QList<QPushButton*> made;
    for (const ButtonEntry& entry : buttons) {
        const TwipRect& at = entry.at;
        QPushButton* button = addButton(
            QString::fromLatin1(entry.name), QString::fromLatin1(entry.caption), at.left, at.top, at.width, at.height);
        connect(button, &QPushButton::clicked, this, entry.click);
        if (entry.note)
            addCaption(QString::fromLatin1(entry.note), at.left, at.top + at.height + 60, at.width);
        made << button;
    }
    return made;
}

QList<QPushButton*> DesignWindow::addButtonRow(std::initializer_list<ButtonEntry> buttons, const ButtonRow& row)
{
    QList<QPushButton*> made;
    int left = row.firstLeft;
    for (ButtonEntry entry : buttons) {
        entry.at = { left, row.top, row.width, row.height };
        made << addButtons({ entry });
        left += row.width + row.gap;
    }
    return made;
}

QLineEdit* DesignWindow::field(const QString& name) const { return findChild<QLineEdit*>(name); }

void DesignWindow::declareFields(std::span<const FieldEntry> fields)
{
    m_fields = fields;
    m_seen.clear();
    for (const FieldEntry& entry : fields)
        m_seen.append(stateOf(entry));
}

const FieldEntry& DesignWindow::row(const QString& name) const
{
    const FieldEntry* entry = fieldEntry(name);
    Q_ASSERT_X(entry, "DesignWindow::row", qPrintable(name));
    return *entry;
}

const FieldEntry* DesignWindow::fieldEntry(const QString& name) const
{
    for (const FieldEntry& entry : m_fields)
        if (name == QLatin1String(entry.name))
            return &entry;
    return nullptr;
}

void DesignWindow::buildFields(std::span<const FieldEntry> part)
{
    const auto text = [](const char* words) { return QString::fromLatin1(words); };
    for (const FieldEntry& entry : part) {
        Q_ASSERT_X(fieldEntry(text(entry.name)), "DesignWindow::buildFields", entry.name);
        const FieldPlace& place = entry.place;
        const RowColumns& at = place.at;
        QLineEdit* edit = nullptr;
        switch (place.how) {
        case Arrangement::Placed:
            continue;
        case Arrangement::Beside: {
            if (entry.caption)
                addCaption(
                    text(entry.caption), at.captionLeft, place.top, at.captionWidth, place.height, Qt::AlignRight);
            edit = addField(text(entry.name), at.fieldLeft, place.top, at.fieldWidth, place.height);
            const char* right = entry.note ? entry.note : entry.unit.text;
            if (right && at.unitWidth > 0) {
                QLabel* unit = addCaption(text(right), at.fieldLeft + at.fieldWidth + at.unitGap, place.top,
                    at.unitWidth, place.height, Qt::AlignLeft);
                if (!entry.note)
                    followUnits(unit, [&entry](UnitSystem system) { return shownUnit(entry, system); });
            }
            if (entry.symbol)
                addCaption(text(entry.symbol), at.fieldLeft, place.top + place.height + 15, at.fieldWidth, 240);
            break;
        }
        case Arrangement::Above: {
            QLabel* caption = addCaption(text(entry.caption), at.captionLeft, place.top, at.captionWidth, place.height);
            if (entry.captionUnit.metric != Metric::None)
                followUnits(caption, [&entry](UnitSystem system) { return shownCaption(entry, system); });
            edit = addField(text(entry.name), at.fieldLeft, place.top + kAboveFieldOffset, at.fieldWidth, place.height);
            if (entry.note)
                addCaption(
                    text(entry.note), at.captionLeft, place.top + kAboveNoteOffset, at.captionWidth, place.height);
            break;
        }
        }
        if (place.centred)
            edit->setAlignment(Qt::AlignCenter);
    }
}

// In Metric a field shows no imperial number, not even in its tooltip.
void DesignWindow::showMetricValue(QLineEdit* field) const
{
    if (const FieldEntry* entry = fieldEntry(field->objectName()))
        field->setToolTip(
            unitSystem() == UnitSystem::Imperial ? metricText(field->text(), entry->unit.metric) : QString());
}

const Unit& DesignWindow::unitOf(const QLineEdit* field) const
{
    static constexpr Unit none {};
    const FieldEntry* entry = fieldEntry(field->objectName());
    return entry ? entry->unit : none;
}

double DesignWindow::numberIn(const QString& name) const
{
    const QLineEdit* edit = field(name);
    Q_ASSERT_X(edit, "DesignWindow::numberIn", qPrintable(name));
    const auto shown = m_shown.constFind(edit);
    if (shown != m_shown.constEnd() && shown->text == edit->text())
        return shown->readsAs;
    return readInUnit(edit->text(), unitOf(edit)).value;
}

void DesignWindow::writeNumber(QLineEdit* field, const QString& text, ShownNumber shown, bool quietly)
{
    shown.text = text;
    // Noted before the write, so that the change handlers read it so.
    m_shown.insert(field, shown);
    if (quietly)
        setFieldTextQuietly(field, text);
    else
        field->setText(text);
}

void DesignWindow::showNumber(const QString& name, float value, QStringView pattern)
{
    showPatterned(name, value, pattern, true);
}

void DesignWindow::showNumber(const QString& name, double value, QStringView pattern)
{
    showPatterned(name, value, pattern, false);
}

void DesignWindow::showPatterned(const QString& name, double value, QStringView pattern, bool single)
{
    QLineEdit* edit = field(name);
    Q_ASSERT_X(edit, "DesignWindow::showNumber", qPrintable(name));
    const Unit& unit = unitOf(edit);
    const QString text = shownPatternText(value, pattern, single, unit);
    writeNumber(edit, text, { {}, readInUnit(text, unit).value, value, pattern.toString(), single });
}

void DesignWindow::showValue(const QString& name, double value)
{
    QLineEdit* edit = field(name);
    Q_ASSERT_X(edit, "DesignWindow::showValue", qPrintable(name));
    const Unit& unit = unitOf(edit);
    // As Imperial shows it, or in the metric unit with the digits that read back as the Single kept.
    const QString imperial = numberText(value, Precision::Double).trimmed();
    const QString text = showsMetric(unit) ? shownNumberText(design::toSingle(value), unit).trimmed() : imperial;
    writeNumber(edit, text, { {}, parseNumber(imperial), value, {}, false });
}

bool DesignWindow::takeTypedUnit(QLineEdit* edit)
{
    const FieldEntry* entry = fieldEntry(edit->objectName());
    if (!entry || entry->accepts == Accepts::Text || edit->isReadOnly())
        return true;
    const UnitReading reading = readInUnit(edit->text(), entry->unit);
    if (reading.typed == UnitReading::Typed::WrongKind) {
        showMessage(msg::error(wrongUnitProblem(reading, entry->unit), true));
        edit->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (reading.typed == UnitReading::Typed::Converted) {
        // The number as it is shown, reading as exactly what was typed.
        const QString text = shownNumberText(design::toSingle(reading.value), entry->unit).trimmed();
        writeNumber(edit, text, { {}, reading.value, reading.value, {}, true });
    }
    return true;
}

void DesignWindow::showUnitsInOpenWindows(UnitSystem from, UnitSystem to)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<DesignWindow*>(widget))
            window->showUnits(from, to);
}

// Each field whose unit is shown otherwise now: the program's numbers
// written anew from their values, a number typed converted; every field
// reads as before. The unit words follow.
void DesignWindow::showUnits(UnitSystem from, UnitSystem to)
{
    for (const FieldEntry& entry : m_fields) {
        QLineEdit* edit = field(QString::fromLatin1(entry.name));
        if (!edit || entry.unit.metric == Metric::None || from == to)
            continue;
        const auto known = m_shown.constFind(edit);
        ShownNumber shown;
        QString text;
        if (known != m_shown.constEnd() && known->text == edit->text()) {
            shown = *known;
            if (!shown.pattern.isEmpty()) {
                text = shownPatternText(shown.value, shown.pattern, shown.single, entry.unit, to);
            } else {
                text = shown.single || showsMetric(entry.unit, to)
                    ? shownNumberText(design::toSingle(shown.value), entry.unit, to)
                    : numberText(shown.value, Precision::Double);
                if (!known->text.startsWith(u' '))
                    text = text.trimmed();
            }
        } else {
            const UnitReading typed = readInUnit(edit->text(), entry.unit, from);
            if (!typed.digits)
                continue;
            shown = { {}, typed.value, typed.value, {}, true };
            text = shownNumberText(design::toSingle(typed.value), entry.unit, to).trimmed();
        }
        writeNumber(edit, text, shown, true);
    }
    for (const auto& [label, text] : std::as_const(m_unitLabels))
        if (label)
            label->setText(text(to));
}

namespace {
// A name as the field shows it.
QString nameShown(const Text30& name, Shown shown)
{
    return shown == Shown::WithoutPadding ? name.withoutPadding() : name.trimmed();
}
} // namespace

// The row's variable, to tell whether it changed: a number's bytes, a name
// as the field would show it (a name never given and an empty one alike).
QByteArray DesignWindow::stateOf(const FieldEntry& entry) const
{
    const DesignState& state = designState();
    const StateValue& value = entry.value;
    const auto bytes
        = [](const auto& member) { return QByteArray(reinterpret_cast<const char*>(&member), sizeof member); };
    if (value.single)
        return bytes(state.*value.single);
    if (value.real)
        return bytes(state.*value.real);
    if (value.name)
        return nameShown(state.*value.name, value.shown).toUtf8();
    return {};
}

void DesignWindow::noteSeen(const FieldEntry& entry) { m_seen[&entry - m_fields.data()] = stateOf(entry); }

bool DesignWindow::fillField(const QString& name)
{
    const FieldEntry& entry = row(name);
    const StateValue& value = entry.value;
    Q_ASSERT_X(value.fills, "DesignWindow::fillField", entry.name);
    const DesignState& state = designState();
    std::optional<QString> text;
    std::optional<double> shownValue; // a number's value, for a switch of the units
    bool present = true;
    switch (value.shown) {
    case Shown::Trimmed:
    case Shown::WithoutPadding:
        text = nameShown(state.*value.name, value.shown);
        break;
    case Shown::YesNo:
        text = state.*value.single >= 1 ? QStringLiteral("N") : QStringLiteral("Y");
        break;
    case Shown::WithBlank:
    case Shown::WithBlankOrEmpty: {
        const double number = value.single ? double(state.*value.single) : state.*value.real;
        if (number > 0) {
            text = value.single ? shownNumberText(state.*value.single, entry.unit)
                                : numberText(toShown(number, entry.unit), Precision::Double);
            shownValue = number;
        } else if (value.orElse)
            text = QString::fromLatin1(value.orElse);
        else if (value.shown == Shown::WithBlankOrEmpty)
            text = QString();
        present = number > 0 || value.orElse;
        break;
    }
    }
    const int index = int(&entry - m_fields.data());
    if (text && (m_refill != Refill::Changed || m_changedRows.contains(index))) {
        QLineEdit* edit = field(name);
        // The value reads as its text in the design's units would, in either
        // units: the window computes alike, and saves it unchanged.
        if (shownValue)
            writeNumber(edit, *text,
                { {}, parseNumber(value.single ? numberText(float(*shownValue)) : numberText(*shownValue)), *shownValue,
                    {}, bool(value.single) });
        else
            edit->setText(*text);
    }
    noteSeen(entry);
    return present;
}

bool DesignWindow::takesOver(const QString& name) const
{
    return m_refill == Refill::Changed && m_changedRows.contains(int(&row(name) - m_fields.data()));
}

bool DesignWindow::fillFields()
{
    bool complete = true;
    for (const FieldEntry& entry : m_fields)
        if (entry.value.fills)
            complete = fillField(QString::fromLatin1(entry.name)) && complete;
    return complete;
}

void DesignWindow::storeField(const FieldEntry& entry)
{
    DesignState& state = designState();
    const StateValue& value = entry.value;
    const QString name = QString::fromLatin1(entry.name);
    if (value.name)
        state.*value.name = field(name)->text();
    else if (value.real)
        state.*value.real = numberIn(name);
    else if (value.single)
        state.*value.single = design::toSingle(numberIn(name));
    noteSeen(entry);
}

void DesignWindow::storeFields(Moment moment)
{
    for (const FieldEntry& entry : m_fields) {
        const StateValue& value = entry.value;
        if (value.storedOn & Moments(moment))
            storeField(entry);
        if (value.alsoOn & Moments(moment))
            designState().*value.alsoInto = design::toSingle(numberIn(QString::fromLatin1(entry.name)));
    }
}

void DesignWindow::storeFields(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const FieldEntry& entry = row(QString::fromLatin1(name));
        Q_ASSERT_X(entry.value.bound(), "DesignWindow::storeFields", name);
        storeField(entry);
    }
}

void DesignWindow::storeComputed(const char* name, float value)
{
    const FieldEntry& entry = row(QString::fromLatin1(name));
    Q_ASSERT_X(entry.value.single, "DesignWindow::storeComputed", name);
    designState().*entry.value.single = value;
    noteSeen(entry);
}

void DesignWindow::carryOut(const design::Outcome& outcome)
{
    if (outcome.beep)
        beep();
    for (const Message& message : outcome.messages)
        showMessage(message);
    if (!outcome.focusField.isEmpty())
        field(outcome.focusField)->setFocus(Qt::OtherFocusReason);
}
