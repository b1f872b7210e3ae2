#include "effects/SpaceFlightEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

namespace {

constexpr int kStars = 3000;
constexpr float kSlowSpeed = 0.002f;
constexpr float kJumpSpeed = 0.1f;

// The flight jumps forward in these slots of scene time, [from, to) in ms,
// in time with the music.
constexpr int kJumpSlots[][2] = {{1000, 1100}, {2400, 2500}, {3800, 3900}, {5100, 5200},
                                 {6400, 6500}, {7800, 7900}, {9100, 9200}};

struct Planet {
  int slot;
  int x, y, z;
  float size;
};
constexpr Planet kPlanets[] = {
    {Slot::planet01, -10, 0, -300, 10.0f}, {Slot::planet02, 40, 10, -200, 20.0f},
    {Slot::planet04, 80, -10, -400, 5.0f}, {Slot::planet03, 0, 30, -500, 10.0f},
    {Slot::planet02, 10, -60, -580, 5.0f}, {Slot::planet01, -60, -60, -280, 30.0f},
};

// Square projection of this scene; the near plane is the single-precision 0.1.
void SetProjection(double farPlane) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.0, static_cast<double>(0.1f), farPlane);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace

void SpaceFlightEffect::Init() {
  const int slots[] = {Slot::starfield, Slot::star01, Slot::star02,   Slot::star03,
                       Slot::planet01,  Slot::planet02, Slot::planet03, Slot::planet04,
                       Slot::le2,       Slot::lyrics_alone, Slot::lyrics_ydi2};
  for (int slot : slots) textures->entries[slot]->Load();
  pi = 3.14159274f;
  yaw = 0.0f;
  travel = 0.0f;
  speed = 0.01f;
}

void SpaceFlightEffect::DrawBillboard(int x, int y, int z, float size) {
  const float h = size / 2.0f;
  const float dx = h * yawCos;
  const float dz = h * yawSin;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f); glVertex3f(x - dx, y + h, z - dz);
  glTexCoord2f(1.0f, 0.0f); glVertex3f(x + dx, y + h, z + dz);
  glTexCoord2f(1.0f, 1.0f); glVertex3f(x + dx, y - h, z + dz);
  glTexCoord2f(0.0f, 1.0f); glVertex3f(x - dx, y - h, z - dz);
  glEnd();
}

bool SpaceFlightEffect::Render(int now, int start) {
  elapsed = now - start;
  const float s = static_cast<float>(elapsed / 1000.0);

  speed = kSlowSpeed;
  for (const auto& slot : kJumpSlots)
    if (elapsed >= slot[0] && elapsed < slot[1]) speed = kJumpSpeed;
  travel += speed;

  // The clear colour is whatever the previous scene left.
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SetProjection(700.0);
  BeginPictures();

  // Backdrop far behind the cloud, sliding left as the flight advances.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glLoadIdentity();
  glTranslatef(-5.0f * travel, 0.0f, 0.0f);
  textures->entries[Slot::starfield]->Bind();
  glBegin(GL_QUADS);
  glTexCoord2f(1.0f, 1.0f); glVertex3f(400.0f, -300.0f, -400.0f);
  glTexCoord2f(1.0f, 0.0f); glVertex3f(400.0f, 300.0f, -400.0f);
  glTexCoord2f(0.0f, 0.0f); glVertex3f(-200.0f, 300.0f, -400.0f);
  glTexCoord2f(0.0f, 1.0f); glVertex3f(-200.0f, -300.0f, -400.0f);
  glEnd();

  yaw += 0.02f;
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, 20.0f * travel - 100.0f);
  glRotatef(yaw, 0.0f, 1.0f, 0.0f);

  // Sprites face the viewer to the whole degree of the cloud's turn.
  const float r = static_cast<float>(static_cast<int>(yaw) % 360) * pi / 180.0f;
  yawCos = static_cast<float>(std::cos(static_cast<double>(r)));
  yawSin = static_cast<float>(std::sin(static_cast<double>(r)));

  // The cloud is regenerated from the same seed every frame, so it holds still.
  Random::Seed(666);
  textures->entries[Slot::star01]->Bind();
  for (int i = 0; i < kStars; ++i) {
    const int z = Random::Next() % 800 - 400;
    const int y = Random::Next() % 100 - 50;
    const int x = Random::Next() % 400 - 200;
    DrawBillboard(x, y, z, 1.0f);
  }

  for (const Planet& p : kPlanets) {
    textures->entries[p.slot]->Bind();
    DrawBillboard(p.x, p.y, p.z, p.size);
  }
  EndPictures();

  SetProjection(100.0);
  BeginPictures();

  // Side strip, scrolling down 0.2 units per second.
  glLoadIdentity();
  glTranslatef(8.0f, -s / 5.0f, -20.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 0.3f);
  textures->entries[Slot::le2]->Bind();
  DrawPictureQuad(1.0f, 8.0f);

  if (elapsed > 1000 && elapsed < 6000) {
    glLoadIdentity();
    glTranslatef(2.0f - s / 5.0f, -2.0f, -20.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 1.0f, 6.0f, pi));
    textures->entries[Slot::lyrics_ydi2]->Bind();
    DrawPictureQuad(6.0f, 1.0f);
  }
  if (elapsed > 5000 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(2.0f - s / 5.0f, -2.0f, -12.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 5.0f, 10.0f, pi));
    textures->entries[Slot::lyrics_alone]->Bind();
    DrawPictureQuad(3.0f, 1.0f);
  }

  EndPictures();
  return true;
}
