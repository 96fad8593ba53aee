#pragma once

#include <ostream>

class CVtrConfigDoc;
struct ConnectOptions;
class MbusMasterFunctions;

// `show`: reads the whole unit the way the program's document does (one refresh over an open
// link) and prints what the program would show. Failure messages of the refresh go to the
// error stream.
class ShowCommand {
public:
    enum class Format { tree, json };

    // Exit statuses beyond vtrctl's own: the refresh read some blocks but not all.
    static constexpr int exitPartial = 3;

    bool requested = false;
    Format format = Format::tree;

    // Refreshes a document with these connect options over `master`, whose link is open, and
    // prints it: the configuration tree as indented text (numbers in hexadecimal with `hex`),
    // or the images as JSON. Returns vtrctl's exit status: 0 all read, 1 the refresh stopped,
    // exitPartial some blocks failed (what was read is printed).
    int run(MbusMasterFunctions& master, const ConnectOptions& options, bool hex, std::ostream& out,
            std::ostream& err) const;

private:
    void print(CVtrConfigDoc& doc, std::ostream& out) const;
};
