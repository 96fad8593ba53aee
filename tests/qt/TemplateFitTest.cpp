#include "ProgramOnUnit.h"
#include "QtUiUser.h"
#include "app/CMainFrame.h"

#include "quickview/CChanQuickViewDlg.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "ui/CDialog.h"
#include "ui/qt/DialogUnits.h"
#include "ui/qt/QtDialogWindow.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

namespace {

// Room a push button's frame takes on each side of its text, and a group box's title margins.
constexpr int kButtonMargin = 4;
constexpr int kTitleMargin = 16;

// The size a control needs to show its text whole in the font and style in use; empty when it
// shows no text.
QSize neededSize(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    const auto textSize = [&](QString text) {
        return text.isEmpty() ? QSize()
                              : QSize(metrics.horizontalAdvance(text.remove(QLatin1Char('&'))),
                                      metrics.height());
    };
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        return textSize(button->text()) + QSize(2 * kButtonMargin, 0);
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        // Radio buttons and check boxes: the indicator, the gap and the text.
        return button->text().isEmpty() ? QSize()
                                        : QSize(button->sizeHint().width(), metrics.height());
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        const QSize title = textSize(box->title());
        return title.isEmpty() ? title : QSize(title.width() + kTitleMargin, title.height());
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text().isEmpty() ? QSize()
                                       : QSize(label->sizeHint().width(), metrics.height());
    }
    return {};
}

// Where a control stands in its template, laid out in the window's font.
QRect templateRect(const QtDialogWindow& window, const ControlState& control) {
    const ControlTemplate& from = *control.source;
    return DialogUnits(window.font()).rect(from.x, from.y, from.cx, from.cy);
}

// Every text whole, every control inside the window, and no control grown under a neighbour it
// did not touch in the template; a group box still holds what it held.
void expectFits(const CWnd& dialog, std::set<int>& checked) {
    auto* backend = dynamic_cast<QtBackend*>(&currentBackend());
    ASSERT_NE(backend, nullptr);
    const QtDialogWindow* window = backend->windowOf(dialog);
    ASSERT_NE(window, nullptr);
    checked.insert(dialog.dialogTemplate()->id);
    const std::vector<QWidget*> widgets = window->controlWidgets();
    const auto& controls = dialog.controls();
    ASSERT_EQ(widgets.size(), controls.size());
    for (size_t i = 0; i < widgets.size(); ++i) {
        const QWidget& widget = *widgets[i];
        const std::string where = dialog.GetWindowText() + ": " + widget.metaObject()->className() +
                                  " \"" + controls[i]->text + "\"";
        EXPECT_TRUE(window->rect().contains(widget.geometry())) << where << " leaves the window";
        const QSize needed = neededSize(widget);
        EXPECT_LE(needed.width(), widget.width()) << where << " cuts its text";
        EXPECT_LE(needed.height(), widget.height()) << where << " cuts its text";
        const QRect before = templateRect(*window, *controls[i]);
        for (size_t j = 0; j < widgets.size(); ++j) {
            const QRect other = templateRect(*window, *controls[j]);
            const bool otherIsGroup = qobject_cast<const QGroupBox*>(widgets[j]) != nullptr;
            if (j != i && otherIsGroup && other.contains(before)) {
                EXPECT_TRUE(widgets[j]->geometry().contains(widget.geometry()))
                    << where << " leaves its group box";
            } else if (j != i && !before.intersects(other)) {
                EXPECT_FALSE(widget.geometry().intersects(widgets[j]->geometry()))
                    << where << " runs under \"" << controls[j]->text << "\"";
            }
        }
    }
    // The caption bar shows the title beside the window's buttons.
    const QFontMetrics metrics(window->font());
    EXPECT_LE(metrics.horizontalAdvance(window->windowTitle()) + 4 * metrics.height(),
              window->width())
        << dialog.GetWindowText() << ": the title is cut";
}

// The quick view once its first pass shows live values, and the edit popup of its first
// analog output.
void checkQuickView(UiUser& user, CWnd& view, std::set<int>& checked) {
    ASSERT_TRUE(user.waitUntil([&] { return view.findControl(IDC_QV_STATUS)->text == "paused"; }));
    expectFits(view, checked);
    const std::vector<std::string>& lines = view.findControl(IDC_QV_LIST)->items;
    int output = 0;
    while (output < static_cast<int>(lines.size()) &&
           lines[static_cast<size_t>(output)].find("Output") == std::string::npos) {
        ++output;
    }
    ASSERT_LT(output, static_cast<int>(lines.size())) << "no analog output listed";
    user.expectModal(IDD_EDIT_POPUP, [&checked](UiUser& user, CWnd& popup) {
        expectFits(popup, checked);
        user.pressEscape(popup);
    });
    user.select(view, IDC_QV_LIST, output);
    user.pressEscape(view);
}

// Every dialog of the program as it opens over the main window connected to the simulated
// unit, filled by its own code (with live values where it shows them), through the Qt
// widgets and the font in use. A new template is checked by being listed in the program.
TEST(TemplateFit, EveryDialogShowsItsTextsWholeAndKeepsItsNeighboursClear) {
    QtUiUser user;
    ProgramOnUnit program;
    ASSERT_TRUE(program.connect());
    CVtrConfigDoc& doc = program.app.document();
    CMainFrame& frame = program.app.mainWindow();
    std::set<int> checked;
    const auto plainDialog = [](int id) {
        return [id] {
            CDialog dialog(id);
            dialog.DoModal();
        };
    };
    const auto connectOptions = [&](uint16_t protocol) {
        return [&, protocol] {
            ConnectOptions options = doc.getConnectOptions();
            options.protocol = protocol;
            doc.setConnectOptions(options);
            frame.OnConnectOptions();
        };
    };
    const struct {
        int templateId;
        std::function<void()> open;
    } openings[] = {
        {IDD_ABOUTBOX, plainDialog(IDD_ABOUTBOX)},
        {IDD_CONTROL_SAMPLE, plainDialog(IDD_CONTROL_SAMPLE)},
        {IDD_CFG_RTU_PARMS, [&] { doc.configureRtuInterface(); }},
        {IDD_CFG_TCP_PARMS, [&] { doc.configureTcpInterface(1); }},
        {IDD_CFG_SCAN_MODE, [&] { doc.configureScanMode(); }},
        {IDD_CFG_ANA_SCAN_PARMS, [&] { doc.configureScanParameters(); }},
        {IDD_CFG_ANA_CHAN_STATES, [&] { doc.configureAnalogChannelStates(0); }},
        {IDD_CFG_ANA_IN_OPTS, [&] { doc.configureAverageWeight(0, 15); }},
        {IDD_CFG_ANA_OUT_OPTS, [&] { doc.configureDefaultOutput(3, 15); }},
        {IDD_CFG_MULT_ANA_IN_OPTS, [&] { doc.configureAverageWeights(0); }},
        {IDD_CFG_MULT_ANA_OUT_OPTS, [&] { doc.configureDefaultOutputs(3); }},
        {IDD_CFG_DIG_CHAN_STATES, [&] { doc.configureDigitalChannelStates(0); }},
        {IDD_CFG_DIG_OUT_OPTS, [&] { doc.configureDigitalOutput(0, 15); }},
        {IDD_CFG_MULT_DIG_OUT_OPTS, [&] { doc.configureDigitalOutputs(0); }},
        {IDD_CHAN_QUICK_VIEW, [&] { CChanQuickViewDlg::Show(doc); }},
    };
    for (const auto& opening : openings) {
        user.expectModal(opening.templateId, [&checked](UiUser& user, CWnd& dialog) {
            if (dialog.dialogTemplate()->id == IDD_CHAN_QUICK_VIEW) {
                checkQuickView(user, dialog, checked);
                return;
            }
            expectFits(dialog, checked);
            user.pressEscape(dialog);
        });
        opening.open();
    }
    for (const uint16_t protocol : {ConnectOptions::modbusRtu, ConnectOptions::modbusTcp}) {
        user.expectModal(IDD_MAKE_CONNECTION, [&checked](UiUser& user, CWnd& dialog) {
            expectFits(dialog, checked);
            user.pressEscape(dialog);
        });
        connectOptions(protocol)();
    }
    // The modeless windows, from their menu entries; the traffic log holds the connect's entries.
    frame.OnFindUnit();
    frame.trafficLog().Open(&frame);
    for (CWnd* window :
         {static_cast<CWnd*>(&frame.findUnitDialog()), static_cast<CWnd*>(&frame.trafficLog())}) {
        expectFits(*window, checked);
        window->DestroyWindow();
    }

    for (const DialogTemplate* from : allDialogTemplates()) {
        EXPECT_EQ(checked.count(from->id), 1u) << from->name << " was not opened";
    }
}

} // namespace
