// Damaged music as the game loads and plays it: the bytes are a Music/*.mid file, read from disk,
// checked as a standard MIDI file, made into a sequence of timed messages and played through the
// game's synthesizer (with its soundfont, where the machine has one) for a third of a second.
// Nothing may crash or hang; a refusal names the file; a sequence keeps its messages in order
// within its loop; the synthesizer renders whatever the piece asks of it.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/midi_sequence.h"
#include "platform/sdl/music_synth.h"

namespace {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 512;
constexpr int kBuffers = 30;  // 0.35 s

void Require(bool promise) {
    if (!promise) {
        __builtin_trap();
    }
}

// One synthesizer for the whole run, as the game makes one; null without a soundfont.
volley::sdl::MusicSynth* Synth() {
    static const std::unique_ptr<volley::sdl::MusicSynth> synth = [] {
        std::string error;
        const std::string soundFont = volley::sdl::ChooseSoundFont();
        return soundFont.empty() ? nullptr
                                 : volley::sdl::MusicSynth::Create(kRate, soundFont, {}, error);
    }();
    return synth.get();
}

const std::string& PiecePath() {
    static const std::string path = "/tmp/volley_music_fuzz_" + std::to_string(getpid()) + ".mid";
    return path;
}

void CheckSequence(const volley::MidiSequence& sequence) {
    Require(sequence.LoopFrames > 0);
    uint32_t last = 0;
    for (const volley::SequencedMessage& message : sequence.Messages) {
        Require(message.Frame >= last && message.Frame <= sequence.LoopFrames);
        Require(message.Status >= 0x80 && message.Status < 0xF0);
        Require(message.Data1 < 0x80 && message.Data2 < 0x80);
        last = message.Frame;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = PiecePath();
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        // An empty input may come without any bytes to point at.
        Require(size == 0 || std::fwrite(data, 1, size, file) == size);
        std::fclose(file);
    }
    volley::MidiSequence sequence;
    std::string error;
    if (!volley::LoadMidiPiece(path, kRate, sequence, error)) {
        Require(error.starts_with(path + ": "));
        return 0;
    }
    CheckSequence(sequence);
    if (volley::sdl::MusicSynth* synth = Synth()) {
        std::array<int16_t, 2 * kBufferFrames> buffer{};
        synth->Start(&sequence);
        for (int i = 0; i < kBuffers; ++i) {
            synth->Render(buffer.data(), kBufferFrames, 2);
        }
        synth->Start(nullptr);
    }
    return 0;
}
