#include "media/MovieWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "core/base/AtomicFile.h"

namespace orlenza::media {

namespace {

constexpr int kIoBufferSize = 1 << 16;

std::string ffmpegMessage(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// FFmpeg 6.1 made the written buffer const.
#if LIBAVFORMAT_VERSION_MAJOR >= 61
using WriteBuffer = std::uint8_t const*;
#else
using WriteBuffer = std::uint8_t*;
#endif

int writeToFile(void* opaque, WriteBuffer data, int size) {
  auto* file = static_cast<std::FILE*>(opaque);
  if (std::fwrite(data, 1, static_cast<std::size_t>(size), file) != static_cast<std::size_t>(size))
    return AVERROR(errno != 0 ? errno : EIO);
  return size;
}

std::int64_t seekInFile(void* opaque, std::int64_t offset, int whence) {
  auto* file = static_cast<std::FILE*>(opaque);
  if (whence & AVSEEK_SIZE) {
    std::fflush(file);
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) return AVERROR(errno);
    return info.st_size;
  }
  if (::fseeko(file, static_cast<off_t>(offset), whence & ~AVSEEK_FORCE) != 0) return AVERROR(errno);
  return ::ftello(file);
}

}  // namespace

struct MovieWriter::Encoder {
  MovieSettings settings;
  AtomicFileWriter file;
  AVFormatContext* format = nullptr;
  AVIOContext* io = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVFrame* rgb = nullptr;  // the 8-bit picture the movie holds, before any conversion
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int framesWritten = 0;
  bool finished = false;

  Encoder(std::filesystem::path const& target, MovieSettings const& s) : settings(s), file(target) {}

  // Apart from the constructor, so that a failure half-way frees what was made.
  void open() {
    // The encoders' chatter belongs to a log, not to the user's terminal.
    if (av_log_get_level() > AV_LOG_ERROR) av_log_set_level(AV_LOG_ERROR);
    if (auto problem = settings.problem()) throw file.error(*problem);
    check(avformat_alloc_output_context2(&format, nullptr, "mov", nullptr));
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (buffer == nullptr) throw file.error("out of memory");
    io = avio_alloc_context(buffer, kIoBufferSize, 1, file.file(), nullptr, writeToFile, seekInFile);
    if (io == nullptr) {
      av_free(buffer);
      throw file.error("out of memory");
    }
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;

    bool const h264 = settings.usesH264();
    AVCodec const* encoder = avcodec_find_encoder_by_name(h264 ? "libx264" : "qtrle");
    if (encoder == nullptr)
      throw file.error(std::string("this FFmpeg has no ") + (h264 ? "H.264 (libx264)" : "QuickTime Animation") +
                       " encoder");
    codec = avcodec_alloc_context3(encoder);
    if (codec == nullptr) throw file.error("out of memory");
    codec->width = settings.width;
    codec->height = settings.height;
    codec->time_base = AVRational{1, MovieSettings::kTimeScale};
    codec->framerate = AVRational{settings.framesPerSecond, 1};
    AVPixelFormat pixelFormat = AV_PIX_FMT_RGB24;
    if (h264) {
      bool const even = settings.width % 2 == 0 && settings.height % 2 == 0;
      pixelFormat = even ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_YUV444P;
      codec->colorspace = AVCOL_SPC_BT470BG;
      codec->color_range = AVCOL_RANGE_MPEG;
      av_opt_set(codec->priv_data, "preset", "medium", 0);
      av_opt_set(codec->priv_data, "crf", "18", 0);
      // Without B-frames decoding order is showing order, so every sample of
      // the track keeps its plain duration and no edit list is needed.
      codec->max_b_frames = 0;
    }
    codec->pix_fmt = pixelFormat;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    check(avcodec_open2(codec, encoder, nullptr));

    stream = avformat_new_stream(format, nullptr);
    if (stream == nullptr) throw file.error("out of memory");
    stream->time_base = codec->time_base;
    check(avcodec_parameters_from_context(stream->codecpar, codec));
    AVDictionary* options = nullptr;
    av_dict_set(&options, "video_track_timescale", std::to_string(MovieSettings::kTimeScale).c_str(), 0);
    int const header = avformat_write_header(format, &options);
    av_dict_free(&options);
    check(header);

    frame = makeFrame(pixelFormat);
    rgb = h264 ? makeFrame(AV_PIX_FMT_RGB24) : frame;
    packet = av_packet_alloc();
    if (packet == nullptr) throw file.error("out of memory");
    if (h264) {
      scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGB24, settings.width, settings.height,
                              pixelFormat, SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr,
                              nullptr);
      if (scaler == nullptr) throw file.error("no colour conversion to the H.264 pixel format");
    }
  }

  ~Encoder() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    if (rgb != frame) av_frame_free(&rgb);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    if (io != nullptr) {
      av_freep(&io->buffer);
      avio_context_free(&io);
    }
    avformat_free_context(format);
    // The AtomicFileWriter member removes the temporary unless finish() committed it.
  }

  void check(int code) const {
    if (code < 0) throw file.error(ffmpegMessage(code));
  }

  AVFrame* makeFrame(AVPixelFormat pixelFormat) const {
    AVFrame* made = av_frame_alloc();
    if (made == nullptr) throw file.error("out of memory");
    made->format = pixelFormat;
    made->width = settings.width;
    made->height = settings.height;
    if (int const code = av_frame_get_buffer(made, 0); code < 0) {
      av_frame_free(&made);
      throw file.error(ffmpegMessage(code));
    }
    return made;
  }

  void drainPackets() {
    for (;;) {
      int const code = avcodec_receive_packet(codec, packet);
      if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return;
      check(code);
      // Every sample stands equally long; the encoder does not know it.
      packet->duration = settings.sampleDuration();
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      check(av_interleaved_write_frame(format, packet));
    }
  }

  void add(RgbImage16 const& image) {
    if (finished) throw file.error("the movie is already complete");
    if (!image.isValid() || image.width != settings.width || image.height != settings.height)
      throw file.error("a frame of " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                       " does not fit a movie of " + std::to_string(settings.width) + "x" +
                       std::to_string(settings.height));
    check(av_frame_make_writable(rgb));
    for (int y = 0; y < image.height; ++y) {
      std::uint16_t const* source = image.pixel(0, y);
      std::uint8_t* row = rgb->data[0] + static_cast<std::ptrdiff_t>(y) * rgb->linesize[0];
      for (int c = 0; c < 3 * image.width; ++c) row[c] = static_cast<std::uint8_t>(source[c] >> 8);
    }
    if (scaler != nullptr) {
      check(av_frame_make_writable(frame));
      sws_scale(scaler, rgb->data, rgb->linesize, 0, settings.height, frame->data, frame->linesize);
    }
    frame->pts = static_cast<std::int64_t>(framesWritten) * settings.sampleDuration();
    check(avcodec_send_frame(codec, frame));
    drainPackets();
    ++framesWritten;
  }

  void complete() {
    if (finished) return;
    check(avcodec_send_frame(codec, nullptr));
    drainPackets();
    check(av_write_trailer(format));
    avio_flush(io);
    if (io->error < 0) check(io->error);
    finished = true;
    file.commit();
  }
};

MovieWriter::MovieWriter(std::filesystem::path const& target, MovieSettings const& settings)
    : m_encoder(std::make_unique<Encoder>(target, settings)) {
  m_encoder->open();
}

MovieWriter::~MovieWriter() = default;

void MovieWriter::addFrame(MovieFrame&& frame) { m_encoder->add(frame.image); }

void MovieWriter::finish() { m_encoder->complete(); }

int MovieWriter::framesWritten() const { return m_encoder->framesWritten; }

}  // namespace orlenza::media
