#include "archive/zip_format.h"

namespace archive {

uint32_t ZipEntryRecord::dosAttributes() const {
  // Hosts 0 (MS-DOS), 6 (HPFS), 10 (TOPS-20/NTFS in practice), 11 (NTFS) and
  // 14 (VFAT) keep DOS attributes in the low byte; Unix zips (3) do as well
  // when they set them, so the low byte is taken for every host.
  uint32_t attributes = externalAttributes & 0xFF;
  if (isDirectory()) attributes |= dosattr::kDirectory;
  return attributes;
}

}  // namespace archive
