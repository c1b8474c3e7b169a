#pragma once
// Drives a design window as a user would, for the window tests: fields and
// buttons are found by their control names, typing replaces a field's text,
// clicks and Enter go through the real events so that the focus rules run.

#include "platform/designwindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

template <class W> class WindowProbe {
public:
    // Opens (or brings back) the window and waits until its activation ran.
    W* open()
    {
        m_window = openWindow<W>();
        if (!QTest::qWaitForWindowActive(m_window))
            qWarning("%s did not become active", qPrintable(m_window->objectName()));
        return m_window;
    }
    W* window() const { return m_window; }

    QLineEdit* field(const QString& name) const { return m_window->template findChild<QLineEdit*>(name); }
    QString text(const QString& name) const { return field(name)->text(); }
    QStringList texts(const QStringList& names) const
    {
        QStringList out;
        for (const QString& name : names)
            out << text(name);
        return out;
    }
    void type(const QString& name, const QString& value) { field(name)->setText(value); }
    // Types into the field as the focused one and leaves it with Enter.
    void typeAndEnter(const QString& name, const QString& value)
    {
        field(name)->setFocus(Qt::TabFocusReason);
        field(name)->selectAll();
        QTest::keyClicks(field(name), value);
        QTest::keyClick(field(name), Qt::Key_Return);
    }
    void click(const QString& name)
    {
        QTest::mouseClick(m_window->template findChild<QPushButton*>(name), Qt::LeftButton);
    }
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // The buttons left to right, as "name=caption".
    QStringList buttonRow() const
    {
        auto buttons = m_window->template findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
        QStringList row;
        for (const QPushButton* b : buttons)
            row << b->objectName() + "=" + b->text();
        return row;
    }
    QStringList captions() const
    {
        QStringList out;
        for (const QLabel* label : m_window->template findChildren<QLabel*>())
            out << label->text();
        return out;
    }

private:
    W* m_window = nullptr;
};
