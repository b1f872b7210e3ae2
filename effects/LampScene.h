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

namespace LampScene {

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
