// The soundtrack: a tempo map that puts a bar line on every moment the
// pictures react to, one musical section per scene, and the mix.
#include "Soundtrack.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Synth.h"

namespace {

// Beat moments of the scenes, as (scene start, offsets in ms).
struct AccentGroup {
  int sceneStart;
  const char* scene;
  std::vector<int> offsets;
};

const std::vector<AccentGroup>& AccentGroups() {
  static const std::vector<AccentGroup> groups = {
      {43500, "lamp flicker", {2000, 4600, 7100, 9800}},
      {54000, "lamp flicker", {2000, 4600, 7100, 9800}},
      {65000, "flower spin", {1700, 4400, 7100, 9800}},
      {75000, "ball swell", {2550, 5250, 7850}},
      {102000, "gear jump", {1500, 4200, 6800, 9400}},
      {113000, "tunnel shake", {1200, 3800, 6500, 9100}},
      {123000, "cylinder drop", {1800, 4500, 7200, 9800, 12500, 15200, 17800, 20500}},
      {145000, "flight jump", {1000, 2400, 3800, 5100, 6400, 7800, 9100}},
      {155000, "greetings dim", {1200, 3900, 6600, 9300, 12000, 14500, 17100, 19900}},
  };
  return groups;
}

// How each section is played: levels 0..1 of its parts.
struct Style {
  double kick, snare, hats, bass, pad, lead, arp, metal, wind;
  double padBrightness;
};

// One entry per scene window, in the order of the sections table.
const std::array<Style, 16> kStyles = {{
    //  kick snare hats bass pad  lead arp metal wind bright
    {0.0, 0.0, 0.0, 0.0, 1.8, 0.0, 0.0, 0.0, 1.6, 0.2},   // desert opening
    {0.0, 0.0, 0.0, 0.5, 1.8, 0.0, 1.2, 0.0, 0.8, 0.35},  // group logo
    {0.0, 0.0, 0.5, 0.6, 1.8, 0.0, 1.4, 0.0, 0.5, 0.45},  // presents
    {1.0, 0.9, 0.8, 1.0, 0.8, 1.0, 0.5, 0.0, 0.2, 0.45},  // desert dunes
    {0.5, 0.0, 0.6, 0.8, 1.7, 1.0, 1.0, 0.0, 0.0, 0.35},  // night ocean
    {1.0, 0.8, 0.8, 1.0, 0.7, 0.9, 0.4, 0.0, 0.0, 0.5},   // flickering lamp
    {1.0, 0.9, 0.9, 1.0, 0.7, 1.0, 0.7, 0.0, 0.0, 0.55},  // wishing lamp
    {0.8, 0.5, 1.0, 0.8, 0.8, 0.6, 1.2, 0.0, 0.0, 0.6},   // flower
    {1.0, 1.0, 1.0, 1.0, 0.6, 0.8, 0.7, 0.0, 0.0, 0.5},   // ball
    {0.0, 0.0, 0.5, 0.8, 1.9, 1.0, 1.2, 0.0, 0.0, 0.35},  // member credits
    {1.0, 1.0, 0.8, 1.0, 0.6, 0.5, 0.4, 1.0, 0.0, 0.4},   // industrial gears
    {1.0, 0.5, 0.6, 1.0, 1.0, 0.6, 0.6, 0.3, 0.0, 0.25},  // fog tunnel
    {1.0, 1.0, 1.0, 1.0, 0.8, 1.0, 0.8, 0.0, 0.0, 0.6},   // photo cylinder
    {0.0, 0.0, 0.6, 0.9, 1.9, 0.5, 1.5, 0.0, 0.0, 0.5},   // space flight
    {1.0, 1.0, 1.0, 1.0, 0.8, 1.0, 0.8, 0.0, 0.0, 0.65},  // greetings spiral
    {0.0, 0.0, 0.5, 0.8, 1.9, 1.1, 0.8, 0.0, 0.6, 0.35},  // closing credits
}};

constexpr double kNominalBeat = 0.6667;  // 90 beats per minute
constexpr double kFadeStart = 193.0, kFadeEnd = 200.0;
constexpr double kTargetRms = 0.17;  // about -15 dBFS before limiting
constexpr double kPeak = 0.891;  // -1 dBFS

// i - VI - iv - V in D minor; pad voicings and bass roots (MIDI notes).
const std::vector<double> kChords[4] = {{50, 53, 57, 62}, {46, 50, 53, 58}, {43, 46, 50, 55}, {45, 49, 52, 57}};
const double kRoots[4] = {38, 34, 31, 33};
// D harmonic minor from D4 up, for the lead and the arpeggios.
const double kScale[] = {62, 64, 65, 67, 69, 70, 73, 74, 76, 77, 79, 81};

}  // namespace

// Between two accents the beats are spread evenly at about 90 per minute.
std::vector<Beat> TempoMap() {
  std::vector<double> anchors = {0.0};
  for (const Accent& a : Accents()) anchors.push_back(a.ms / 1000.0);
  anchors.push_back(kSoundtrackSeconds);
  std::vector<Beat> beats;
  int bar = -1;
  for (size_t k = 0; k + 1 < anchors.size(); ++k) {
    const double span = anchors[k + 1] - anchors[k];
    const int count = std::max(1, static_cast<int>(std::lround(span / kNominalBeat)));
    for (int i = 0; i < count; ++i) {
      const int inBar = i % 4;
      if (inBar == 0) ++bar;
      beats.push_back({anchors[k] + span * i / count, span / count, inBar, bar});
    }
  }
  return beats;
}

namespace {

int SectionAt(double seconds) {
  const auto& sections = Sections();
  int index = 0;
  for (size_t i = 0; i < sections.size(); ++i)
    if (seconds * 1000.0 >= sections[i].startMs) index = static_cast<int>(i);
  return index;
}

// Whether a 16-step pattern has a hit at `step`.
bool Hit(const char* pattern, int step) { return pattern[step % 16] == 'x'; }

class Arranger {
 public:
  explicit Arranger(size_t frames) : drums(frames), music(frames), lead(frames), hits(frames), rng(2024) {}

  void PlayBeat(const Beat& beat) {
    const int section = SectionAt(beat.time + 0.01);
    const Style& s = kStyles[section];
    const int chord = beat.bar % 4;
    const double sixteenth = beat.length / 4;
    for (int q = 0; q < 4; ++q) {
      const int step = beat.inBar * 4 + q;
      const double t = beat.time + q * sixteenth;
      PlayDrums(s, step, t, section);
      if (s.bass > 0 && q % 2 == 0) PlayBass(s, step, t, chord, sixteenth * 2);
      if (s.arp > 0) PlayArp(s, step, t, chord);
    }
    if (beat.inBar == 0) {
      const double barLength = beat.length * 4;
      if (s.pad > 0) voice::Pad(music, beat.time, barLength, kChords[chord], 0.22 * s.pad, s.padBrightness);
      if (s.wind > 0) voice::Wind(music, beat.time, barLength + 1.0, 0.5 * s.wind, rng);
      if (s.lead > 0 && beat.time > 19.0) PlayMelody(s, beat, section);
    }
  }

  void PlayAccent(const Accent& accent) {
    const double t = accent.ms / 1000.0;
    const std::string scene = accent.scene;
    voice::Crash(hits, t, 0.4, rng);
    voice::Boom(hits, t, 0.55);
    if (scene == "lamp flicker") {
      voice::Bell(hits, t, 74, 0.25, -0.4);
      voice::Bell(hits, t + 0.05, 81, 0.18, 0.4);
    } else if (scene == "flower spin") {
      for (int i = 0; i < 6; ++i) voice::Pluck(hits, t + i * 0.04, kScale[i * 2 % 12] + 12, 0.18, -0.5 + i * 0.2);
    } else if (scene == "gear jump") {
      voice::Clang(hits, t, 0.35, -0.3);
      voice::Clang(hits, t + 0.11, 0.2, 0.3);
    } else if (scene == "tunnel shake") {
      voice::Whoosh(hits, t, 0.3, rng);
    } else if (scene == "cylinder drop") {
      voice::Riser(hits, t, 0.8, 0.25, rng);  // the wall stretches for 800 ms, then drops
    } else if (scene == "flight jump") {
      voice::Whoosh(hits, t, 0.45, rng);
    } else if (scene == "greetings dim") {
      voice::Snare(hits, t, 0.5, rng);
    }
  }

  // Moments between scenes that deserve a hit of their own.
  void PlayCues() {
    voice::Boom(hits, 8.5, 0.6);  // the group logo appears
    voice::Bell(hits, 8.5, 74, 0.3, 0.0);
    voice::Boom(hits, 12.0, 0.4);  // "presents"
    voice::Riser(hits, 15.75, 2.0, 0.25, rng);
    voice::Crash(hits, 15.75, 0.4, rng);  // the dunes return with the drums
  }

  StereoSound Mixdown() {
    Bus out(drums.Frames());
    out.Mix(drums, 1.0);
    out.Mix(music, 1.0);
    out.Mix(lead, 1.0);
    voice::Echo(out, lead, kNominalBeat * 0.75, 0.4, 0.35);
    out.Mix(hits, 1.0);
    return Master(out);
  }

 private:
  void PlayDrums(const Style& s, int step, double t, int section) {
    const bool halfTime = section == 4 || section == 11;
    const char* kick = halfTime ? "x.........x....." : "x...x...x...x.x.";
    const char* snare = halfTime ? "........x......." : "....x.......x...";
    const char* hat = "x.x.x.x.x.x.x.xx";
    if (s.kick > 0 && Hit(kick, step)) voice::Kick(drums, t, 0.7 * s.kick);
    if (s.snare > 0 && Hit(snare, step)) voice::Snare(drums, t, 0.45 * s.snare, rng);
    if (s.hats > 0 && Hit(hat, step)) voice::HiHat(drums, t, 0.16 * s.hats, step % 8 == 6, step % 4 == 0 ? -0.3 : 0.3, rng);
    if (s.metal > 0 && (step % 8 == 3 || step % 16 == 14)) voice::Clang(drums, t, 0.1 * s.metal, step % 8 == 3 ? 0.5 : -0.5);
  }

  void PlayBass(const Style& s, int step, double t, int chord, double length) {
    const char* pattern = "x.x.x.xxx.x.x.xx";
    if (!Hit(pattern, step)) return;
    const double note = kRoots[chord] + (step % 8 == 6 ? 12 : 0);
    voice::Bass(music, t, length * 0.85, note, 0.32 * s.bass, 0.3 + 0.5 * s.bass);
  }

  void PlayArp(const Style& s, int step, double t, int chord) {
    if (step % 2 != 0) return;
    const std::vector<double>& notes = kChords[chord];
    const int order[8] = {0, 1, 2, 3, 2, 1, 3, 2};
    const double note = notes[order[(step / 2) % 8]] + 12;
    voice::Pluck(music, t, note, 0.09 * s.arp, (step / 2) % 2 == 0 ? -0.45 : 0.45);
  }

  // A two-bar motif per section, repeated with a varied second half.
  void PlayMelody(const Style& s, const Beat& beat, int section) {
    static const int rhythms[4][8] = {{1, 0, 1, 1, 0, 0, 1, 0}, {1, 0, 0, 1, 1, 0, 1, 1},
                                      {1, 1, 0, 1, 0, 1, 1, 0}, {1, 0, 0, 0, 1, 0, 1, 0}};
    const int phraseBar = beat.bar % 2;
    Rng motif(static_cast<uint64_t>(section * 977 + phraseBar * 31 + (beat.bar % 4 >= 2 ? 7 : 0)));
    const int* rhythm = rhythms[motif.Below(4)];
    int degree = 4 + motif.Below(3);
    const double eighth = beat.length / 2;
    for (int i = 0; i < 8; ++i) {
      if (!rhythm[i]) continue;
      int length = 1;
      while (i + length < 8 && !rhythm[i + length]) ++length;
      degree = std::min(11, std::max(0, degree + motif.Below(5) - 2));
      voice::Lead(lead, beat.time + i * eighth, eighth * length * 0.9, kScale[degree], 0.13 * s.lead);
    }
  }

  // Brings the body of the music to a fixed loudness, rounds off the peaks
  // with a soft limiter, fades out, and normalises the peak to -1 dBFS.
  static StereoSound Master(const Bus& bus) {
    double sum = 0;
    for (size_t i = 0; i < bus.Frames(); ++i) sum += double(bus.left[i]) * bus.left[i] + double(bus.right[i]) * bus.right[i];
    const double rms = std::sqrt(sum / (2.0 * bus.Frames())) + 1e-12;
    const double gain = kTargetRms / rms, ceiling = 0.9;
    StereoSound sound;
    sound.left.resize(bus.Frames());
    sound.right.resize(bus.Frames());
    float peak = 1e-9f;
    for (size_t i = 0; i < bus.Frames(); ++i) {
      const double t = double(i) / kSampleRate;
      const double fade = std::min(1.0, std::max(0.0, (kFadeEnd - t) / (kFadeEnd - kFadeStart)));
      sound.left[i] = static_cast<float>(ceiling * std::tanh(bus.left[i] * gain / ceiling) * fade);
      sound.right[i] = static_cast<float>(ceiling * std::tanh(bus.right[i] * gain / ceiling) * fade);
      peak = std::max({peak, std::fabs(sound.left[i]), std::fabs(sound.right[i])});
    }
    const float normalise = static_cast<float>(kPeak / peak);
    for (size_t i = 0; i < bus.Frames(); ++i) {
      sound.left[i] *= normalise;
      sound.right[i] *= normalise;
    }
    return sound;
  }

  Bus drums, music, lead, hits;
  Rng rng;
};

}  // namespace

const std::vector<Accent>& Accents() {
  static const std::vector<Accent> accents = [] {
    std::vector<Accent> list;
    for (const AccentGroup& g : AccentGroups())
      for (int offset : g.offsets) list.push_back({g.sceneStart + offset, g.scene});
    return list;
  }();
  return accents;
}

const std::vector<Section>& Sections() {
  static const std::vector<Section> sections = {
      {0, 8500, "desert opening"},      {8500, 11500, "group logo"},        {12000, 15000, "presents"},
      {15750, 32500, "desert dunes"},   {32500, 43500, "night ocean"},      {43500, 54000, "flickering lamp"},
      {54000, 65000, "wishing lamp"},   {65000, 75000, "flower"},           {75000, 86000, "ball"},
      {86000, 102000, "member credits"}, {102000, 113000, "industrial gears"}, {113000, 123000, "fog tunnel"},
      {123000, 145000, "photo cylinder"}, {145000, 155000, "space flight"},  {155000, 177000, "greetings spiral"},
      {177000, 195000, "closing credits"},
  };
  return sections;
}

StereoSound RenderSoundtrack() {
  const size_t frames = static_cast<size_t>(kSoundtrackSeconds * kSampleRate);
  Arranger arranger(frames);
  for (const Beat& beat : TempoMap())
    if (beat.time < kFadeEnd) arranger.PlayBeat(beat);
  for (const Accent& accent : Accents()) arranger.PlayAccent(accent);
  arranger.PlayCues();
  return arranger.Mixdown();
}

bool WriteSoundtrackFile(StereoSound sound, const std::string& path) {
  if (!EncodeOggVorbis(sound, path)) return false;
  const double peak = DecodedPeak(path);
  if (peak < 0) return false;
  if (peak <= kPeak * 1.03) return true;
  // The encoder's ringing raised the sharpest hits: scale down and encode again.
  const float gain = static_cast<float>(kPeak / peak);
  for (size_t i = 0; i < sound.Frames(); ++i) {
    sound.left[i] *= gain;
    sound.right[i] *= gain;
  }
  return EncodeOggVorbis(sound, path);
}
