#pragma once

#include "ui/ControlPeer.h"
#include "ui/qt/DialogUnits.h"

#include <QDialog>
#include <QMetaObject>

#include <memory>
#include <vector>

class CDialog;
class QtControlPeer;

// The Qt window of a dialog: one widget per control, laid out from the template's dialog
// units. Esc and the close box reach the dialog as a click on IDCANCEL, so that its own
// OnCancel decides; Tab follows template order; the focus is kept in step both ways.
class QtDialogWindow final : public QDialog, public WindowPeer {
public:
    QtDialogWindow(CDialog& dialog, QWidget* parent);
    ~QtDialogWindow() override;

    // Stops mirroring before the dialog's controls go away.
    void detach();
    QtControlPeer* peer(int controlId) const;
    QWidget* controlWidget(int controlId) const;
    // The control widgets in template order.
    std::vector<QWidget*> controlWidgets() const;

    void titleChanged() override;
    void focusChanged(int controlId) override;

    void reject() override;

private:
    CDialog* m_dialog;
    DialogUnits m_units;
    std::vector<std::unique_ptr<QtControlPeer>> m_peers;
    QMetaObject::Connection m_focusConnection;
};
