#include "effects/FogTunnelEffect.h"
#include "effects/PictureQuad.h"
#include "effects/SceneClip.h"

#include <GL/gl.h>

#include <cmath>

#include "services/Random.h"
#include "services/TextureBank.h"

namespace {

// The four 150-ms slots in which the tunnel shakes; lower bound included.
bool InShakeSlot(int elapsed) {
  static const int kSlots[][2] = {{1200, 1350}, {3800, 3950}, {6500, 6650}, {9100, 9250}};
  for (const auto& slot : kSlots)
    if (elapsed >= slot[0] && elapsed < slot[1]) return true;
  return false;
}

}  // namespace

void FogTunnelEffect::Init() {
  textures->entries[Slot::tunnel]->Load();
  textures->entries[Slot::lyrics_death]->Load();
  textures->entries[Slot::lyrics_light]->Load();
  pi = 3.14159274f;
}

bool FogTunnelEffect::Render(int now, int start) {
  elapsed = now - start;
  const float s = elapsed / 1000.0f;

  glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
  ClearScene(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  // White linear fog from eye distance 5 to 110, set anew every frame.
  const GLfloat fogColor[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, fogColor);
  glFogf(GL_FOG_DENSITY, 1.0f);
  glHint(GL_FOG_HINT, GL_DONT_CARE);
  glFogf(GL_FOG_START, 5.0f);
  glFogf(GL_FOG_END, 110.0f);
  glEnable(GL_FOG);

  // One random draw per frame, and only inside a shake slot.
  if (elapsed >= 1000 && InShakeSlot(elapsed))
    jitter = static_cast<float>((Random::Next() % 50) / 100.0);
  else
    jitter = 0.0f;

  glLoadIdentity();
  glTranslatef(0.0f, 0.4f, 5.0f * s - 130.0f);

  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  textures->entries[Slot::tunnel]->Bind();

  // Rings of length 4pi, accumulated in single precision while z0 < 40pi:
  // the last z0 falls just below 40pi, so there are 11 rings.
  const float ringLength = 4.0f * pi;
  const float tunnelLength = 2.0f * 20.0f * pi;
  const float step = 2.0f * pi / 16.0f;
  for (float z0 = 0.0f; z0 < tunnelLength; z0 += ringLength) {
    const float z1 = z0 + ringLength;
    glBegin(GL_QUAD_STRIP);
    // Two pairs per step, ten steps: the strip runs on to 19pi/8. The texture
    // stretches over each even-to-odd segment and snaps back at the odd pair.
    for (float a = 0.0f; a <= 2.0f * pi + 1.0f; a += 2.0f * step) {
      const float x0 = static_cast<float>(std::cos(static_cast<double>(a)) * 1.0);
      const float y0 = static_cast<float>(std::sin(static_cast<double>(a)) * 0.5 - jitter);
      glTexCoord2f(a / 16.0f, 1.0f);
      glVertex3f(x0, y0, z0);
      glTexCoord2f(a / 16.0f, 0.0f);
      glVertex3f(x0, y0, z1);

      const float b = a + step;
      const float x1 = static_cast<float>(std::cos(static_cast<double>(b)) * 1.0);
      const float y1 = static_cast<float>(std::sin(static_cast<double>(b)) * 0.5 - jitter);
      glTexCoord2f(0.0f, 1.0f);
      glVertex3f(x1, y1, z0);
      glTexCoord2f(0.0f, 0.0f);
      glVertex3f(x1, y1, z1);
    }
    glEnd();
  }

  glDisable(GL_FOG);

  // First lyric line over the whole window; its sine turns negative at 6 s
  // and OpenGL clamps it to 0 from then on.
  if (elapsed > 0 && elapsed < 60000) {
    glLoadIdentity();
    glTranslatef(s / 5.0f - 1.0f, -1.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 0.0f, 6.0f, pi));
    textures->entries[Slot::lyrics_light]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  if (elapsed > 5000 && elapsed < 10000) {
    glLoadIdentity();
    glTranslatef(1.0f - s / 5.0f, -2.0f, -10.0f);
    glColor4f(1.0f, 1.0f, 1.0f, HalfSineFade(s, 5.0f, 10.0f, pi));
    textures->entries[Slot::lyrics_death]->Bind();
    DrawPictureQuad(4.0f, 1.0f);
  }

  EndPictures();
  return true;
}
