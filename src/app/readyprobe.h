#pragma once
// The moment a program is ready for the user, for the start-up benchmark:
// with TOLVAN_READY_PROBE set in the environment, the program prints
// "ready <ns>" (the monotonic clock, the same clock on both sides of a
// fork) once its main window has painted for the first time and the event
// loop has then had one free pass, and quits. Without the variable nothing
// changes. Header-only and Qt-only, so the benchmark's bare window uses the
// very same probe.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

inline void probeReadyAfterFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("TOLVAN_READY_PROBE"))
        return;
    class Probe final : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && !m_painted) {
                m_painted = true;
                // Fires after the paint has finished and after whatever work
                // was queued before it: the first free pass of the loop.
                auto* pass = new QTimer(this);
                pass->setSingleShot(true);
                connect(pass, &QTimer::timeout, this, [] {
                    timespec now {};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    std::printf("ready %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
                pass->start(0);
            }
            return QObject::eventFilter(watched, event);
        }

    private:
        bool m_painted = false;
    };
    window->installEventFilter(new Probe(window));
}
