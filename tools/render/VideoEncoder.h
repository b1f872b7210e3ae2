#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct SwsContext;

// What a capture file holds; `audioChannels` 0 means no sound track.
struct VideoSettings {
  std::string path;        // the target; ".mp4" or ".webm"
  int width = 0;           // pixels, even
  int height = 0;          // pixels, even
  int fps = 60;            // frames per second
  int crf = -1;            // constant-quality level, -1 for the codec's default here
  int audioChannels = 0;   // 1 or 2, 0 for none
  int audioRate = 44100;   // the rate we would like; the codec may need another (see AudioRate)
};

// Writes H.264 + AAC into an MP4 or VP9 + Opus into a WebM through FFmpeg's
// libraries. The file grows under a temporary name beside the target and gets
// the target's name only when Finish succeeds; Abort (or destruction without
// Finish) removes it.
class VideoEncoder {
 public:
  VideoEncoder() = default;
  VideoEncoder(const VideoEncoder&) = delete;
  VideoEncoder& operator=(const VideoEncoder&) = delete;
  ~VideoEncoder();

  // Whether the target's extension is known and its encoders are installed.
  // Touches no file; false with `error` set.
  static bool Check(const std::string& path, bool withAudio, std::string& error);

  // Creates the temporary file and writes the header. False with `error` set
  // and nothing left on disk.
  bool Open(const VideoSettings& settings, std::string& error);

  int AudioRate() const;  // samples per second of the sound track

  // One picture of width x height RGBA pixels, rows top-down `stride` bytes apart.
  bool AddFrame(const unsigned char* rgba, int stride, std::string& error);

  // The next `frames` sample frames, interleaved float in [-1, 1], AudioRate().
  bool AddAudio(const float* samples, int frames, std::string& error);

  // Drains the encoders, writes the trailer and renames the file to the target.
  bool Finish(std::string& error);

  void Abort();

  std::int64_t FramesWritten() const { return videoPts; }

 private:
  struct Track {
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
  };
  bool Send(Track& track, AVFrame* frame, std::string& error);
  bool EncodeAudio(bool flush, std::string& error);
  bool Fail(const std::string& what, int code, std::string& error);
  void Close();

  VideoSettings settings;
  std::string partPath;  // the temporary file
  AVFormatContext* format = nullptr;
  bool fileOpen = false;
  Track video, audio;
  AVFrame* picture = nullptr;
  AVFrame* sound = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  std::int64_t videoPts = 0;         // frames sent
  std::int64_t audioPts = 0;         // sample frames sent
  std::vector<float> pending;        // interleaved samples not yet in a codec frame
};
