// The few services the game asks of the machine. Each has an SDL implementation and a headless
// one (see headless.h); the game only ever sees these interfaces.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace volley {

// A key by its place on the keyboard, whatever the layout: its number among the USB keyboard
// usages (the platform's SDL side maps these one to one to SDL's scancodes).
enum class KeyPlace : uint16_t {};

// The six keys that can be bound anew, in this order: left, up, right, down, fire, bomb.
using KeyBindingPlaces = std::array<KeyPlace, 6>;

// The seven keys the game reads, by their position on the keyboard.
// Pause is P or the Pause key.
enum class GameKey { Escape, Left, Up, Right, Down, X, Z, Pause };
inline constexpr int kGameKeyCount = 8;

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed moment; wraps every 2^32 ms, so only differences mean anything.
    virtual uint32_t NowMs() = 0;
    // Gives the core away for about ms milliseconds (never much less, possibly a little more).
    virtual void Sleep(uint32_t ms) = 0;
    // One short turn of the wait for the last millisecond before a deadline: a small fraction of
    // a millisecond.
    virtual void Spin() = 0;
};

class Keyboard {
  public:
    virtual ~Keyboard() = default;
    // True when the key is down now or was pressed since the last query of that key. The query
    // clears that memory of a press.
    virtual bool Query(GameKey key) = 0;
};

class Events {
  public:
    virtual ~Events() = default;
    // Handles everything the window and the system have sent since the last call. Returns true
    // once a close of the window or a termination signal has been asked for.
    virtual bool Pump() = 0;
    // True once after the window lost the keyboard focus.
    virtual bool TakeFocusLoss() = 0;
};

// Text rendered for a label: Coverage holds one byte per pixel, 0 (nothing) to 255 (full white).
struct TextImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Coverage;
};

class TextRenderer {
  public:
    virtual ~TextRenderer() = default;
    // Renders utf8 in the game's bold label face with an em of pixelSize pixels. The image is as
    // wide as the text and as high as one line of the face. Reuses out's storage where it can.
    virtual void Render(std::string_view utf8, int pixelSize, TextImage& out) = 0;
};

struct WindowSpec {
    std::string Caption;  // UTF-8
    int ClientWidth = 0;
    int ClientHeight = 0;
    const Surface* Icon = nullptr;   // may be null
    Pixel IconTransparent = kBlack;  // icon pixels of this colour are see-through
};

class Window {
  public:
    virtual ~Window() = default;
    // Opens the window centred on the screen, fixed size; returns false with a message in error
    // when no window can be had.
    virtual bool Open(const WindowSpec& request, std::string& error) = 0;
    // Shows band (ClientWidth wide) along the top of the client area and play below it, from row
    // band.Height, as far as it reaches into the client area; what lies outside does not show.
    // The two come apart so that the play surface reaches the window without a copy in between.
    virtual void Present(const Surface& band, const Surface& play) = 0;
};

// One reading of a joystick: each axis from 0 (left, up) to 65535 (right, down), and a bit per
// button, bit b for button b + 1.
struct JoyReading {
    uint16_t X = 32767;
    uint16_t Y = 32767;
    uint32_t Buttons = 0;
};

// A pad's buttons by name, as their bits in JoyReading::Buttons: a game controller's face buttons
// A and B first, then its others in SDL's order. A plain joystick's buttons 1 and 2 take the
// places of A and B; its others have no names.
enum class PadButton : uint8_t { A = 0, B = 1, X = 2, Y = 3, Back = 4, Guide = 5, Start = 6 };

class Joysticks {
  public:
    virtual ~Joysticks() = default;
    // How many joysticks are connected.
    virtual int DeviceCount() = 0;
    // Reads joystick number device (0 first); false when there is no such joystick or it does
    // not answer.
    virtual bool Read(int device, JoyReading& out) = 0;
};

class Sound {
  public:
    virtual ~Sound() = default;
    // Starts playing a whole WAV file image from memory on the one effects channel, cutting off
    // the effect playing before. The image must stay alive while it plays. An image that is not
    // a playable WAV file is ignored.
    virtual void PlayEffect(const std::vector<uint8_t>& wavImage) = 0;
};

// Music: one piece at a time, looping until replaced. Every failure is silent: a piece that cannot
// be had has handle 0, and calls with handle 0 do nothing.
class Music {
  public:
    virtual ~Music() = default;
    // Gets the music player ready.
    virtual void Open() = 0;
    // Starts loading a piece in the background, so that a later Load of it is instant.
    virtual void Preload(const std::string& path) = 0;
    // The piece at path, ready to play; 0 when it cannot be loaded.
    virtual int Load(const std::string& path) = 0;
    // Plays the piece from its start, over and over.
    virtual void Play(int handle) = 0;
    virtual void Stop() = 0;
    // Holds the playing piece where it is, and lets it go on from there.
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // The game is done with the piece; if it was playing, it falls silent.
    virtual void Free(int handle) = 0;
    virtual void Close() = 0;
};

// The bundle of services handed to the game.
struct Platform {
    Clock& clock;
    Keyboard& keys;
    Events& events;
    TextRenderer& text;
    Window& window;
    Joysticks& joysticks;
    Sound& sound;
    Music& music;
};

}  // namespace volley
