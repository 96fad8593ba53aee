#include "tools/vtrctl/ShowCommand.h"

#include "device/CVtrConfigDoc.h"
#include "tools/vtrctl/DocumentJson.h"
#include "tools/vtrctl/VtrctlProgram.h"
#include "ui/HeadlessBackend.h"

namespace {

// The document, given the link that vtrctl has opened (with its time-out and line settings)
// in place of opening one from connect options.
class LinkedDocument : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::useOpenLink;
};

} // namespace

int ShowCommand::run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
                     std::ostream& err) const {
    // The refresh reports through message boxes: here they are kept and printed.
    HeadlessBackend messages;
    ScopedBackend scope(messages);

    LinkedDocument doc;
    ConnectOptions options;
    options.protocol = tcp ? ConnectOptions::modbusTcp : ConnectOptions::modbusRtu;
    options.slaveId = static_cast<uint8_t>(slave);
    doc.setConnectOptions(options);
    doc.useOpenLink(&master);
    doc.refresh();

    for (const auto& box : messages.messageBoxes()) {
        err << box.caption << ": " << box.text << '\n';
    }
    if (!doc.isConnected()) {
        return VtrctlProgram::exitFailure;
    }
    if (!print(doc, hex, out, err)) {
        return VtrctlProgram::exitUsage;
    }
    return messages.messageBoxes().empty() ? VtrctlProgram::exitSuccess : exitPartial;
}

bool ShowCommand::print(const CVtrConfigDoc& doc, bool /*hex*/, std::ostream& out,
                        std::ostream& err) const {
    switch (format) {
    case Format::json:
        DocumentJson::write(doc, out);
        return true;
    case Format::tree:
        break;
    }
    err << "vtrctl: show: the configuration tree is not available yet; use --json\n";
    return false;
}
