// A platform without a window, a sound card or real time: the clock advances only when the game
// waits, keys are pressed by the test, and what would have been shown is kept for inspection.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace volley {

class HeadlessClock final : public Clock {
  public:
    explicit HeadlessClock(uint32_t startMs = 0) : micros_(uint64_t{startMs} * 1000) {}
    uint32_t NowMs() override { return static_cast<uint32_t>(micros_ / 1000); }
    void Sleep(uint32_t ms) override { micros_ += uint64_t{ms} * 1000; }
    void Spin() override {
        micros_ += kSpinMicros;
        ++spins_;
    }
    // Lets a test stand for work that takes time.
    void Advance(uint32_t ms) { micros_ += uint64_t{ms} * 1000; }
    uint64_t Micros() const { return micros_; }
    long SpinCount() const { return spins_; }

    static constexpr uint64_t kSpinMicros = 50;

  private:
    uint64_t micros_;
    long spins_ = 0;
};

class HeadlessKeyboard final : public Keyboard {
  public:
    bool Query(GameKey key) override;
    void Hold(GameKey key, bool down) { held_[Index(key)] = down; }
    void Tap(GameKey key) { latched_[Index(key)] = true; }
    int QueryCount(GameKey key) const { return queries_[Index(key)]; }

  private:
    static size_t Index(GameKey key) { return static_cast<size_t>(key); }
    std::array<bool, kGameKeyCount> held_{};
    std::array<bool, kGameKeyCount> latched_{};
    std::array<int, kGameKeyCount> queries_{};
};

class HeadlessEvents final : public Events {
  public:
    bool Pump() override;
    void RequestClose() { closeRequested_ = true; }
    bool TakeFocusLoss() override {
        const bool lost = focusLost_;
        focusLost_ = false;
        return lost;
    }
    void LoseFocus() { focusLost_ = true; }
    long PumpCount() const { return pumps_; }
    // Runs at every pump, before the close request is reported: a test's script of the run.
    std::function<void()> OnPump;

  private:
    bool closeRequested_ = false;
    bool focusLost_ = false;
    long pumps_ = 0;
};

// A plain stand-in face: every character is a cell half an em wide holding a one-pixel bar, so
// text has a size that follows its length and pixels that can be found in a picture.
class HeadlessText final : public TextRenderer {
  public:
    void Render(std::string_view utf8, int pixelSize, TextImage& out) override;
    int RenderCount() const { return renders_; }

  private:
    int renders_ = 0;
};

class HeadlessWindow final : public Window {
  public:
    bool Open(const WindowSpec& request, std::string& error) override;
    void Present(const Surface& band, const Surface& play) override;

    bool IsOpen() const { return open_; }
    const WindowSpec& Request() const { return request_; }
    // The whole client area as the last present left it.
    const Surface& LastImage() const { return last_; }
    // Clock readings at each present, kept while RecordTimes is set.
    std::vector<uint32_t> PresentTimes;
    bool RecordTimes = false;
    long PresentCount = 0;
    Clock* TimeSource = nullptr;

  private:
    bool open_ = false;
    WindowSpec request_;
    Surface last_;
};

class HeadlessJoysticks final : public Joysticks {
  public:
    static constexpr int kMaxDevices = 4;
    int DeviceCount() override { return count_; }
    bool Read(int device, JoyReading& out) override;
    // Connects joystick number device (and every lower one) with this reading.
    void Set(int device, const JoyReading& reading);
    // Pulls joystick number device out; those after it move down a number, as on a real machine.
    void Unplug(int device);
    // A connected joystick that does not answer its reads.
    void SetFailing(int device, bool failing) { failing_[device] = failing; }
    int ReadCount() const { return reads_; }

  private:
    int count_ = 0;
    int reads_ = 0;
    std::array<JoyReading, kMaxDevices> readings_{};
    std::array<bool, kMaxDevices> failing_{};
};

class HeadlessSound final : public Sound {
  public:
    void PlayEffect(const std::vector<uint8_t>& wavImage) override {
        ++PlayCount;
        if (Record) {
            Played.push_back(&wavImage);
        }
    }
    // Every image asked for, in order, while Record is set. Long runs (benchmarks, soaks) clear
    // it so that the list does not grow with every hit.
    std::vector<const std::vector<uint8_t>*> Played;
    bool Record = true;
    long PlayCount = 0;
};

// Keeps every music call as a line of text ("load Music/Main.mid -> 1", "play 1", ...) while
// Record is set, and gives each loaded path its own handle; a path in Missing cannot be loaded.
class HeadlessMusic final : public Music {
  public:
    void Open() override { Note("open"); }
    void Preload(const std::string& path) override { Note("preload ", path); }
    int Load(const std::string& path) override;
    void Play(int handle) override { Note("play ", std::to_string(handle)); }
    void Stop() override { Note("stop"); }
    void Pause() override { Note("pause"); }
    void Resume() override { Note("resume"); }
    void Free(int handle) override { Note("free ", std::to_string(handle)); }
    void Close() override { Note("close"); }

    std::vector<std::string> Calls;
    std::vector<std::string> Missing;
    bool Record = true;

  private:
    void Note(std::string_view call, std::string_view detail = {}) {
        if (Record) {
            Calls.push_back(std::string(call).append(detail));
        }
    }
    std::vector<std::string> loaded_;
};

// Everything together, ready to hand to a game.
struct HeadlessPlatform {
    explicit HeadlessPlatform(uint32_t startMs = 0) : clock(startMs) { window.TimeSource = &clock; }
    HeadlessClock clock;
    HeadlessKeyboard keys;
    HeadlessEvents events;
    HeadlessText text;
    HeadlessWindow window;
    HeadlessJoysticks joysticks;
    HeadlessSound sound;
    HeadlessMusic music;
    Platform Services() {
        return Platform{clock, keys, events, text, window, joysticks, sound, music};
    }
};

}  // namespace volley
