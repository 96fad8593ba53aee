#pragma once

#include "ui/BusyFlow.h"

#include <QWidget>

class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;

// The progress of a busy flow in the main window's status bar, beside the message pane: a bar
// reading "5 / 15" (or running to and fro while the end is unknown) and a Cancel button,
// enabled while the flow can be cancelled. Hidden while nothing talks to the unit; a step run
// outside a flow (a configure write) shows the bar alone while it lasts.
class QtBusyIndicator final : public QWidget {
public:
    // Placed in `bar` between its message pane and its indicators.
    explicit QtBusyIndicator(QStatusBar& bar);

    void showState(const BusyFlow::State& state);
    // Mouse input that reaches the Cancel button while everything else is dropped.
    static bool takesInputWhileBusy(const QObject* target);

    QProgressBar* progressBar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    // Hides the bar of a step outside a flow once the event loop is back, so that the steps of
    // one write do not make it flicker.
    QTimer* m_hide;
};
