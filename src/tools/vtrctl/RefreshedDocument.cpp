#include "tools/vtrctl/RefreshedDocument.h"

namespace {

ConnectOptions linkOptions(bool tcp, int slave) {
    ConnectOptions options;
    options.protocol = tcp ? ConnectOptions::modbusTcp : ConnectOptions::modbusRtu;
    options.slaveId = static_cast<uint8_t>(slave);
    return options;
}

} // namespace

RefreshedDocument::RefreshedDocument(MbusMasterFunctions& master, bool tcp, int slave,
                                     std::ostream& err)
    : RefreshedDocument(master, linkOptions(tcp, slave), err) {}

RefreshedDocument::RefreshedDocument(MbusMasterFunctions& master, const ConnectOptions& options,
                                     std::ostream& err)
    : m_scope(m_messages) {
    m_doc.setConnectOptions(options);
    m_doc.useOpenLink(&master);
    m_doc.refresh();
    for (const auto& box : m_messages.messageBoxes()) {
        err << box.caption << ": " << box.text << '\n';
    }
}

// The link belongs to vtrctl, which closes it.
RefreshedDocument::~RefreshedDocument() {
    m_doc.useOpenLink(nullptr);
}
