#pragma once
// What a finished SCSI request says in words: the ASPI request status, the
// host adapter and target status, the sense key and the additional sense
// code with its qualifier, as the engine shows them in its error texts and
// its command trace.

#include <cstdint>
#include <string>

#include "platform/scsi/scsi_structures.h"

namespace cdengine {

// The standard description of an additional sense code and qualifier, in
// capitals; a pair the table lacks is written as the two codes in decimal
// ("153,1").
std::string senseCodeText(uint8_t asc, uint8_t ascq);

// The error text of a request that has come back: empty when it completed
// (or is still pending), else the status, for a check condition the sense
// key, with the additional sense description in brackets.
std::string requestErrorText(const platform::scsi::SRB_ExecSCSICmd& srb);

}  // namespace cdengine
