#pragma once

#include "ui/CDialog.h"
#include "ui/UiConstants.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtDialogWindow.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Installs the Qt backend for one test and plays the user of a modal dialog from inside its
// event loop, through the real widgets.
class QtUi {
public:
    QtUi() : m_scope(backend) {}

    // Runs the dialog; `user` acts once the modal loop is running. A dialog the user leaves
    // open is cancelled, and so is one still open after a generous time-out.
    int run(CDialog& dialog, std::function<void(QtDialogWindow&)> user) {
        QTimer::singleShot(0, [&] {
            QtDialogWindow* window = backend.windowOf(dialog);
            ASSERT_NE(window, nullptr);
            user(*window);
            if (dialog.IsWindow() && !dialog.modalEnded() && !m_waits) {
                ADD_FAILURE() << "dialog left open";
                dialog.EndDialog(IDCANCEL);
            }
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&dialog] {
            ADD_FAILURE() << "dialog still open after the time-out";
            dialog.EndDialog(IDCANCEL);
        });
        guard.start(20000);
        return dialog.DoModal();
    }

    // The dialog ends by itself later (timers), not from inside the user's actions.
    void letDialogRun() { m_waits = true; }

    QtBackend backend;

private:
    ScopedBackend m_scope;
    bool m_waits = false;
};
