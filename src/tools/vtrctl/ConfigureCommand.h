#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

class CVtrConfigDoc;
class MbusMasterFunctions;
enum class DeviceBlock;

// `set` and `reset`: one configuration block of a VTR300 written, or one reset sent, through the
// program's own document operations, as the configuration dialogs and the Reset commands do.
// Every value is judged by the dialogs' own parsers and rules before the link is opened; a
// refused value is reported with the dialog's own message. Fields left out keep the unit's
// values, read by a refresh first; a block the refresh could not read is written only whole.
class ConfigureCommand {
public:
    enum class Kind { none, set, reset };

    Kind kind = Kind::none;
    std::vector<std::string> words; // what follows `set` or `reset`

    // Judges the words; false with the reason (a dialog's message where a dialog has one).
    bool check(std::string& problem);

    // Refreshes a document over `master`, whose link is open, writes, and prints the tree's
    // rows of what was written. `slave` is the RTU slave address. Returns vtrctl's exit status:
    // 0 written, 1 the refresh or the write failed (the document's message on `err`), the
    // block to fill the fields left out from could not be read, or the refresh after a reset
    // failed.
    int run(MbusMasterFunctions& master, bool tcp, int slave, bool hex, std::ostream& out,
            std::ostream& err) const;

private:
    bool checkSet(std::string& problem);
    bool checkReset(std::string& problem);
    // The fields left out of a `set` come from the block as the refresh read it. `read` tells
    // whether it was read (reading it first where the refresh leaves it out); when it was not
    // and not every field (`fields`) was given, the set is refused rather than filled from the
    // dialogs' defaults.
    void fillFrom(DeviceBlock block, bool everyFieldGiven, const char* fields,
                  std::function<bool(CVtrConfigDoc&)> read);

    // Applies the checked request to the refreshed document.
    std::function<void(CVtrConfigDoc&)> m_write;
    // Whether the write may go ahead on the refreshed document, and the refusal when not.
    std::function<bool(CVtrConfigDoc&)> m_canFill;
    std::string m_unreadBlock;
    // The tree rows to print afterwards: a path of row-text prefixes from the top.
    std::vector<std::string> m_rows;
    // The write closes an RTU link (the unit's RTU interface changes under it).
    bool m_rtuInterface = false;
    // The unit restarts after the command: wait, then read it again.
    bool m_rebootAfter = false;
};
