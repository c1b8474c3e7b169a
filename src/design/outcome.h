#pragma once
// What a calculation asks of its window besides numbers: a beep, the message
// boxes to show (in order, after the fields are filled) and the control that
// gets the focus afterwards. The window carries it out; the calculation never
// touches a widget.

#include "core/messages.h"

#include <QString>
#include <QVector>

namespace design {

struct Outcome {
    bool beep = false; // a beep without a box
    QVector<Message> messages; // shown in this order
    QString focusField; // control name; empty: the focus stays where it is

    static Outcome beepAndFocus(const QString& field) { return { true, {}, field }; }
    static Outcome message(const Message& message, const QString& field = {}) { return { false, { message }, field }; }
};

// Who asks for a design: a button shows the warnings and beeps with its
// errors; a window's activation (or opening) stays quieter.
enum class Trigger { Calculate, Activation };

} // namespace design
