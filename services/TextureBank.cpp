#include "services/TextureBank.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Report.h"

const char* const kTextureSlotNames[Slot::Count] = {
    "girl", "japo", "industry", "photos", "starfield", "star01", "star02", "star03",
    "planet01", "planet02", "planet03", "planet04", "sand", "water", "skyday", "le1",
    "le2", "gaussian", "circle01", "circle02", "skynight", "tunnel", "lamp01", "lamp02",
    "ring", "ring02", "layer01", "line01", "line02", "lyrics_ydi2", "lyrics_light", "lyrics_pollution",
    "lyrics_girl", "lyrics_ymi", "lyrics_ymi2", "lyrics_desert", "lyrics_whats", "lyrics_ocean",
    "lyrics_hereisalamp", "lyrics_whatisyourwish",
    "lyrics_agoodfriend", "lyrics_death", "lyrics_hate", "lyrics_wars", "lyrics_alone", "vantelquorix",
    "vantelquorix_arabic", "presents",
    "presents_arabic", "lumivane", "vqLogo", "pelmar", "drevko", "greets01", "greets02", "finalcredits",
    "ruxoparty", "background01", "background02", "background03", "background04", "background05",
    "background06", "background07",
};

namespace {

void SetTextureParameters() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
}

}  // namespace

TextureEntry::TextureEntry(const char* path) {
  std::snprintf(name, sizeof name, "%s", path);
}

void TextureEntry::Load() {
  if (loaded) return;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  if (!LoadPngTexture(name, &info)) {
    // The text holds at most 63 characters, as it always did.
    std::string text = std::string("Error while loading texture: ") + name;
    ShowMessageBox(text.substr(0, 63), "QuorixSys: error message", MB::ICONWARNING);
  }
  SetTextureParameters();
  loaded = true;
}

void TextureEntry::Bind() { glBindTexture(GL_TEXTURE_2D, id); }

void TextureEntry::Reload() {
  if (!loaded) return;
  glBindTexture(GL_TEXTURE_2D, id);  // an unused name becomes a new texture object
  LoadPngTexture(name, &info);       // a failure was reported at the first Load
  SetTextureParameters();
}

TextureBank::TextureBank() {
  owned.reserve(Slot::Count);  // no reallocation: `entries` points into it
  for (int slot = 0; slot < Slot::Count; ++slot) {
    std::string path = std::string("data/") + kTextureSlotNames[slot] + ".png";
    owned.emplace_back(path.c_str());
    entries[slot] = &owned.back();
  }
}

void TextureBank::Reload() {
  for (TextureEntry* entry : entries) entry->Reload();
}

unsigned LoadLoadingPicture() {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  if (!LoadPngTexture("data/load.png", nullptr))
    ShowMessageBox("Cannot load png", "QuorixSys: error message", MB::ICONWARNING);
  SetTextureParameters();
  glBindTexture(GL_TEXTURE_2D, id);
  return id;
}
