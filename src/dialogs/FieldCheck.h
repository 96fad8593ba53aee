#pragma once

#include <cstdint>
#include <string>

class CControl;
class CDialog;
class CEdit;

// Reads a dialog's number fields in its fixed order when the user confirms. The first field
// that is rejected is reported in a "Data Error" box owned by the dialog (stop icon, OK), the
// focus goes to that field, and every later read or rule is skipped, so that OnOK only has
// to close the dialog when passed() holds. A parser stores straight into the edit record.
class FieldCheck {
public:
    explicit FieldCheck(CDialog& dialog) : m_dialog(dialog) {}

    bool readUInt8(const CEdit& field, uint8_t& value, const std::string& message);
    bool readUInt16(const CEdit& field, uint16_t& value, const std::string& message);
    bool readInt16(const CEdit& field, int16_t& value, const std::string& message);
    // A further rule on a field that parsed: rejects it when `holds` is false.
    bool require(bool holds, const CControl& field, const std::string& message);
    // Rejects a field for a reason found by the dialog itself.
    bool reject(const CControl& field, const std::string& message);

    bool passed() const { return !m_rejected; }

private:
    bool judge(int parseResult, const CControl& field, const std::string& message);

    CDialog& m_dialog;
    bool m_rejected = false;
};

// The caption of the box that reports a rejected entry.
inline constexpr const char* kDataErrorCaption = "Data Error";
