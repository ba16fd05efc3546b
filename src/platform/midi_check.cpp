#include "platform/midi_check.h"

#include <cstring>

namespace volley {

namespace {

constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kHeaderDataBytes = 6;
// A delta time or a length takes at most four bytes in a MIDI file.
constexpr int kMaxVarintBytes = 4;

uint32_t BigEndian(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = (value << 8) | p[i];
    }
    return value;
}

// Walks one track's events, keeping to the track's own bytes.
class TrackReader {
  public:
    TrackReader(std::span<const uint8_t> track, MidiEventVisitor* visitor)
        : track_(track), visitor_(visitor) {}

    bool Check(std::string& error) {
        while (at_ < track_.size()) {
            uint32_t delta = 0;
            if (!Varint(delta) || !Event(delta)) {
                error = "a track has a damaged event at byte " + std::to_string(at_);
                return false;
            }
        }
        return true;
    }

  private:
    bool Varint(uint32_t& value) {
        value = 0;
        for (int i = 0; i < kMaxVarintBytes; ++i) {
            if (at_ >= track_.size()) {
                return false;
            }
            const uint8_t byte = track_[at_++];
            value = (value << 7) | (byte & 0x7F);
            if ((byte & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }

    bool Skip(uint32_t bytes) {
        if (bytes > track_.size() - at_) {
            return false;
        }
        at_ += bytes;
        return true;
    }

    // Channel messages carry one data byte (program change, channel pressure) or two.
    static uint32_t DataBytes(uint8_t status) {
        const uint8_t type = status & 0xF0;
        return type == 0xC0 || type == 0xD0 ? 1 : 2;
    }

    bool ChannelData(uint8_t status) {
        const size_t start = at_;
        for (uint32_t i = 0; i < DataBytes(status); ++i) {
            if (at_ >= track_.size() || track_[at_] >= 0x80) {
                return false;
            }
            ++at_;
        }
        return Tell(status, 0, start);
    }

    // Passes over a length and that many bytes, which are the event's data.
    bool Block(uint8_t status, uint8_t metaType) {
        uint32_t length = 0;
        if (!Varint(length)) {
            return false;
        }
        const size_t start = at_;
        return Skip(length) && Tell(status, metaType, start);
    }

    bool Tell(uint8_t status, uint8_t metaType, size_t dataStart) {
        if (visitor_ != nullptr) {
            event_.Status = status;
            event_.MetaType = metaType;
            event_.Data = track_.subspan(dataStart, at_ - dataStart);
            visitor_->Event(event_);
        }
        return true;
    }

    bool Event(uint32_t delta) {
        event_.Tick += delta;
        if (at_ >= track_.size()) {
            return false;
        }
        const uint8_t first = track_[at_];
        if (first < 0x80) {
            // Running status: the data of another message of the last channel status.
            return running_ != 0 && ChannelData(running_);
        }
        ++at_;
        if (first == 0xFF) {
            if (at_ >= track_.size() || track_[at_] >= 0x80) {
                return false;
            }
            return Block(first, track_[at_++]);
        }
        if (first == 0xF0 || first == 0xF7) {
            running_ = 0;
            return Block(first, 0);
        }
        if (first > 0xF0) {
            return false;  // system messages other than exclusive have no place in a file
        }
        running_ = first;
        return ChannelData(first);
    }

    std::span<const uint8_t> track_;
    MidiEventVisitor* visitor_;
    size_t at_ = 0;
    uint8_t running_ = 0;
    MidiFileEvent event_;
};

bool CheckHeader(std::span<const uint8_t> file, uint32_t& tracks, std::string& error) {
    if (file.size() < kChunkHeaderBytes + kHeaderDataBytes ||
        std::memcmp(file.data(), "MThd", 4) != 0) {
        error = "not a standard MIDI file";
        return false;
    }
    const uint32_t length = BigEndian(file.data() + 4, 4);
    if (length < kHeaderDataBytes || length > file.size() - kChunkHeaderBytes) {
        error = "its header is damaged";
        return false;
    }
    const uint8_t* data = file.data() + kChunkHeaderBytes;
    const uint32_t format = BigEndian(data, 2);
    tracks = BigEndian(data + 2, 2);
    const uint32_t division = BigEndian(data + 4, 2);
    if (format > 2 || tracks == 0 || (format == 0 && tracks != 1) || division == 0) {
        error = "its header is damaged";
        return false;
    }
    return true;
}

// Checks the whole file, telling visitor (when there is one) what it finds.
bool WalkMidiFile(std::span<const uint8_t> file, MidiEventVisitor* visitor, std::string& error) {
    uint32_t tracks = 0;
    if (!CheckHeader(file, tracks, error)) {
        return false;
    }
    if (visitor != nullptr) {
        visitor->Division(static_cast<uint16_t>(BigEndian(file.data() + 12, 2)));
    }
    size_t at = kChunkHeaderBytes + BigEndian(file.data() + 4, 4);
    uint32_t found = 0;
    // Chunks of other types are allowed and passed over, as readers of the format must.
    while (at < file.size()) {
        if (file.size() - at < kChunkHeaderBytes) {
            error = "it ends inside a chunk header";
            return false;
        }
        const uint32_t length = BigEndian(file.data() + at + 4, 4);
        if (length > file.size() - at - kChunkHeaderBytes) {
            error = "a chunk runs past the end of the file";
            return false;
        }
        const auto body = file.subspan(at + kChunkHeaderBytes, length);
        if (std::memcmp(file.data() + at, "MTrk", 4) == 0) {
            ++found;
            if (!TrackReader(body, visitor).Check(error)) {
                return false;
            }
        }
        at += kChunkHeaderBytes + length;
    }
    if (found != tracks) {
        error = "its header announces " + std::to_string(tracks) + " tracks but it holds " +
                std::to_string(found);
        return false;
    }
    return true;
}

}  // namespace

bool CheckMidiFile(std::span<const uint8_t> file, std::string& error) {
    return WalkMidiFile(file, nullptr, error);
}

bool ReadMidiFile(std::span<const uint8_t> file, MidiEventVisitor& visitor, std::string& error) {
    return WalkMidiFile(file, &visitor, error);
}

}  // namespace volley
