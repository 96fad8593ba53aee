#include "tools/vtrctl/ExportCommand.h"

#include "app/KepServerExport.h"
#include "app/KepTagFile.h"
#include "tools/vtrctl/RefreshedDocument.h"
#include "tools/vtrctl/VtrctlProgram.h"

int ExportCommand::run(MbusMasterFunctions& master, bool tcp, int slave, std::ostream& out,
                       std::ostream& err) const {
    RefreshedDocument unit(master, tcp, slave, err);
    if (path == "-") {
        if (!unit.connected()) {
            err << KepServerExport::message(KepServerExport::Outcome::notConnected) << '\n';
            return VtrctlProgram::exitFailure;
        }
        // Whether it reached the reader is vtrctl's check of standard output.
        out << KepTagFile::text(unit.doc());
        return VtrctlProgram::exitSuccess;
    }
    const KepServerExport::Outcome outcome = KepServerExport::writeFile(unit.doc(), path);
    if (outcome != KepServerExport::Outcome::created) {
        err << KepServerExport::message(outcome) << '\n';
        return VtrctlProgram::exitFailure;
    }
    out << KepServerExport::message(outcome) << '\n';
    return VtrctlProgram::exitSuccess;
}
