#pragma once
// Turns one device frame into the sample the capture graph hands on: 24-bit
// blue-green-red, rows padded to four bytes, bottom row first.

#include <cstddef>
#include <cstdint>

#include "platform/media/CaptureDevice.h"

namespace media {

// Bytes of one RGB24 sample row (width*3 rounded up to four) and of a sample.
size_t Rgb24Stride(int width);
size_t Rgb24SampleBytes(int width, int height);

// Converts a frame in format `in` (YUYV, MJPG or BGR3) into `dst`. False when
// the input is short or cannot be decoded, the format is not handled, or
// `dst` is smaller than Rgb24SampleBytes(in.width, in.height). Never reads or
// writes outside the buffers given.
bool ConvertToRgb24Sample(const VideoFormat& in, const uint8_t* src, size_t srcBytes, uint8_t* dst,
                          size_t dstBytes);

}  // namespace media
