#include "dialogs/FieldCheck.h"

#include "dialogs/NumberParsers.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"
#include "ui/UiConstants.h"

bool FieldCheck::readUInt8(const CEdit& field, uint8_t& value, const std::string& message) {
    return m_rejected ? false : judge(ParseUInt8(field.GetWindowText(), value), field, message);
}

bool FieldCheck::readUInt16(const CEdit& field, uint16_t& value, const std::string& message) {
    return m_rejected ? false : judge(ParseUInt16(field.GetWindowText(), value), field, message);
}

bool FieldCheck::readInt16(const CEdit& field, int16_t& value, const std::string& message) {
    return m_rejected ? false : judge(ParseInt16(field.GetWindowText(), value), field, message);
}

bool FieldCheck::require(bool holds, const CControl& field, const std::string& message) {
    if (m_rejected) {
        return false;
    }
    return holds || reject(field, message);
}

bool FieldCheck::reject(const CControl& field, const std::string& message) {
    if (m_rejected) {
        return false;
    }
    m_rejected = true;
    m_dialog.MessageBox(message, kDataErrorCaption, MB_OK | MB_ICONSTOP);
    m_dialog.GotoDlgCtrl(field);
    return false;
}

bool FieldCheck::judge(int parseResult, const CControl& field, const std::string& message) {
    // Every parser failure is reported alike; the message names the field and its rule.
    return parseResult == ParseOk || reject(field, message);
}
