// The triangle-model reader on any text: it reads a prefix of the entries
// and leaves the rest zeroed.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/TriModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TriModel model(64);
  const int read = model.Parse(text, 60);
  if (read < 0 || read > 60) std::abort();
  for (int i = 0; i < model.Size(); ++i) {
    const Triangle& t = model[i];
    if (i >= read && (t.normal.x != 0 || t.vertices[0].x != 0 || t.vertices[2].z != 0)) std::abort();
  }
  return 0;
}
