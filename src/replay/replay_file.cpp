#include "replay/replay_file.h"

#include <cstring>

#include "platform/crc32.h"
#include "platform/little_endian.h"
#include "platform/read_file.h"

namespace volley {

namespace {

constexpr std::array<uint8_t, 8> kMagic = {'V', 'O', 'L', 'L', 'E', 'Y', 'R', 'P'};
// Magic, version, flags, seed, save, outcome.
constexpr size_t kHeaderBytes = 8 + 2 + 2 + 8 + kSaveBytes + 2 + 1 + 4 + 8;
constexpr size_t kCrcBytes = 4;

class Writer {
  public:
    explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
    void Bytes(std::span<const uint8_t> bytes) {
        for (uint8_t byte : bytes) {
            out_.push_back(byte);
        }
    }
    void Fixed(uint64_t value, int bytes) { AppendLe(out_, value, bytes); }
    void Varint(uint64_t value) {
        while (value >= 0x80) {
            out_.push_back(static_cast<uint8_t>(value | 0x80));
            value >>= 7;
        }
        out_.push_back(static_cast<uint8_t>(value));
    }

  private:
    std::vector<uint8_t>& out_;
};

// Reads from a byte range and remembers the first thing that did not fit, never reading past it.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }
    size_t Left() const { return bytes_.size() - at_; }
    void Fail(const std::string& why) {
        if (error_.empty()) {
            error_ = why;
        }
    }
    // A little-endian number of at most eight bytes.
    uint64_t Fixed(int bytes) {
        if (Left() < static_cast<size_t>(bytes)) {
            Fail("it ends early");
            return 0;
        }
        const uint64_t value = ReadLe(bytes_.data() + at_, bytes);
        at_ += static_cast<size_t>(bytes);
        return value;
    }
    void Skip(size_t bytes) {
        if (Left() < bytes) {
            Fail("it ends early");
            return;
        }
        at_ += bytes;
    }
    uint64_t Varint() {
        uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const uint64_t byte = Fixed(1);
            if (Failed()) {
                return 0;
            }
            value |= (byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                return value;
            }
        }
        Fail("a number in it is too long");
        return 0;
    }

  private:
    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
    std::string error_;
};

template <typename Value, typename WriteValue>
void WriteStream(Writer& w, const RunStream<Value>& stream, WriteValue writeValue) {
    w.Varint(stream.Runs().size());
    for (const auto& run : stream.Runs()) {
        w.Varint(run.Count);
        writeValue(run.Item);
    }
}

// Every run takes at least two bytes, so a count beyond half of what is left is damage, caught
// before anything is stored for it. A few bytes can also claim billions of answers, which would
// keep a playback busy for days: no stream may hold more than a day of play asks.
template <typename Value, typename ReadValue>
void ReadStream(Reader& r, RunStream<Value>& stream, ReadValue readValue) {
    const uint64_t runs = r.Varint();
    if (runs > r.Left() / 2) {
        r.Fail("a stream in it is longer than the file");
        return;
    }
    stream.Reserve(runs);
    uint64_t answers = 0;
    for (uint64_t i = 0; i < runs && !r.Failed(); ++i) {
        const uint64_t count = r.Varint();
        if (count == 0 || count > UINT32_MAX) {
            r.Fail("a stream in it has a run of a bad length");
            return;
        }
        answers += count;
        if (answers > kMaxAnswersPerStream) {
            r.Fail("it holds more answers than a day of play asks");
            return;
        }
        const Value value = readValue();
        stream.AppendRun(static_cast<uint32_t>(count), value);
    }
}

bool ReadFlag(Reader& r) {
    const uint64_t value = r.Fixed(1);
    if (value > 1) {
        r.Fail("a key answer in it is neither yes nor no");
    }
    return value == 1;
}

void WriteOutcome(Writer& w, const ReplayOutcome& o) {
    w.Fixed(static_cast<uint16_t>(o.Stage), 2);
    w.Fixed(static_cast<uint8_t>(o.Result), 1);
    w.Fixed(static_cast<uint32_t>(o.Score), 4);
    w.Fixed(o.StateHash, 8);
}

void ReadOutcome(Reader& r, ReplayOutcome& o) {
    o.Stage = static_cast<int16_t>(r.Fixed(2));
    const uint64_t result = r.Fixed(1);
    if (result > static_cast<uint8_t>(StageResult::GameOver)) {
        r.Fail("its result is not one the game knows");
    }
    o.Result = static_cast<StageResult>(result);
    o.Score = static_cast<int32_t>(static_cast<uint32_t>(r.Fixed(4)));
    o.StateHash = r.Fixed(8);
}

void WriteCheckpoints(Writer& w, const std::vector<uint64_t>& checkpoints) {
    w.Varint(checkpoints.size());
    for (uint64_t hash : checkpoints) {
        w.Fixed(hash, 8);
    }
}

// The count is checked against the file's size and a day of play before anything is stored.
void ReadCheckpoints(Reader& r, std::vector<uint64_t>& checkpoints) {
    const uint64_t count = r.Varint();
    if (count > kMaxCheckpoints) {
        r.Fail("it holds more checkpoints than a day of play takes");
        return;
    }
    if (count > r.Left() / 8) {
        r.Fail("its checkpoints are longer than the file");
        return;
    }
    checkpoints.resize(count);
    for (uint64_t& hash : checkpoints) {
        hash = r.Fixed(8);
    }
}

void WriteStreams(Writer& w, const InputLog& log) {
    auto flag = [&](bool value) { w.Fixed(value ? 1 : 0, 1); };
    for (const RunStream<bool>& key : log.Keys) {
        WriteStream(w, key, flag);
    }
    WriteStream(w, log.FocusLosses, flag);
    WriteStream(w, log.DeviceCounts,
                [&](int32_t count) { w.Varint(static_cast<uint32_t>(count)); });
    WriteStream(w, log.JoyReads, [&](const JoyAnswer& a) {
        flag(a.Answered);
        w.Fixed(a.Reading.X, 2);
        w.Fixed(a.Reading.Y, 2);
        w.Fixed(a.Reading.Buttons, 4);
    });
}

void ReadStreams(Reader& r, InputLog& log) {
    auto flag = [&] { return ReadFlag(r); };
    for (RunStream<bool>& key : log.Keys) {
        ReadStream(r, key, flag);
    }
    ReadStream(r, log.FocusLosses, flag);
    ReadStream(r, log.DeviceCounts, [&] {
        const uint64_t count = r.Varint();
        if (count > INT32_MAX) {
            r.Fail("a joystick count in it is out of range");
        }
        return static_cast<int32_t>(count);
    });
    ReadStream(r, log.JoyReads, [&] {
        JoyAnswer a;
        a.Answered = ReadFlag(r);
        a.Reading.X = static_cast<uint16_t>(r.Fixed(2));
        a.Reading.Y = static_cast<uint16_t>(r.Fixed(2));
        a.Reading.Buttons = static_cast<uint32_t>(r.Fixed(4));
        return a;
    });
}

// The checks that need no parsing: size, magic, version and checksum.
bool CheckFrame(std::span<const uint8_t> bytes, std::string& error) {
    if (bytes.size() < kMagic.size() ||
        std::memcmp(bytes.data(), kMagic.data(), kMagic.size()) != 0) {
        error = "not a volley replay";
        return false;
    }
    if (bytes.size() < kHeaderBytes + kCrcBytes) {
        error = "the replay is cut short";
        return false;
    }
    const unsigned version = bytes[8] | (bytes[9] << 8);
    if (version != kReplayVersion) {
        error = "the replay is of version " + std::to_string(version) +
                "; this game plays version " + std::to_string(kReplayVersion);
        return false;
    }
    const auto body = bytes.first(bytes.size() - kCrcBytes);
    Reader crc(bytes.last(kCrcBytes));
    if (Crc32(body) != static_cast<uint32_t>(crc.Fixed(4))) {
        error = "the replay is damaged (its checksum does not match)";
        return false;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> EncodeReplay(const Replay& replay) {
    std::vector<uint8_t> out;
    Writer w(out);
    w.Bytes(kMagic);
    w.Fixed(kReplayVersion, 2);
    w.Fixed(0, 2);
    w.Fixed(replay.Seed, 8);
    w.Bytes(replay.SaveImage);
    WriteOutcome(w, replay.Outcome);
    WriteCheckpoints(w, replay.Checkpoints);
    WriteStreams(w, replay.Log);
    w.Fixed(Crc32(out), 4);
    return out;
}

bool DecodeReplay(std::span<const uint8_t> bytes, Replay& out, std::string& error) {
    if (!CheckFrame(bytes, error)) {
        return false;
    }
    Reader r(bytes.first(bytes.size() - kCrcBytes));
    // Magic and version, checked above; skipped, since ten bytes make no 64-bit number.
    r.Skip(kMagic.size() + 2);
    if (r.Fixed(2) != 0) {
        r.Fail("it asks for features this game does not have");
    }
    out = Replay{};
    out.Seed = r.Fixed(8);
    for (uint8_t& byte : out.SaveImage) {
        byte = static_cast<uint8_t>(r.Fixed(1));
    }
    ReadOutcome(r, out.Outcome);
    ReadCheckpoints(r, out.Checkpoints);
    ReadStreams(r, out.Log);
    if (!r.Failed() && r.Left() != 0) {
        r.Fail("it has bytes after its end");
    }
    if (r.Failed()) {
        error = "the replay is damaged: " + r.Error();
        return false;
    }
    return true;
}

bool ReadReplayFile(const std::string& path, Replay& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(path, kMaxReplayBytes, bytes, error) != ReadStatus::Read) {
        return false;
    }
    if (!DecodeReplay(bytes, out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace volley
