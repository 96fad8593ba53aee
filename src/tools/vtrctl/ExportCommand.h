#pragma once

#include <ostream>
#include <string>

class MbusMasterFunctions;

// `export FILE`: reads the unit as on Connect and writes its KEPServerEX tag file, exactly as
// the program's File > Export command does; "-" writes it to standard output.
class ExportCommand {
public:
    bool requested = false;
    std::string path;

    // Returns vtrctl's exit status: 0 written, 1 the link, the refresh or the file failed (with
    // the message on the error stream).
    int run(MbusMasterFunctions& master, bool tcp, int slave, std::ostream& out,
            std::ostream& err) const;
};
