#include "cli/fieldreading.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

struct Placed {
    QRect rect;
    QString text;
};

QRect rectIn(const QWidget* window, const QWidget* widget)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

bool sameRow(const QRect& a, const QRect& b) { return a.center().y() >= b.top() && a.center().y() <= b.bottom(); }

// Rich-text captions ("m<sup>3</sup>") as plain text ("m^3").
QString plain(QString text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    static const QRegularExpression superscript(QStringLiteral("<sup>(.*?)</sup>"));
    text.replace(superscript, QStringLiteral("^\\1"));
    return QTextDocumentFragment::fromHtml(text).toPlainText().simplified();
}

QString frameTitle(const QWidget* window, const QLineEdit* field)
{
    const QRect rect = rectIn(window, field);
    for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
        if (rectIn(window, frame).contains(rect))
            return frame->title();
    return {};
}

class Surroundings {
public:
    Surroundings(const QWidget* window, const QLineEdit* field)
        : m_field(rectIn(window, field))
    {
        for (const QLabel* label : window->findChildren<QLabel*>())
            if (!label->text().trimmed().isEmpty())
                m_labels.append({ rectIn(window, label), plain(label->text()).trimmed() });
        for (const QLineEdit* other : window->findChildren<QLineEdit*>())
            if (other != field)
                m_fields.append(rectIn(window, other));
    }

    // The nearest label on the field's row left of it that is nearer to it
    // than to any field on its own left (not another field's unit); with
    // `rowStart`, the first label of the row whatever stands between.
    std::optional<Placed> left(bool rowStart) const
    {
        std::optional<Placed> best;
        for (const Placed& label : m_labels) {
            if (!sameRow(label.rect, m_field) || label.rect.right() > m_field.left() + 1)
                continue;
            if (!rowStart
                && (fieldBetween(label.rect.right(), m_field.left())
                    || gapToFieldLeftOf(label.rect) < m_field.left() - label.rect.right()))
                continue;
            if (!best || (rowStart ? label.rect.left() < best->rect.left() : label.rect.right() > best->rect.right()))
                best = label;
        }
        return best;
    }

    // The nearest label on the field's row right of it that is nearer to it
    // than to any field on its own right; with `rowEnd`, the last of the row.
    std::optional<Placed> right(bool rowEnd) const
    {
        std::optional<Placed> best;
        for (const Placed& label : m_labels) {
            if (!sameRow(label.rect, m_field) || label.rect.left() < m_field.right() - 1)
                continue;
            if (!rowEnd
                && (fieldBetween(m_field.right(), label.rect.left())
                    || gapToFieldRightOf(label.rect) < label.rect.left() - m_field.right()))
                continue;
            if (!best || (rowEnd ? label.rect.right() > best->rect.right() : label.rect.left() < best->rect.left()))
                best = label;
        }
        return best;
    }

    // The nearest label above the field whose middle lies over it.
    std::optional<Placed> above() const
    {
        std::optional<Placed> best;
        for (const Placed& label : m_labels) {
            const int middle = label.rect.center().x();
            if (label.rect.bottom() <= m_field.top() + 1 && middle >= m_field.left() && middle <= m_field.right()
                && m_field.top() - label.rect.bottom() < 2 * m_field.height()
                && (!best || label.rect.bottom() > best->rect.bottom()))
                best = label;
        }
        return best;
    }

    // The nearest label above the field that spans well beyond it and is no
    // other field's caption (no field stands on its row).
    std::optional<Placed> heading() const
    {
        std::optional<Placed> best;
        for (const Placed& label : m_labels) {
            const int middle = m_field.center().x();
            if (label.rect.bottom() <= m_field.top() + 1 && label.rect.left() <= middle && label.rect.right() >= middle
                && label.rect.width() >= 2 * m_field.width() && !fieldOnRowOf(label.rect)
                && (!best || label.rect.bottom() > best->rect.bottom()))
                best = label;
        }
        return best;
    }

private:
    // The distance from a label to the nearest field on its row to its left (right).
    int gapToFieldLeftOf(const QRect& label) const
    {
        int gap = INT_MAX;
        for (const QRect& other : m_fields)
            if (sameRow(other, m_field) && other.right() <= label.left() + 1)
                gap = std::min(gap, label.left() - other.right());
        return gap;
    }
    int gapToFieldRightOf(const QRect& label) const
    {
        int gap = INT_MAX;
        for (const QRect& other : m_fields)
            if (sameRow(other, m_field) && other.left() >= label.right() - 1)
                gap = std::min(gap, other.left() - label.right());
        return gap;
    }

    bool fieldOnRowOf(const QRect& label) const
    {
        return std::any_of(m_fields.begin(), m_fields.end(), [&label](const QRect& f) { return sameRow(f, label); })
            || sameRow(m_field, label);
    }

    bool fieldBetween(int from, int to) const
    {
        for (const QRect& other : m_fields)
            if (sameRow(other, m_field) && other.left() >= from && other.right() <= to)
                return true;
        return false;
    }

    QRect m_field;
    QVector<Placed> m_labels;
    QVector<QRect> m_fields;
};

QString textOf(const std::optional<Placed>& label) { return label ? label->text : QString(); }

} // namespace

FieldReading readField(const QWidget* window, const QString& name, CaptionPlace place)
{
    FieldReading reading { name, {}, {}, {}, {} };
    const auto* field = window->findChild<QLineEdit*>(name);
    if (!field)
        return reading;
    reading.text = field->text();
    const Surroundings around(window, field);
    if (place == CaptionPlace::TableCell) {
        reading.caption = (textOf(around.left(true)) + u' ' + textOf(around.above())).trimmed();
        reading.unit = textOf(around.right(true));
    } else {
        const std::optional<Placed> left = around.left(false);
        reading.caption = left ? left->text : textOf(around.above());
        reading.unit = textOf(around.right(false));
        reading.section = frameTitle(window, field);
        if (reading.section.isEmpty() && around.heading() && around.heading()->text != reading.caption)
            reading.section = around.heading()->text;
    }
    return reading;
}
