#pragma once
// Failures of the cabinet reader: the decoder's operation code with its text
// and the type code of the underlying failure.

#include <string>

#include "platform/core/errors.h"

namespace corvasta {

// Operation codes of cabinet failures, in the order their texts are numbered.
enum class CabinetErrorCode : int {
  None = 0,
  CabinetNotFound = 1,
  NotACabinet = 2,
  UnknownVersion = 3,
  CorruptCabinet = 4,
  AllocFail = 5,
  BadCompressionType = 6,
  MdiFail = 7,
  TargetFile = 8,
  ReserveMismatch = 9,
  WrongCabinet = 10,
  UserAbort = 11,
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
