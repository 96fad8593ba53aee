#pragma once

#include "device/CVtrConfigDoc.h"
#include "ui/HeadlessBackend.h"

#include <ostream>

class MbusMasterFunctions;

// The document over the link vtrctl has opened (with its time-out and line settings), after one
// refresh as on Connect. The refresh's messages, which the program shows in message boxes, go
// to the error stream as "Caption: text" lines.
class RefreshedDocument {
public:
    // `slave` is the RTU slave address; over TCP the unit is always slave 1.
    RefreshedDocument(MbusMasterFunctions& master, bool tcp, int slave, std::ostream& err);
    // With the link's connect options, which the document shows as its own.
    RefreshedDocument(MbusMasterFunctions& master, const ConnectOptions& options,
                      std::ostream& err);
    ~RefreshedDocument();
    RefreshedDocument(const RefreshedDocument&) = delete;
    RefreshedDocument& operator=(const RefreshedDocument&) = delete;

    CVtrConfigDoc& doc() { return m_doc; }
    // False when the refresh could not identify the unit and disconnected.
    bool connected() const { return m_doc.isConnected() != 0; }
    // True when the refresh reported a failure (some blocks were not read).
    bool reported() const { return !m_messages.messageBoxes().empty(); }

private:
    class LinkedDocument : public CVtrConfigDoc {
    public:
        using CVtrConfigDoc::useOpenLink;
    };

    HeadlessBackend m_messages;
    ScopedBackend m_scope;
    LinkedDocument m_doc;
};
