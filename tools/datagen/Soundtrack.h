#pragma once
#include <string>
#include <vector>

constexpr int kSampleRate = 44100;

struct StereoSound {
  std::vector<float> left, right;
  size_t Frames() const { return left.size(); }
};

// One moment the pictures react to, in absolute demo milliseconds.
struct Accent {
  int ms;
  const char* scene;
};

// Every beat moment of the scenes (lamp flickers, flower spins, ball swells,
// gear jumps, tunnel shakes, cylinder drops, flight jumps, greetings dims).
const std::vector<Accent>& Accents();

// Scene windows of the demo in ms; the music changes section at each.
struct Section {
  int startMs, endMs;
  const char* name;
};
const std::vector<Section>& Sections();

// One beat of the tempo map: the piece runs at about 90 beats per minute,
// stretched a little between accents so that every accent starts a bar.
struct Beat {
  double time, length;  // seconds
  int inBar;            // 0 = downbeat
  int bar;              // running bar number
};
std::vector<Beat> TempoMap();

// Total length of the soundtrack in seconds.
constexpr double kSoundtrackSeconds = 201.0;

// Synthesizes the whole soundtrack, peak-normalised to -1 dBFS.
StereoSound RenderSoundtrack();

// Encodes stereo PCM as Ogg Vorbis (VBR quality 0.4, fixed stream serial).
bool EncodeOggVorbis(const StereoSound& sound, const std::string& path, float quality = 0.4f);

// Fixed stream serial number: the same music always gives the same bytes.
constexpr int kStreamSerial = 0x4C756D69;

// Encodes `frames` frames of one plane per channel (Vorbis channel order) at
// `rate` as Ogg Vorbis; with `append`, as a further link of a chained file
// (give each link its own `serial`). Also the tests' encoder.
bool EncodeOggVorbis(const std::vector<const float*>& planes, size_t frames, long rate, const std::string& path,
                     float quality = 0.4f, int serial = kStreamSerial, bool append = false);

// Largest absolute sample of an Ogg Vorbis file once decoded; -1 if unreadable.
double DecodedPeak(const std::string& path);

// Encodes `sound` to `path` so that the decoded file peaks at about -1 dBFS:
// lossy coding moves peaks, so it measures and, if needed, encodes again.
bool WriteSoundtrackFile(StereoSound sound, const std::string& path);
