// A piece of music made ready for a synthesizer: the channel messages of a standard MIDI file in
// the order they sound, each at the audio frame it sounds on, and the length after which the piece
// starts over. The game's pieces loop as a whole, so the player below wraps with no seam.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace volley {

struct SequencedMessage {
    uint32_t Frame = 0;  // from the start of the piece
    uint8_t Status = 0;  // a channel message: 0x80 to 0xEF
    uint8_t Data1 = 0;
    uint8_t Data2 = 0;  // 0 for the messages with one data byte
};

struct MidiSequence {
    std::vector<SequencedMessage> Messages;
    // The piece's length, to its last event (the ends of its tracks included).
    uint32_t LoopFrames = 0;
};

// Builds the sequence of a file that CheckMidiFile accepted, for output at rate frames a second;
// false with the reason in error for a file that fails the check, a piece shorter than a tenth of
// a second or longer than an hour, or one with more messages than a MIDI cable could carry in its
// length (a synthesizer fed those would fall behind the sound card and hold up the mixer).
bool BuildMidiSequence(std::span<const uint8_t> file, int rate, MidiSequence& sequence,
                       std::string& error);

// Loads the piece at path as the game plays it: read as a file of at most kMaxMusicBytes, checked
// by CheckMidiFile and built into a sequence for rate; false with the reason in error, which names
// the file.
bool LoadMidiPiece(const std::string& path, int rate, MidiSequence& sequence, std::string& error);

// What a sequence plays into: the messages for the synthesizer, and the audio between them.
class MidiSink {
  public:
    virtual ~MidiSink() = default;
    virtual void Send(const SequencedMessage& message) = 0;
    // Renders the next frames frames of audio.
    virtual void Render(uint32_t frames) = 0;
};

// Plays one sequence at a time from its start, over and over: each message goes to the sink on its
// frame and the sink renders the frames between them; at the end of the piece the next round
// starts on the very next frame. Allocates nothing.
class SequencePlayer {
  public:
    // Starts sequence from its beginning; null plays nothing.
    void Start(const MidiSequence* sequence) {
        sequence_ = sequence;
        next_ = 0;
        position_ = 0;
    }
    const MidiSequence* Sequence() const { return sequence_; }
    // Plays the next frames frames into sink; without a sequence, does nothing.
    void Play(uint32_t frames, MidiSink& sink);

  private:
    const MidiSequence* sequence_ = nullptr;
    size_t next_ = 0;
    uint32_t position_ = 0;
};

}  // namespace volley
