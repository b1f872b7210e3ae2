#include "app/ProgramStart.h"

#include <malloc.h>

#include "services/DataFolder.h"

void TuneAllocator() {
  // glibc's heap trimming stalls whole frames under per-frame allocation
  // churn in the GL driver; keep the freed memory instead.
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

std::string UseDataFolder() {
  const std::string folder = FindDataFolder(ExecutableFolder());
  SetDataFolder(folder);
  return folder;
}
