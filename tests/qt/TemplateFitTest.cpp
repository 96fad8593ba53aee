#include "res/Resources.h"
#include "ui/CDialog.h"
#include "ui/qt/QtBackend.h"
#include "ui/qt/QtDialogWindow.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <string>

namespace {

// Room a push button's frame takes on each side of its text, and a group box's title margins.
constexpr int kButtonMargin = 4;
constexpr int kTitleMargin = 16;

// The width a control needs to show its text whole, or 0 when it shows no text.
int neededWidth(const QWidget& widget) {
    const QFontMetrics metrics(widget.font());
    if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        QString text = button->text();
        return metrics.horizontalAdvance(text.remove(QLatin1Char('&'))) + 2 * kButtonMargin;
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) {
        return box->title().isEmpty() ? 0 : metrics.horizontalAdvance(box->title()) + kTitleMargin;
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text().isEmpty() ? 0 : label->sizeHint().width();
    }
    if (qobject_cast<const QRadioButton*>(&widget) != nullptr) {
        return widget.sizeHint().width();
    }
    return 0;
}

// Every dialog of the program, as it opens in our font, shows its template texts whole and
// keeps its controls inside the window. A new template is checked by being listed.
TEST(TemplateFit, EveryTemplateTextFitsItsControlAndEveryControlTheWindow) {
    for (const DialogTemplate* from : allDialogTemplates()) {
        QtBackend backend;
        const ScopedBackend scope(backend);
        CDialog dialog(*from);
        ASSERT_TRUE(dialog.createWindow());
        {
            const QtDialogWindow& window = *backend.windowOf(dialog);
            for (const QWidget* widget : window.controlWidgets()) {
                const std::string where =
                    std::string(from->name) + ": " + widget->metaObject()->className() + " at (" +
                    std::to_string(widget->x()) + ", " + std::to_string(widget->y()) + ")";
                EXPECT_TRUE(window.rect().contains(widget->geometry()))
                    << where << " leaves the window";
                EXPECT_LE(neededWidth(*widget), widget->width()) << where << " cuts its text";
            }
        }
        dialog.closeWindow();
    }
}

} // namespace
