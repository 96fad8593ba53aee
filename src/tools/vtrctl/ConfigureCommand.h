#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class CVtrConfigDoc;
class MbusMasterFunctions;

// `set` and `reset`: one configuration block of a VTR300 written, or one reset sent, through the
// program's own document operations, as the configuration dialogs and the Reset commands do.
// Every value is judged by the dialogs' own parsers and rules before the link is opened; a
// refused value is reported with the dialog's own message. Fields left out keep the unit's
// values, read by a refresh first.
class ConfigureCommand {
public:
    enum class Kind { none, set, reset };

    Kind kind = Kind::none;
    std::vector<std::string> words; // what follows `set` or `reset`

    // Judges the words; false with the reason (a dialog's message where a dialog has one).
    bool check(std::string& problem);

    // Refreshes a document over `master`, whose link is open, writes, and prints the tree's
    // rows of what was written. `slave` is the RTU slave address. Returns vtrctl's exit status:
    // 0 written, 1 the refresh or the write failed (the document's message on `err`).
    int run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
            std::ostream& err) const;

private:
    bool checkSet(std::string& problem);
    bool checkReset(std::string& problem);

    // Applies the checked request to the refreshed document.
    std::function<void(CVtrConfigDoc&)> m_write;
    // The tree rows to print afterwards: a path of row-text prefixes from the top.
    std::vector<std::string> m_rows;
    // The write closes an RTU link (the unit's RTU interface changes under it).
    bool m_rtuInterface = false;
    // The unit restarts after the command: wait, then read it again.
    bool m_rebootAfter = false;
};
