#include "tools/vtrctl/ShowCommand.h"

#include "device/CVtrConfigDoc.h"
#include "tools/vtrctl/DocumentJson.h"
#include "tools/vtrctl/RefreshedDocument.h"
#include "tools/vtrctl/VtrctlProgram.h"

int ShowCommand::run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
                     std::ostream& err) const {
    RefreshedDocument unit(master, tcp, slave, err);
    if (!unit.connected()) {
        return VtrctlProgram::exitFailure;
    }
    if (!print(unit.doc(), hex, out, err)) {
        return VtrctlProgram::exitUsage;
    }
    return unit.reported() ? exitPartial : VtrctlProgram::exitSuccess;
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
