#include "ui/boxwindowsupport.h"

#include "core/messages.h"
#include "core/numberformat.h"
#include "core/numberparse.h"
#include "design/singles.h"
#include "graph/CBGRAPH1.h"
#include "platform/designwindow.h"
#include "print/boxreport.h"
#include "ui/boxlayout.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

namespace boxui {

QLineEdit* fieldOf(const QWidget* window, const QString& name)
{
    QLineEdit* field = window->findChild<QLineEdit*>(name);
    Q_ASSERT_X(field, "boxui::fieldOf", qPrintable(name));
    return field;
}

double numberIn(const QWidget* window, const QString& name) { return parseNumber(fieldOf(window, name)->text()); }

void setTextOf(QWidget* window, const QString& name, const QString& text) { fieldOf(window, name)->setText(text); }

void carryOut(QWidget* window, const design::Outcome& outcome)
{
    if (outcome.beep)
        beep();
    for (const Message& message : outcome.messages)
        showMessage(message);
    if (!outcome.focusField.isEmpty())
        fieldOf(window, outcome.focusField)->setFocus(Qt::OtherFocusReason);
}

void showsStoredDriverAndBox(DesignWindow* window)
{
    const DesignState& state = designState();
    window->showsStoredValue("szWoofBox", state.driverName);
    window->showsStoredValue("szQts", state.qts);
    window->showsStoredValue("szVas", state.vas);
    window->showsStoredValue("szFar", state.fs);
    window->showsStoredValue("szISO", state.isoFactor);
    for (const float* dimension : { &state.boxHeight, &state.boxWidth, &state.boxDepth })
        window->showsStoredValue(nullptr, *dimension);
}

bool showStoredDriver(DesignWindow* window)
{
    const DesignState& state = designState();
    const std::pair<const char*, float> stored[]
        = { { "szQts", state.qts }, { "szVas", state.vas }, { "szFar", state.fs } };
    bool complete = true;
    for (const auto& [name, value] : stored) {
        if (value > 0)
            window->refillField(QString::fromLatin1(name), numberText(value));
        else
            complete = false;
    }
    return complete;
}

void showIsobaric(DesignWindow* window)
{
    window->refillField(
        QStringLiteral("szISO"), designState().isoFactor >= 1 ? QStringLiteral("N") : QStringLiteral("Y"));
}

void storeFields(const QWidget* window, std::initializer_list<FieldBinding> bindings)
{
    DesignState& state = designState();
    for (const FieldBinding& binding : bindings)
        state.*binding.member = design::toSingle(numberIn(window, QString::fromLatin1(binding.field)));
}

void storeAndShowProportions(QWidget* window, const design::BoxProportions& box, const QString& height,
    const QString& width, const QString& depth)
{
    DesignState& state = designState();
    state.boxHeight = box.height;
    state.boxWidth = box.width;
    state.boxDepth = box.depth;
    setTextOf(window, height, formatNumber(box.height, design::kPattern2));
    setTextOf(window, width, formatNumber(box.width, design::kPattern2));
    setTextOf(window, depth, formatNumber(box.depth, design::kPattern2));
}

void showPortLengths(QWidget* window, const design::PortLengths& lengths)
{
    for (int i = 0; i < design::kPortCount; ++i)
        setTextOf(window, QString::fromLatin1(kPortFields[i]), design::portLengthText(lengths[i]));
}

void graphHandOver(const std::function<void()>& store)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    store();
    state.graphDrawn = 0;
    openWindow<CBGRAPH1>();
}

void printHandOver(const std::function<void()>& store)
{
    DesignState& state = designState();
    if (state.designValid != 1)
        return;
    store();
    state.boxValid = 1;
    printBoxDataReport(QApplication::activeWindow());
}

void exitHandOver(const std::function<void()>& store, const QString& wooferName)
{
    DesignState& state = designState();
    if (state.designValid == 1) {
        store();
        state.driverName = wooferName;
        state.boxValid = 1;
    } else {
        state.boxValid = 0;
    }
    state.designValid = 0;
}

void setReadOnly(QWidget* window, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        fieldOf(window, QString::fromLatin1(name))->setReadOnly(true);
}

} // namespace boxui
