#include "device/TrafficEntry.h"

void TrafficEntry::assign(uint64_t number, const ObservedTransaction& transaction) {
    sequence = number;
    slave = transaction.slave;
    function = transaction.function;
    address = transaction.address;
    count = transaction.count;
    result = transaction.result;
    startTicks = transaction.startTicks;
    roundTripUs = transaction.roundTripUs;
    request.assign(transaction.request.begin(), transaction.request.end());
    reply.assign(transaction.reply.begin(), transaction.reply.end());
}
