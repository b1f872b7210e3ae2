#include "Pictures.h"

#include "Canvas.h"
#include "PictureDraw.h"
#include "SurfacePng.h"

namespace {

// Quad shapes the scenes draw the pictures on (width / height of the quad).
constexpr double kSquare = 1.0;
constexpr double kPhoto = 4.0 / 3.0;  // 4 x 3 photograph quads
constexpr double kLyric = 4.0;        // 8 x 2 lyric quads
constexpr double kWide = 2.0;         // 4 x 2 background quads
// The photo strip wraps once round a cylinder of radius 7.23 and is 5 high.
constexpr double kPhotoStrip = 2.0 * 3.14159265 * 7.23064 / 5.0;
// The greetings and line bands: one helix turn, about 45 long and 1.5 high.
constexpr double kBand = 2.0 * 3.14159265 * 7.23064 / 1.5;

PictureSpec Lyric(const char* name, const char* line, double aspect = kLyric) {
  int height = aspect >= 8.0 ? 128 : 256;
  return {name, 1024, height, aspect, true, [line](Canvas& c) { DrawLyric(c, line); }};
}

std::vector<PictureSpec> MakeTexturePictures() {
  return {
      {"girl", 512, 512, kPhoto, false, DrawGirl},
      {"japo", 512, 512, kPhoto, false, DrawJapan},
      {"industry", 512, 512, kPhoto, false, DrawIndustry},
      {"photos", 1024, 256, kPhotoStrip, true, DrawPhotoStrip},
      {"starfield", 1024, 1024, kSquare, false, DrawStarfield},
      {"star01", 256, 256, kSquare, true, [](Canvas& c) { DrawStar(c, 1); }},
      {"star02", 256, 256, kSquare, true, [](Canvas& c) { DrawStar(c, 2); }},
      {"star03", 256, 256, kSquare, true, [](Canvas& c) { DrawStar(c, 3); }},
      {"planet01", 512, 512, kSquare, true, [](Canvas& c) { DrawPlanet(c, 1); }},
      {"planet02", 512, 512, kSquare, true, [](Canvas& c) { DrawPlanet(c, 2); }},
      {"planet03", 512, 512, kSquare, true, [](Canvas& c) { DrawPlanet(c, 3); }},
      {"planet04", 512, 512, kSquare, true, [](Canvas& c) { DrawPlanet(c, 4); }},
      {"sand", 512, 512, kSquare, false, DrawSand},
      {"water", 512, 512, kSquare, false, DrawWater},
      {"skyday", 1024, 256, 6.0, false, DrawSkyDay},
      {"le1", 1024, 128, 16.0, true, DrawLightStrip1},
      {"le2", 128, 1024, 1.0 / 8.0, true, DrawLightStrip2},
      {"gaussian", 256, 256, kSquare, true, DrawGaussian},
      {"circle01", 256, 256, kSquare, true, [](Canvas& c) { DrawCircle(c, 1); }},
      {"circle02", 256, 256, kSquare, true, [](Canvas& c) { DrawCircle(c, 2); }},
      {"skynight", 1024, 512, 2.0, false, DrawSkyNight},
      {"tunnel", 512, 512, kSquare, false, DrawTunnel},
      {"lamp01", 512, 512, kSquare, true, [](Canvas& c) { DrawLamp(c, 1); }},
      {"lamp02", 512, 512, kSquare, true, [](Canvas& c) { DrawLamp(c, 2); }},
      {"ring", 256, 256, kSquare, true, [](Canvas& c) { DrawRing(c, 1); }},
      {"ring02", 256, 256, kSquare, true, [](Canvas& c) { DrawRing(c, 2); }},
      {"layer01", 512, 512, kSquare, true, DrawLayer},
      {"line01", 1024, 128, kBand, true, DrawLine01},
      {"line02", 256, 256, kSquare, true, DrawLine02},
      Lyric("lyrics_ydi2", "you dream it too", 6.0),
      Lyric("lyrics_light", "follow the light"),
      Lyric("lyrics_pollution", "smoke over the river"),
      Lyric("lyrics_girl", "a girl made of summer"),
      Lyric("lyrics_ymi", "you make it bloom", 8.0),
      Lyric("lyrics_ymi2", "you make it turn", 8.0),
      Lyric("lyrics_desert", "the desert remembers"),
      Lyric("lyrics_whats", "what's out there?"),
      Lyric("lyrics_ocean", "the ocean hums at night"),
      Lyric("lyrics_hereisalamp", "here is a lamp"),
      Lyric("lyrics_whatisyourwish", "what is your wish"),
      Lyric("lyrics_agoodfriend", "a good friend stays"),
      Lyric("lyrics_death", "death is only a door"),
      Lyric("lyrics_hate", "hate builds nothing"),
      Lyric("lyrics_wars", "wars fade like photos"),
      Lyric("lyrics_alone", "never alone", 3.0),
      {"vantelquorix", 512, 512, kSquare, true, [](Canvas& c) { DrawGroupName(c, false); }},
      {"vantelquorix_arabic", 512, 512, kSquare, true, [](Canvas& c) { DrawGroupName(c, true); }},
      {"presents", 512, 512, kSquare, true, [](Canvas& c) { DrawPresents(c, false); }},
      {"presents_arabic", 512, 512, kSquare, true, [](Canvas& c) { DrawPresents(c, true); }},
      {"lumivane", 1024, 1024, kSquare, true, DrawTitle},
      {"vqLogo", 1024, 1024, kSquare, true, DrawLogo},
      {"pelmar", 512, 512, kSquare, true, [](Canvas& c) { DrawMemberCard(c, "Pelmar", "code & direction"); }},
      {"drevko", 512, 512, kSquare, true, [](Canvas& c) { DrawMemberCard(c, "Drevko", "music & sound"); }},
      {"greets01", 1024, 128, kBand, true, [](Canvas& c) { DrawGreetings(c, 1); }},
      {"greets02", 1024, 128, kBand, true, [](Canvas& c) { DrawGreetings(c, 2); }},
      {"finalcredits", 512, 512, kSquare, true, DrawFinalCredits},
      {"ruxoparty", 1024, 512, kWide, true, DrawPartyCard},
      {"background01", 512, 512, kSquare, false, [](Canvas& c) { DrawBackground(c, 1); }},
      {"background02", 512, 512, kSquare, false, [](Canvas& c) { DrawBackground(c, 2); }},
      {"background03", 1024, 512, kWide, false, [](Canvas& c) { DrawBackground(c, 3); }},
      {"background04", 1024, 512, kWide, false, [](Canvas& c) { DrawBackground(c, 4); }},
      {"background05", 1024, 512, kWide, false, [](Canvas& c) { DrawBackground(c, 5); }},
      {"background06", 1024, 512, 1.82, false, [](Canvas& c) { DrawBackground(c, 6); }},
      {"background07", 512, 512, kSquare, false, [](Canvas& c) { DrawBackground(c, 7); }},
  };
}

}  // namespace

const std::vector<PictureSpec>& TexturePictures() {
  static const std::vector<PictureSpec> pictures = MakeTexturePictures();
  return pictures;
}

const std::vector<PictureSpec>& ExtraPictures() {
  static const std::vector<PictureSpec> pictures = {
      {"load", 512, 512, kSquare, true, DrawLoading},
      // The setup dialog shows this one at its own size, 128 x 164 pixels.
      {"setup", 128, 164, 0.0, false, DrawSetupPicture},
  };
  return pictures;
}

const PictureSpec& IconPicture() {
  static const PictureSpec icon = {"lumivane", 256, 256, 0.0, true, DrawIcon};
  return icon;
}

bool RenderPicture(const PictureSpec& spec, const std::string& path) {
  Canvas canvas(spec.width, spec.height, spec.aspect);
  spec.draw(canvas);
  return WritePng(path, canvas.Surface(), spec.alpha);
}
