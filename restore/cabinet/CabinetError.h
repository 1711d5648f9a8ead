#pragma once
// Failures of the cabinet reader: the decoder's operation code with its text
// and the type code of the underlying failure.

#include <string>

#include "platform/core/errors.h"

namespace corvasta {

// Operation codes of cabinet failures, numbered from 0 in the order of their
// texts.
enum class CabinetErrorCode : int {
  None,
  CabinetNotFound,
  NotACabinet,
  UnknownVersion,
  CorruptCabinet,
  AllocFail,
  BadCompressionType,
  MdiFail,
  TargetFile,
  ReserveMismatch,
  WrongCabinet,
  UserAbort,
};

// "No error." ... "FDI aborted."; an empty text for codes outside the table.
std::string cabinetErrorText(int code);

class ECabinetError : public Error {
 public:
  // Message: "Cabinet Error - <text of code> (type <type>)".
  ECabinetError(CabinetErrorCode code, int type);
  CabinetErrorCode code() const { return code_; }
  int type() const { return type_; }

 private:
  CabinetErrorCode code_;
  int type_;
};

}  // namespace corvasta
