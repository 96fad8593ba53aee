#include "tools/vtrctl/ShowCommand.h"

#include "device/CVtrConfigDoc.h"
#include "tools/vtrctl/DocumentJson.h"
#include "tools/vtrctl/RefreshedDocument.h"
#include "tools/vtrctl/VtrctlProgram.h"
#include "tree/CVtrConfigView.h"

int ShowCommand::run(MbusMasterFunctions& master, const ConnectOptions& options, bool hex,
                     std::ostream& out, std::ostream& err) const {
    RefreshedDocument unit(master, options, err);
    if (!unit.connected()) {
        return VtrctlProgram::exitFailure;
    }
    unit.doc().setHexDisplay(hex ? 1 : 0);
    print(unit.doc(), out);
    return unit.reported() ? exitPartial : VtrctlProgram::exitSuccess;
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
