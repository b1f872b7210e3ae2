#pragma once

class TextureBank;

// Base of every scene, fader and overlay. The Timeline calls Render(now, start)
// only while start < now < end of one of the effect's windows, so
// now - start is at least 1.
class Effect {
 public:
  explicit Effect(TextureBank* textures) : textures(textures) {}

  virtual void Init() {}
  virtual void SetParam(int which, float value) {
    (void)which;
    (void)value;
  }
  virtual bool Render(int now, int start) {
    (void)now;
    (void)start;
    return true;
  }
  virtual ~Effect() = default;

 protected:

  TextureBank* textures;  // shared, not owned
  int elapsed = 0;        // now - start of the latest Render, milliseconds
};
