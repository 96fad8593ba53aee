#pragma once

#include "res/DialogTemplate.h"

#include <array>
#include <cstdint>

// The shape every configuration dialog shares: its fields inside a group box on the left,
// "Configure" (the default button, the dialog's OK) above "Cancel" on the right. The 16-channel
// dialogs put channels 0 to 7 in a left column and 8 to 15 in a right one.
namespace ConfigureDialogLayout {

constexpr int idConfigure = 1;
constexpr int idCancel = 2;

constexpr int16_t margin = 7;
constexpr int16_t buttonWidth = 50;
constexpr int16_t buttonHeight = 14;

// The dialog width that leaves room for the buttons right of a group box ending at groupRight.
constexpr int16_t dialogWidth(int16_t groupRight) {
    return static_cast<int16_t>(groupRight + margin + buttonWidth + margin);
}

constexpr ControlTemplate configureButton(int16_t groupRight) {
    return {
        idConfigure, ControlKind::Button, "Configure",  static_cast<int16_t>(groupRight + margin),
        margin,      buttonWidth,         buttonHeight, StyleDefault};
}

constexpr ControlTemplate cancelButton(int16_t groupRight) {
    return {
        idCancel,    ControlKind::Button, "Cancel",     static_cast<int16_t>(groupRight + margin),
        margin + 17, buttonWidth,         buttonHeight, StyleNone};
}

inline constexpr const char* channelLabels[16] = {
    "Channel 0",  "Channel 1",  "Channel 2",  "Channel 3",  "Channel 4",  "Channel 5",
    "Channel 6",  "Channel 7",  "Channel 8",  "Channel 9",  "Channel 10", "Channel 11",
    "Channel 12", "Channel 13", "Channel 14", "Channel 15",
};

// One field per channel, each with its "Channel n" label.
struct ChannelGrid {
    int groupId;
    const char* groupPlaceholder; // replaced when the dialog opens
    ControlKind fieldKind;
    int16_t fieldWidth;
};

constexpr int16_t gridLabelWidth = 44;
constexpr int16_t gridColumnGap = 14;
constexpr int16_t gridFirstRow = 20;
constexpr int16_t gridRowStep = 17;
constexpr int16_t gridRowsPerColumn = 8;

constexpr int16_t gridColumnWidth(const ChannelGrid& grid) {
    return static_cast<int16_t>(gridLabelWidth + grid.fieldWidth);
}
constexpr int16_t gridGroupRight(const ChannelGrid& grid) {
    return static_cast<int16_t>(margin + 7 + 2 * gridColumnWidth(grid) + gridColumnGap + 7);
}
constexpr int16_t gridDialogHeight() {
    return static_cast<int16_t>(gridFirstRow + gridRowsPerColumn * gridRowStep + margin + 3);
}

// The group box, per channel its label then its field (so Tab runs down the left column and
// then the right one), and the two buttons.
template <typename FieldId, typename LabelId>
constexpr std::array<ControlTemplate, 35> channelGridControls(const ChannelGrid& grid,
                                                              FieldId fieldId, LabelId labelId) {
    std::array<ControlTemplate, 35> controls{};
    const int16_t groupRight = gridGroupRight(grid);
    const int16_t groupHeight = static_cast<int16_t>(gridDialogHeight() - 2 * margin);
    size_t next = 0;
    controls[next++] = {grid.groupId,
                        ControlKind::GroupBox,
                        grid.groupPlaceholder,
                        margin,
                        margin,
                        static_cast<int16_t>(groupRight - margin),
                        groupHeight,
                        StyleNone};
    const int16_t fieldHeight = grid.fieldKind == ControlKind::ComboBox ? 80 : 14;
    for (int channel = 0; channel < 16; ++channel) {
        const int16_t column = static_cast<int16_t>(channel / gridRowsPerColumn);
        const int16_t x =
            static_cast<int16_t>(margin + 7 + column * (gridColumnWidth(grid) + gridColumnGap));
        const int16_t y =
            static_cast<int16_t>(gridFirstRow + (channel % gridRowsPerColumn) * gridRowStep);
        controls[next++] = {labelId(channel),
                            ControlKind::Static,
                            channelLabels[channel],
                            x,
                            static_cast<int16_t>(y + 2),
                            static_cast<int16_t>(gridLabelWidth - 4),
                            8,
                            StyleNone};
        controls[next++] = {fieldId(channel),
                            grid.fieldKind,
                            "",
                            static_cast<int16_t>(x + gridLabelWidth),
                            y,
                            grid.fieldWidth,
                            fieldHeight,
                            grid.fieldKind == ControlKind::Edit ? StyleBorder : StyleNone};
    }
    controls[next++] = configureButton(groupRight);
    controls[next++] = cancelButton(groupRight);
    return controls;
}

} // namespace ConfigureDialogLayout
