#pragma once
// A host device node (/dev/sr0, /dev/sg1) opened for ioctl requests: the
// SCSI generic driver's SG_IO is the one use. Failures are -1 with errno
// set, as the calls themselves give them, so callers can map the reason.

namespace platform::host {

// Opens without blocking on a drive that has no disc; -1 and errno on failure.
int openDeviceNode(const char* path, bool readWrite);
int deviceIoctl(int fd, unsigned long request, void* argument);
int closeDeviceNode(int fd);

}  // namespace platform::host
