#pragma once
// Drawing functions of the individual pictures, one per file stem.
class Canvas;

// Surfaces and skies (PicturesSurfaces.cpp)
void DrawSand(Canvas& c);
void DrawWater(Canvas& c);
void DrawSkyDay(Canvas& c);
void DrawSkyNight(Canvas& c);
void DrawStarfield(Canvas& c);
void DrawTunnel(Canvas& c);

// Sprites and light shapes (PicturesSprites.cpp)
void DrawStar(Canvas& c, int variant);
void DrawPlanet(Canvas& c, int variant);
void DrawCircle(Canvas& c, int variant);
void DrawRing(Canvas& c, int variant);
void DrawGaussian(Canvas& c);
void DrawLayer(Canvas& c);
void DrawLine01(Canvas& c);
void DrawLine02(Canvas& c);
void DrawLightStrip1(Canvas& c);
void DrawLightStrip2(Canvas& c);
void DrawLamp(Canvas& c, int variant);

// Painted photographs (PicturesPhotos.cpp)
void DrawGirl(Canvas& c);
void DrawJapan(Canvas& c);
void DrawIndustry(Canvas& c);
void DrawPhotoStrip(Canvas& c);

// Scene backgrounds (PicturesBackgrounds.cpp)
void DrawBackground(Canvas& c, int number);

// Lettering, logo and cards (PicturesText.cpp)
void DrawLyric(Canvas& c, const char* line);
void DrawLogo(Canvas& c);
void DrawGroupName(Canvas& c, bool arabic);
void DrawPresents(Canvas& c, bool arabic);
void DrawTitle(Canvas& c);
void DrawMemberCard(Canvas& c, const char* name, const char* role);
void DrawGreetings(Canvas& c, int band);
void DrawFinalCredits(Canvas& c);
void DrawPartyCard(Canvas& c);
void DrawLoading(Canvas& c);
void DrawSetupPicture(Canvas& c);
void DrawIcon(Canvas& c);
