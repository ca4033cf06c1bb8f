#pragma once
// A movie read back as a player reads it: the track's codec, size and clock,
// every sample's duration, and every frame decoded to RGB.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdint>
#include <filesystem>
#include <vector>

namespace orlenza::media {

struct ReadBack {
  AVCodecID codec = AV_CODEC_ID_NONE;
  int width = 0, height = 0;
  AVRational timeBase{0, 1};
  std::vector<std::int64_t> durations;
  std::vector<std::vector<std::uint8_t>> rgbFrames;  // decoded, as RGB24 rows
  int decodeErrors = 0;
};

// Reads every packet and decodes every frame, as a player would.
inline ReadBack readMovie(std::filesystem::path const& path) {
  ReadBack result;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return result;
  avformat_find_stream_info(format, nullptr);
  AVStream* stream = format->streams[0];
  result.codec = stream->codecpar->codec_id;
  result.width = stream->codecpar->width;
  result.height = stream->codecpar->height;
  result.timeBase = stream->time_base;

  AVCodec const* decoder = avcodec_find_decoder(result.codec);
  AVCodecContext* codec = avcodec_alloc_context3(decoder);
  avcodec_parameters_to_context(codec, stream->codecpar);
  avcodec_open2(codec, decoder, nullptr);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  auto takeFrames = [&] {
    while (avcodec_receive_frame(codec, frame) == 0) {
      std::vector<std::uint8_t> rgb(static_cast<std::size_t>(3 * frame->width * frame->height));
      SwsContext* toRgb = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                                         frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_POINT, nullptr, nullptr,
                                         nullptr);
      std::uint8_t* planes[4] = {rgb.data(), nullptr, nullptr, nullptr};
      int strides[4] = {3 * frame->width, 0, 0, 0};
      sws_scale(toRgb, frame->data, frame->linesize, 0, frame->height, planes, strides);
      sws_freeContext(toRgb);
      result.rgbFrames.push_back(std::move(rgb));
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    result.durations.push_back(packet->duration);
    if (avcodec_send_packet(codec, packet) < 0) ++result.decodeErrors;
    av_packet_unref(packet);
    takeFrames();
  }
  avcodec_send_packet(codec, nullptr);
  takeFrames();
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&codec);
  avformat_close_input(&format);
  return result;
}

}  // namespace orlenza::media
