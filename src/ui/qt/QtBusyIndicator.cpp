#include "ui/qt/QtBusyIndicator.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr const char* kTakesInputWhileBusy = "takesInputWhileBusy";

} // namespace

QtBusyIndicator::QtBusyIndicator(QStatusBar& bar)
    : QWidget(&bar), m_bar(new QProgressBar(this)), m_cancel(new QPushButton(tr("Cancel"), this)),
      m_hide(new QTimer(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel);
    m_bar->setFormat(QStringLiteral("%v / %m"));
    m_bar->setAlignment(Qt::AlignCenter);
    m_bar->setFixedWidth(m_bar->fontMetrics().horizontalAdvance(QStringLiteral("888 / 888")) * 2);
    // Keyboard users have Esc; the focus stays where the user left it.
    m_cancel->setFocusPolicy(Qt::NoFocus);
    m_cancel->setProperty(kTakesInputWhileBusy, true);
    QObject::connect(m_cancel, &QPushButton::clicked, [] { BusyFlow::requestCancel(); });
    m_hide->setSingleShot(true);
    QObject::connect(m_hide, &QTimer::timeout, this, [this] {
        if (!BusyFlow::state().running && BusyFlow::state().stepsRunning == 0) {
            hide();
        }
    });
    // After the message pane, before the CAP, NUM and SCRL indicators.
    bar.insertPermanentWidget(1, this);
    hide();
}

void QtBusyIndicator::showState(const BusyFlow::State& state) {
    if (!state.running && state.stepsRunning == 0) {
        m_hide->start(0);
        return;
    }
    m_hide->stop();
    m_bar->setRange(0, state.total);
    m_bar->setValue(state.total > 0 ? state.done : 0);
    m_cancel->setVisible(state.running);
    m_cancel->setEnabled(state.cancellable && !state.cancelled);
    show();
}

bool QtBusyIndicator::takesInputWhileBusy(const QObject* target) {
    return target != nullptr && target->property(kTakesInputWhileBusy).toBool();
}
