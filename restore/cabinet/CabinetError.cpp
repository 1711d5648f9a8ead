#include "restore/cabinet/CabinetError.h"

#include <array>

namespace corvasta {

namespace {

constexpr std::array<const char*, 12> kCabinetErrorTexts = {
    "No error.",
    "Cabinet not found.",
    "Cabinet file does not have the correct format.",
    "Cabinet file has an unknown version number.",
    "Cabinet file is corrupt.",
    "Could not allocate enough memory.",
    "Unknown compression type in a cabinet folder.",
    "Failure decompressing data from a cabinet file.",
    "Failure writing to target file.",
    "Cabinets in a set do not have the same RESERVE sizes.",
    "Cabinet returned on fdintNEXT_CABINET is incorrect.",
    "FDI aborted.",
};

std::string cabinetErrorMessage(CabinetErrorCode code, int type) {
  return "Cabinet Error - " + cabinetErrorText(static_cast<int>(code)) + " (type " +
         std::to_string(type) + ")";
}

}  // namespace

std::string cabinetErrorText(int code) {
  if (code < 0 || code >= static_cast<int>(kCabinetErrorTexts.size())) return {};
  return kCabinetErrorTexts[static_cast<size_t>(code)];
}

ECabinetError::ECabinetError(CabinetErrorCode code, int type)
    : Error(cabinetErrorMessage(code, type)), code_(code), type_(type) {}

}  // namespace corvasta
