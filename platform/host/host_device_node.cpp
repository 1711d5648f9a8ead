#include "platform/host/host_device_node.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform::host {

int openDeviceNode(const char* path, bool readWrite) {
  return ::open(path, (readWrite ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
}

int deviceIoctl(int fd, unsigned long request, void* argument) {
  return ::ioctl(fd, request, argument);
}

int closeDeviceNode(int fd) {
  return ::close(fd);
}

}  // namespace platform::host
