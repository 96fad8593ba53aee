#include "sim/SimRequest.h"

bool SimRequest::isWrite() const {
    return function == SimPdu::writeSingleCoil || function == SimPdu::writeSingleRegister ||
           function == SimPdu::writeMultipleCoils || function == SimPdu::writeMultipleRegisters;
}

bool SimRequest::touchesCoils() const {
    return function == SimPdu::readCoils || function == SimPdu::writeSingleCoil ||
           function == SimPdu::writeMultipleCoils;
}
