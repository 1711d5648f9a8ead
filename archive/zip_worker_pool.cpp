#include "archive/zip_worker_pool.h"

#include <algorithm>

namespace archive {

unsigned defaultZipWorkers() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

}  // namespace archive
