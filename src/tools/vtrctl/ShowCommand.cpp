#include "tools/vtrctl/ShowCommand.h"

#include "device/CVtrConfigDoc.h"
#include "tools/vtrctl/DocumentJson.h"
#include "tools/vtrctl/VtrctlProgram.h"
#include "tree/CVtrConfigView.h"
#include "ui/HeadlessBackend.h"

namespace {

// The document, given the link that vtrctl has opened (with its time-out and line settings)
// in place of opening one from connect options.
class LinkedDocument : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::useOpenLink;
};

} // namespace

int ShowCommand::run(MbusMasterFunctions& master, const ConnectOptions& options, bool hex,
                     std::ostream& out, std::ostream& err) const {
    // The refresh reports through message boxes: here they are kept and printed.
    HeadlessBackend messages;
    ScopedBackend scope(messages);

    LinkedDocument doc;
    doc.setConnectOptions(options);
    doc.setHexDisplay(hex ? 1 : 0);
    doc.useOpenLink(&master);
    doc.refresh();

    for (const auto& box : messages.messageBoxes()) {
        err << box.caption << ": " << box.text << '\n';
    }
    if (!doc.isConnected()) {
        return VtrctlProgram::exitFailure;
    }
    print(doc, out);
    return messages.messageBoxes().empty() ? VtrctlProgram::exitSuccess : exitPartial;
}

void ShowCommand::print(CVtrConfigDoc& doc, std::ostream& out) const {
    switch (format) {
    case Format::json:
        DocumentJson::write(doc, out);
        break;
    case Format::tree: {
        CVtrConfigView view(doc);
        view.OnInitialUpdate();
        out << view.outlineText();
        break;
    }
    }
}
