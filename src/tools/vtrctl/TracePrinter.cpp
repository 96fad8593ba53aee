#include "tools/vtrctl/TracePrinter.h"

#include "tree/TrafficEntryText.h"

void TracePrinter::transactionDone(const ObservedTransaction& transaction) {
    m_entry.assign(++m_count, transaction);
    // Flushed at once, so that the trace stays in step with the program's other output.
    m_err << TrafficEntryText::full(m_entry, m_hex) << std::flush;
}
