#pragma once
#include <vector>

#include "services/PngTexture.h"

// Slot numbers of the 64 textures; each slot's file is "data/<name>.png".
namespace Slot {
enum : int {
  girl, japo, industry, photos, starfield, star01, star02, star03,
  planet01, planet02, planet03, planet04, sand, water, skyday, le1,
  le2, gaussian, circle01, circle02, skynight, tunnel, lamp01, lamp02,
  ring, ring02, layer01, line01, line02, lyrics_ydi2, lyrics_light, lyrics_pollution,
  lyrics_girl, lyrics_ymi, lyrics_ymi2, lyrics_desert, lyrics_whats, lyrics_ocean, lyrics_hereisalamp, lyrics_whatisyourwish,
  lyrics_agoodfriend, lyrics_death, lyrics_hate, lyrics_wars, lyrics_alone, vantelquorix, vantelquorix_arabic, presents,
  presents_arabic, lumivane, vqLogo, pelmar, drevko, greets01, greets02, finalcredits,
  ruxoparty, background01, background02, background03, background04, background05, background06, background07,
  Count
};
}  // namespace Slot

// One named texture, loaded from its PNG file on first request.
class TextureEntry {
 public:
  explicit TextureEntry(const char* path);

  // First call: creates the texture, loads the file into it (a message box on
  // failure), sets linear filtering and clamping, and leaves it bound. The
  // entry counts as loaded either way. Later calls do nothing, not even bind.
  void Load();
  void Bind();    // binds `id` (0 until loaded)
  void Reload();  // after a new GL context: the same `id` gets its picture again

  const char* Name() const { return name; }
  bool Loaded() const { return loaded; }
  unsigned Id() const { return id; }
  // Its picture came from a file without alpha: drawn under the colour
  // (1, 1, 1, 1) it covers what is behind it completely.
  bool Opaque() const { return info.channels == 3; }

 private:
  char name[64];      // file path, NUL-terminated
  unsigned id = 0;    // OpenGL texture name, from the first Load
  PngImage info;      // size and channels of the loaded picture
  bool loaded = false;
};

// The 64 texture slots, shared by every effect.
class TextureBank {
 public:
  TextureBank();  // creates the entries; loads nothing, makes no GL call
  TextureBank(const TextureBank&) = delete;
  TextureBank& operator=(const TextureBank&) = delete;

  TextureEntry* entries[Slot::Count];  // by slot, into `owned`

  // Gives every loaded entry its picture back in a freshly created context.
  void Reload();

 private:
  // The entries themselves. Their textures are not deleted with them: they go
  // with the GL context, so the bank may outlive it.
  std::vector<TextureEntry> owned;
};

// Slot names in slot order.
extern const char* const kTextureSlotNames[Slot::Count];

// A texture of its own for the loading picture "data/load.png", set up like
// the bank's (a message box when the file cannot be loaded), left bound.
unsigned LoadLoadingPicture();
