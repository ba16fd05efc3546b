#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/little_endian.h"

namespace assetgen {
namespace {

void PutText(std::vector<uint8_t>& out, std::string_view text) {
    for (char c : text) {
        out.push_back(static_cast<uint8_t>(c));
    }
}

int16_t ToPcm16(double sample) {
    const double clamped = std::clamp(sample, -1.0, 1.0);
    return static_cast<int16_t>(std::lround(clamped * 32767.0));
}

}  // namespace

std::vector<uint8_t> EncodeWav16Mono(const std::vector<double>& samples, int sampleRate) {
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutText(out, "RIFF");
    volley::AppendLe(out, 36 + dataBytes, 4);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    volley::AppendLe(out, 16, 4);                                     // size of the format chunk
    volley::AppendLe(out, 1, 2);                                      // PCM
    volley::AppendLe(out, 1, 2);                                      // channels
    volley::AppendLe(out, static_cast<uint32_t>(sampleRate), 4);      // frames per second
    volley::AppendLe(out, static_cast<uint32_t>(sampleRate) * 2, 4);  // bytes per second
    volley::AppendLe(out, 2, 2);                                      // bytes per frame
    volley::AppendLe(out, 16, 2);                                     // bits per sample
    PutText(out, "data");
    volley::AppendLe(out, dataBytes, 4);
    for (double sample : samples) {
        volley::AppendLe(out, static_cast<uint16_t>(ToPcm16(sample)), 2);
    }
    return out;
}

}  // namespace assetgen
