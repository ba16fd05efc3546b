#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace assetgen {
namespace {

void PutText(std::vector<uint8_t>& out, std::string_view text) {
    for (char c : text) {
        out.push_back(static_cast<uint8_t>(c));
    }
}

void PutLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
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
    PutLe(out, 36 + dataBytes, 4);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutLe(out, 16, 4);                                     // size of the format chunk
    PutLe(out, 1, 2);                                      // PCM
    PutLe(out, 1, 2);                                      // channels
    PutLe(out, static_cast<uint32_t>(sampleRate), 4);      // frames per second
    PutLe(out, static_cast<uint32_t>(sampleRate) * 2, 4);  // bytes per second
    PutLe(out, 2, 2);                                      // bytes per frame
    PutLe(out, 16, 2);                                     // bits per sample
    PutText(out, "data");
    PutLe(out, dataBytes, 4);
    for (double sample : samples) {
        PutLe(out, static_cast<uint16_t>(ToPcm16(sample)), 2);
    }
    return out;
}

}  // namespace assetgen
