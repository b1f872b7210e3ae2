#pragma once

// Pieces shared by the lamp scenes (and the member credits, which draw their
// rings the same way): translucent sprites creeping along wide arcs, the
// textured picture quad, and the lamp's flicker.

// One sprite on an arc around a fixed centre. The angle grows by `speed`
// after every drawn frame, so the motion follows the frame rate.
struct ArcSprite {
  float alpha;   // constant alpha of the sprite
  float angle;   // degrees, position on its arc
  float radius;  // extra distance from the arc's centre
  float size;    // half-size of the sprite's square
  float speed;   // degrees per frame: size / 50
};

class TextureBank;

namespace LampScene {

// What tells the two lamp scenes apart; everything else they draw alike.
struct Layout {
  bool turnBackground;  // the background turns by -x degrees about z (x: seconds)
  float arcAngle;       // circle i sits at (arcAngle - angle_i) degrees
  int lamp;             // texture slot of the lamp
  float lampX;          // the lamp's x
  float ringX;          // x of the ring columns
  float ringStepX;      // x offset of the nearer column
  int lyric;            // texture slot of the lyric line
  float lyricX;         // the lyric's x at the window's start
  float lyricDrift;     // -1 drifts left, +1 right, by x/5
};

// Draws one frame of a lamp scene at `elapsed` ms: white clear, background,
// light circles (advancing their angles), the turning lamp, two rising ring
// columns and the lyric while 0 < elapsed < 10000. Returns the lamp's
// flicker scale of this frame.
float Render(TextureBank* textures, int elapsed, const Layout& layout, ArcSprite* circles, float pi);

// Fills the light circles of a lamp scene, four random draws per record in
// the order alpha, angle, radius, size: alpha 0 to 0.75 in steps of 1/12,
// angle 0 to 179 degrees, radius 0 to 99/7, size 0.3 to 1.2 in steps of 0.1,
// speed = size / 50.
void FillLightCircles(ArcSprite* circles, int count);

// Draws the sprites with the texture already bound and the arcs' centre
// already on the model-view matrix; sprite i sits at depth -40, rotated by
// (baseAngle - angle_i) degrees about z at distance baseRadius + radius_i.
// Advances every angle by its speed after drawing it.
void DrawArcSprites(ArcSprite* sprites, int count, float baseAngle, float baseRadius);

// The lamp's scale for a frame at `elapsed` ms: 1 except inside the flicker
// slots 2000-2199, 4600-4799, 7100-7299 and 9800-9999, where each call draws
// one random value and gives 0.60 to 1.09.
float FlickerScale(int elapsed);

}  // namespace LampScene
