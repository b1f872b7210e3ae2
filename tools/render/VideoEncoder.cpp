#include "tools/render/VideoEncoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

// The two containers and what goes into them.
struct Container {
  const char* extension;
  const char* muxer;
  const char* videoCodec;
  const char* audioCodec;
  int defaultCrf;   // visually clean for the demo's flat colours and fine lines
  int maxCrf;
  int audioBitRate;  // bits per second
};

const Container kContainers[] = {
    {".mp4", "mp4", "libx264", "aac", 20, 51, 192000},
    {".webm", "webm", "libvpx-vp9", "libopus", 30, 63, 160000},
};

const Container* ContainerFor(const std::string& path) {
  for (const Container& c : kContainers) {
    const std::size_t n = std::strlen(c.extension);
    if (path.size() > n && path.compare(path.size() - n, n, c.extension) == 0) return &c;
  }
  return nullptr;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

}  // namespace

VideoEncoder::~VideoEncoder() { Abort(); }

bool VideoEncoder::Check(const std::string& path, bool withAudio, std::string& error) {
  const Container* c = ContainerFor(path);
  if (!c) {
    error = "cannot tell the format of '" + path + "': the name must end in .mp4 or .webm";
    return false;
  }
  for (const char* name : {c->videoCodec, withAudio ? c->audioCodec : nullptr}) {
    if (name && !avcodec_find_encoder_by_name(name)) {
      error = std::string("the installed FFmpeg libraries have no ") + name + " encoder, needed for " +
              c->extension + " files";
      return false;
    }
  }
  return true;
}

bool VideoEncoder::Fail(const std::string& what, int code, std::string& error) {
  error = what + (code < 0 ? ": " + AvError(code) : std::string());
  return false;
}

bool VideoEncoder::Open(const VideoSettings& s, std::string& error) {
  if (!Check(s.path, s.audioChannels > 0, error)) return false;
  const Container& c = *ContainerFor(s.path);
  av_log_set_level(AV_LOG_ERROR);  // the codecs' statistics would drown the progress line
  settings = s;
  partPath = s.path + ".part";
  int rc = avformat_alloc_output_context2(&format, nullptr, c.muxer, partPath.c_str());
  if (rc < 0) return Fail("cannot set up the " + std::string(c.muxer) + " writer", rc, error);

  // Video: constant quality, 4:2:0, keyframes every 4 s for seeking.
  const AVCodec* vc = avcodec_find_encoder_by_name(c.videoCodec);
  video.codec = avcodec_alloc_context3(vc);
  video.codec->width = s.width;
  video.codec->height = s.height;
  video.codec->time_base = AVRational{1, s.fps};
  video.codec->framerate = AVRational{s.fps, 1};
  video.codec->pix_fmt = AV_PIX_FMT_YUV420P;
  video.codec->gop_size = 4 * s.fps;
  video.codec->color_range = AVCOL_RANGE_MPEG;
  video.codec->colorspace = AVCOL_SPC_BT709;
  video.codec->color_primaries = AVCOL_PRI_BT709;
  video.codec->color_trc = AVCOL_TRC_BT709;
  video.codec->bit_rate = 0;
  const int crf = s.crf >= 0 ? s.crf : c.defaultCrf;
  if (crf > c.maxCrf) {
    error = "--crf " + std::to_string(crf) + " is above " + std::to_string(c.maxCrf) + ", the highest for " +
            c.extension + " files";
    return false;
  }
  av_opt_set_int(video.codec->priv_data, "crf", crf, 0);
  // Every core: the libraries' own threads (FFmpeg's default is one).
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  if (std::strcmp(c.videoCodec, "libx264") == 0) {
    av_opt_set(video.codec->priv_data, "preset", "fast", 0);
    video.codec->thread_count = 0;  // x264's own choice: frame threads and lookahead for the cores there are
  } else {
    av_opt_set(video.codec->priv_data, "deadline", "good", 0);
    av_opt_set_int(video.codec->priv_data, "cpu-used", 4, 0);
    // Rows of each tile in parallel; tile columns as many as the width takes
    // (at least 256 pixels each), given as log2.
    av_opt_set_int(video.codec->priv_data, "row-mt", 1, 0);
    int tiles = 0;
    while (tiles < 6 && (s.width >> (tiles + 1)) >= 256) ++tiles;
    av_opt_set_int(video.codec->priv_data, "tile-columns", tiles, 0);
    video.codec->thread_count = cores;
  }
  if (format->oformat->flags & AVFMT_GLOBALHEADER) video.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  rc = avcodec_open2(video.codec, vc, nullptr);
  if (rc < 0) return Fail(std::string("cannot start the ") + c.videoCodec + " encoder", rc, error);
  video.stream = avformat_new_stream(format, nullptr);
  if (!video.stream) return Fail("out of memory", AVERROR(ENOMEM), error);
  video.stream->time_base = video.codec->time_base;
  video.stream->avg_frame_rate = video.codec->framerate;
  avcodec_parameters_from_context(video.stream->codecpar, video.codec);

  picture = av_frame_alloc();
  packet = av_packet_alloc();
  picture->format = AV_PIX_FMT_YUV420P;
  picture->width = s.width;
  picture->height = s.height;
  rc = av_frame_get_buffer(picture, 0);
  if (rc < 0) return Fail("cannot allocate a picture", rc, error);
  scaler = sws_getContext(s.width, s.height, AV_PIX_FMT_RGBA, s.width, s.height, AV_PIX_FMT_YUV420P,
                          SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr);
  if (!scaler) return Fail("cannot set up the colour conversion", 0, error);
  // Full-range RGB in, BT.709 studio range out, as the stream is tagged.
  sws_setColorspaceDetails(scaler, sws_getCoefficients(SWS_CS_ITU709), 1, sws_getCoefficients(SWS_CS_ITU709), 0,
                           0, 1 << 16, 1 << 16);

  if (s.audioChannels > 0) {
    const AVCodec* ac = avcodec_find_encoder_by_name(c.audioCodec);
    audio.codec = avcodec_alloc_context3(ac);
    // The wanted rate when the codec takes it, else the highest it offers (Opus: 48 kHz).
    int rate = 0;
    for (const int* r = ac->supported_samplerates; r && *r; ++r) {
      if (*r == s.audioRate) rate = *r;
      if (rate != s.audioRate && *r > rate) rate = *r;
    }
    audio.codec->sample_rate = rate ? rate : s.audioRate;
    av_channel_layout_default(&audio.codec->ch_layout, s.audioChannels);
    audio.codec->sample_fmt = ac->sample_fmts ? ac->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat* f = ac->sample_fmts; f && *f != AV_SAMPLE_FMT_NONE; ++f)
      if (*f == AV_SAMPLE_FMT_FLTP || *f == AV_SAMPLE_FMT_FLT) audio.codec->sample_fmt = *f;
    audio.codec->bit_rate = c.audioBitRate;
    audio.codec->time_base = AVRational{1, audio.codec->sample_rate};
    if (format->oformat->flags & AVFMT_GLOBALHEADER) audio.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    rc = avcodec_open2(audio.codec, ac, nullptr);
    if (rc < 0) return Fail(std::string("cannot start the ") + c.audioCodec + " encoder", rc, error);
    const AVSampleFormat f = audio.codec->sample_fmt;
    if (f != AV_SAMPLE_FMT_FLTP && f != AV_SAMPLE_FMT_FLT && f != AV_SAMPLE_FMT_S16)
      return Fail(std::string("the ") + c.audioCodec + " encoder takes no sample format known here", 0, error);
    audio.stream = avformat_new_stream(format, nullptr);
    if (!audio.stream) return Fail("out of memory", AVERROR(ENOMEM), error);
    audio.stream->time_base = audio.codec->time_base;
    avcodec_parameters_from_context(audio.stream->codecpar, audio.codec);
    sound = av_frame_alloc();
    sound->format = f;
    sound->sample_rate = audio.codec->sample_rate;
    av_channel_layout_copy(&sound->ch_layout, &audio.codec->ch_layout);
    sound->nb_samples = audio.codec->frame_size > 0 ? audio.codec->frame_size : 1024;
    rc = av_frame_get_buffer(sound, 0);
    if (rc < 0) return Fail("cannot allocate a sound frame", rc, error);
  }

  rc = avio_open(&format->pb, partPath.c_str(), AVIO_FLAG_WRITE);
  if (rc < 0) return Fail("cannot write " + settings.path, rc, error);
  fileOpen = true;
  AVDictionary* options = nullptr;
  if (std::strcmp(c.muxer, "mp4") == 0) av_dict_set(&options, "movflags", "+faststart", 0);
  rc = avformat_write_header(format, &options);
  av_dict_free(&options);
  if (rc < 0) return Fail("cannot write " + settings.path, rc, error);
  return true;
}

int VideoEncoder::AudioRate() const { return audio.codec ? audio.codec->sample_rate : 0; }

bool VideoEncoder::Send(Track& track, AVFrame* frame, std::string& error) {
  int rc = avcodec_send_frame(track.codec, frame);
  if (rc < 0) return Fail("the encoder refused a frame", rc, error);
  for (;;) {
    rc = avcodec_receive_packet(track.codec, packet);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) return Fail("encoding failed", rc, error);
    av_packet_rescale_ts(packet, track.codec->time_base, track.stream->time_base);
    packet->stream_index = track.stream->index;
    rc = av_interleaved_write_frame(format, packet);  // takes the packet's data
    if (rc < 0) return Fail("cannot write " + settings.path, rc, error);
  }
}

bool VideoEncoder::AddFrame(const unsigned char* rgba, int stride, std::string& error) {
  int rc = av_frame_make_writable(picture);
  if (rc < 0) return Fail("cannot allocate a picture", rc, error);
  const uint8_t* planes[1] = {rgba};
  const int strides[1] = {stride};
  sws_scale(scaler, planes, strides, 0, settings.height, picture->data, picture->linesize);
  picture->pts = videoPts++;
  return Send(video, picture, error);
}

bool VideoEncoder::AddAudio(const float* samples, int frames, std::string& error) {
  if (!audio.codec) return true;
  pending.insert(pending.end(), samples, samples + static_cast<std::size_t>(frames) * settings.audioChannels);
  return EncodeAudio(false, error);
}

// Hands the pending samples to the codec in frames of its size; with `flush`
// the last partial frame goes too.
bool VideoEncoder::EncodeAudio(bool flush, std::string& error) {
  const int channels = settings.audioChannels;
  const int size = audio.codec->frame_size > 0 ? audio.codec->frame_size : 1024;
  std::size_t used = 0;
  while (pending.size() - used >= static_cast<std::size_t>(size) * channels ||
         (flush && pending.size() > used)) {
    const int n = static_cast<int>(std::min<std::size_t>(size, (pending.size() - used) / channels));
    int rc = av_frame_make_writable(sound);
    if (rc < 0) return Fail("cannot allocate a sound frame", rc, error);
    // A codec that takes no short last frame gets it filled up with silence.
    const bool shortOk = audio.codec->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
    sound->nb_samples = shortOk ? n : size;
    const float* in = pending.data() + used;
    for (int ch = 0; ch < channels; ++ch) {
      for (int i = 0; i < sound->nb_samples; ++i) {
        const float v = i < n ? in[i * channels + ch] : 0.0f;
        switch (sound->format) {
          case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(sound->data[ch])[i] = v; break;
          case AV_SAMPLE_FMT_FLT: reinterpret_cast<float*>(sound->data[0])[i * channels + ch] = v; break;
          default: {
            const float c = v > 1.0f ? 1.0f : (v < -1.0f ? -1.0f : v);
            reinterpret_cast<int16_t*>(sound->data[0])[i * channels + ch] = static_cast<int16_t>(c * 32767.0f);
          }
        }
      }
    }
    sound->pts = audioPts;
    audioPts += sound->nb_samples;
    used += static_cast<std::size_t>(n) * channels;
    if (!Send(audio, sound, error)) return false;
  }
  pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(used));
  return true;
}

bool VideoEncoder::Finish(std::string& error) {
  if (!fileOpen) return Fail("no file is open", 0, error);
  if (!Send(video, nullptr, error)) return false;
  if (audio.codec && (!EncodeAudio(true, error) || !Send(audio, nullptr, error))) return false;
  int rc = av_write_trailer(format);
  if (rc < 0) return Fail("cannot finish " + settings.path, rc, error);
  if (format->pb->error < 0) return Fail("cannot write " + settings.path, format->pb->error, error);
  rc = avio_closep(&format->pb);
  fileOpen = false;
  if (rc < 0) {
    std::remove(partPath.c_str());
    return Fail("cannot write " + settings.path, rc, error);
  }
  if (std::rename(partPath.c_str(), settings.path.c_str()) != 0) {
    error = "cannot rename " + partPath + " to " + settings.path + ": " + std::strerror(errno);
    std::remove(partPath.c_str());
    return false;
  }
  Close();
  return true;
}

void VideoEncoder::Abort() {
  if (fileOpen) {
    avio_closep(&format->pb);
    fileOpen = false;
    std::remove(partPath.c_str());
  }
  Close();
}

void VideoEncoder::Close() {
  avcodec_free_context(&video.codec);
  avcodec_free_context(&audio.codec);
  av_frame_free(&picture);
  av_frame_free(&sound);
  av_packet_free(&packet);
  sws_freeContext(scaler);
  scaler = nullptr;
  avformat_free_context(format);
  format = nullptr;
}
