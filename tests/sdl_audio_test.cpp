// Effects and music on SDL_mixer, run on SDL's dummy audio driver. The effects tests pause the
// device so that nothing finishes playing while a test looks at it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "platform/sdl/music_synth.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_sound.h"
#include "test_game.h"

namespace volley::sdl {
namespace {

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutText(std::vector<uint8_t>& out, const char* text) {
    out.insert(out.end(), text, text + std::char_traits<char>::length(text));
}

// A WAV file image as the game holds it: 16-bit mono at 44.1 kHz, then one zero byte.
std::vector<uint8_t> SineWavImage(double hertz, int milliseconds) {
    const uint32_t samples = 44100 * milliseconds / 1000;
    const uint32_t dataBytes = samples * 2;
    std::vector<uint8_t> image;
    PutText(image, "RIFF");
    PutLittle(image, 36 + dataBytes, 4);
    PutText(image, "WAVE");
    PutText(image, "fmt ");
    PutLittle(image, 16, 4);
    PutLittle(image, 1, 2);  // PCM
    PutLittle(image, 1, 2);  // mono
    PutLittle(image, 44100, 4);
    PutLittle(image, 44100 * 2, 4);
    PutLittle(image, 2, 2);
    PutLittle(image, 16, 2);
    PutText(image, "data");
    PutLittle(image, dataBytes, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        const double value = 12000 * std::sin(2 * std::numbers::pi * hertz * i / 44100);
        PutLittle(image, static_cast<uint16_t>(static_cast<int16_t>(value)), 2);
    }
    image.push_back(0);
    return image;
}

// A format-1 MIDI file: a tempo track and a track with one note, a beat (96 ticks) unless given.
std::vector<uint8_t> OneNoteMidi(uint8_t note, uint8_t ticks = 0x60) {
    std::vector<uint8_t> tempo = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 120 bpm
                                  0x00, 0xFF, 0x2F, 0x00};
    std::vector<uint8_t> melody = {0x00,  0xC0, 0x00,         // piano
                                   0x00,  0x90, note, 0x64,   // on
                                   ticks, 0x80, note, 0x40,   // off a beat later
                                   0x00,  0xFF, 0x2F, 0x00};  // end of track
    std::vector<uint8_t> file;
    PutText(file, "MThd");
    PutBig(file, 6, 4);
    PutBig(file, 1, 2);   // format 1
    PutBig(file, 2, 2);   // two tracks
    PutBig(file, 96, 2);  // ticks per beat
    for (const auto& track : {tempo, melody}) {
        PutText(file, "MTrk");
        PutBig(file, static_cast<uint32_t>(track.size()), 4);
        file.insert(file.end(), track.begin(), track.end());
    }
    return file;
}

int CountLines(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n';
    }
    return lines;
}

using testing::ScopedEnvironment;

bool DeviceOpen() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

// Effects.

class SdlSoundTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(DeviceOpen()); }

    // Opens the device ahead of the first effect and holds the mixer still. SDL_mixer 2.6 does
    // not tell which SDL device it opened, so every playing one is paused.
    void OpenPaused() {
        ASSERT_TRUE(audio_.Ready());
        int paused = 0;
        for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
            if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
                SDL_PauseAudioDevice(id, 1);
                ++paused;
            }
        }
        ASSERT_GT(paused, 0);
    }

    // The dummy driver mixes like a real device but plays nowhere; the tests choose it themselves
    // rather than trust whoever runs them.
    testing::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "dummy"};
    SdlAudio audio_;
    SdlSound sound_{audio_};
};

TEST_F(SdlSoundTest, LoneZeroByteOfAMissingFileIsIgnoredQuietly) {
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(std::vector<uint8_t>(1, 0));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, WavImagePlaysOnTheEffectsChannel) {
    OpenPaused();
    const std::vector<uint8_t> beep = SineWavImage(880, 200);
    sound_.PlayEffect(beep);
    EXPECT_EQ(Mix_Playing(kEffectChannel), 1);
    ASSERT_NE(Mix_GetChunk(kEffectChannel), nullptr);
    // Mono 16-bit at the device's rate comes out as the device's frames.
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    const Uint32 expectedBytes =
        static_cast<Uint32>(std::lround(0.2 * rate) * channels * SDL_AUDIO_BITSIZE(format) / 8);
    EXPECT_NEAR(Mix_GetChunk(kEffectChannel)->alen, expectedBytes, 64);
}

TEST_F(SdlSoundTest, DeviceOpensOnTheFirstEffect) {
    sound_.PlayEffect(SineWavImage(440, 100));
    EXPECT_TRUE(DeviceOpen());
}

TEST_F(SdlSoundTest, VolumesScaleTheGamesOwnBalanceAndFollowLaterChanges) {
    audio_.SetVolumes(50, 20);
    ASSERT_TRUE(audio_.Ready());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 15) << "a fifth of the effects' 75 of 128, rounded";
    audio_.SetVolumes(100, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 0);
}

TEST_F(SdlSoundTest, MutedSoundNeverOpensTheDevice) {
    audio_.SetVolumes(0, 0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(SineWavImage(440, 100));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "muting is not a failure";
    EXPECT_FALSE(DeviceOpen());
}

TEST_F(SdlSoundTest, NewEffectCutsOffTheOldOne) {
    OpenPaused();
    const std::vector<uint8_t> low = SineWavImage(220, 500);
    const std::vector<uint8_t> high = SineWavImage(1760, 300);
    sound_.PlayEffect(low);
    const Mix_Chunk* lowChunk = Mix_GetChunk(kEffectChannel);
    sound_.PlayEffect(high);
    EXPECT_NE(Mix_GetChunk(kEffectChannel), lowChunk);
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SdlSoundTest, EachImageIsDecodedOnce) {
    OpenPaused();
    const std::vector<uint8_t> low = SineWavImage(220, 100);
    const std::vector<uint8_t> high = SineWavImage(1760, 100);
    sound_.PlayEffect(low);
    const Mix_Chunk* lowChunk = Mix_GetChunk(kEffectChannel);
    sound_.PlayEffect(high);
    sound_.PlayEffect(low);
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), lowChunk);
}

TEST_F(SdlSoundTest, IgnoredImageLeavesThePlayingEffectAlone) {
    OpenPaused();
    const std::vector<uint8_t> beep = SineWavImage(660, 300);
    sound_.PlayEffect(beep);
    const Mix_Chunk* beepChunk = Mix_GetChunk(kEffectChannel);
    sound_.PlayEffect(std::vector<uint8_t>(1, 0));
    EXPECT_EQ(Mix_Playing(kEffectChannel), 1);
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), beepChunk);
}

TEST_F(SdlSoundTest, BrokenWavIsReportedOnceAndNeverPlays) {
    OpenPaused();
    std::vector<uint8_t> broken = SineWavImage(440, 50);
    broken.resize(20);  // the header ends inside the format chunk
    broken.push_back(0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(broken);
    sound_.PlayEffect(broken);
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountLines(warnings), 1) << warnings;
    EXPECT_EQ(warnings.rfind("volley: cannot play a sound effect", 0), 0u) << warnings;
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, WavClaimingMoreDataThanItHoldsIsRefusedBeforeDecoding) {
    OpenPaused();
    // A damaged length field: SDL would set aside the 4 GB it claims before reading any of it.
    std::vector<uint8_t> damaged = SineWavImage(440, 50);
    const size_t dataLength = 40;  // after "RIFF", size, "WAVE", a 24-byte fmt chunk and "data"
    damaged[dataLength] = 0x00;
    damaged[dataLength + 1] = 0x00;
    damaged[dataLength + 2] = 0xF9;
    damaged[dataLength + 3] = 0xFF;
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(damaged);
    sound_.PlayEffect(damaged);
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(warnings,
              "volley: cannot play a sound effect: the WAV file is cut short or damaged\n");
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, MidiImageIsNotTakenForAnEffect) {
    OpenPaused();
    std::vector<uint8_t> midi = OneNoteMidi(60);
    midi.push_back(0);
    sound_.PlayEffect(midi);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

// Music.

class SdlMusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(DeviceOpen());
        folder_ = std::filesystem::temp_directory_path() /
                  ("volley_music_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        music_.Close();
        std::filesystem::remove_all(folder_);
    }

    static bool HaveSoundFont() { return !ChooseSoundFont().empty(); }

    // Opens the music with the sound card held still, so that only the test mixes.
    void OpenStill() {
        music_.Open();
        for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
            if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
                SDL_PauseAudioDevice(id, 1);
            }
        }
        ASSERT_TRUE(music_.WaitForSynth());
    }

    // Mixes a tenth of a second of music (16-bit stereo at the dummy device's rate) and returns
    // its loudness, 0 for silence.
    double MixedLoudness() {
        std::vector<int16_t> samples(2 * 4410, 0);
        music_.Mix(reinterpret_cast<uint8_t*>(samples.data()),
                   static_cast<int>(samples.size() * sizeof(int16_t)));
        double sum = 0;
        for (int16_t sample : samples) {
            sum += static_cast<double>(sample) * sample;
        }
        return std::sqrt(sum / static_cast<double>(samples.size()));
    }

    std::string WriteFile(const char* name, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    std::string WriteMidi(const char* name, uint8_t note) {
        return WriteFile(name, OneNoteMidi(note));
    }

    std::filesystem::path folder_;
    testing::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "dummy"};
    SdlAudio audio_;
    SdlMusic music_{audio_};
};

TEST_F(SdlMusicTest, APieceThatCannotBePlayedHasHandleZeroAndIsReportedOnce) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    OpenStill();
    std::filesystem::create_directory(folder_ / "Folder.mid");
    const std::string damaged = WriteMidi("Damaged.mid", 60);
    std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) - 2);
    std::ofstream(folder_ / "Empty.mid").close();
    WriteFile("Instant.mid", OneNoteMidi(60, 0));  // lasts no time
    for (const char* name :
         {"Nothing.mid", "Folder.mid", "Damaged.mid", "Empty.mid", "Instant.mid"}) {
        SCOPED_TRACE(name);
        const std::string path = (folder_ / name).string();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(music_.Load(path), 0);
        EXPECT_EQ(music_.Load(path), 0);
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(CountLines(warnings), 1) << warnings;
        EXPECT_EQ(warnings.rfind("volley: cannot load music: ", 0), 0u) << warnings;
        EXPECT_NE(warnings.find(path), std::string::npos) << warnings;
        music_.Play(0);
        EXPECT_EQ(MixedLoudness(), 0);
    }
}

TEST_F(SdlMusicTest, PreloadedPieceLoadsPlaysAndFallsSilent) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    const std::string path = WriteMidi("Tune.mid", 60);
    OpenStill();
    music_.Preload(path);
    const int handle = music_.Load(path);
    ASSERT_GT(handle, 0);
    EXPECT_EQ(music_.Load(path), handle);
    EXPECT_EQ(MixedLoudness(), 0) << "nothing plays before Play";

    music_.Play(handle);
    EXPECT_GT(MixedLoudness(), 100);
    music_.Pause();
    EXPECT_EQ(MixedLoudness(), 0);
    music_.Resume();
    EXPECT_GT(MixedLoudness(), 100);
    music_.Free(handle);
    EXPECT_EQ(MixedLoudness(), 0);

    // A freed piece is still there for the next time.
    EXPECT_EQ(music_.Load(path), handle);
    music_.Play(handle);
    EXPECT_GT(MixedLoudness(), 100);
    music_.Stop();
    EXPECT_EQ(MixedLoudness(), 0);
}

TEST_F(SdlMusicTest, FreeingAnotherPieceLeavesThePlayingOneAlone) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    const std::string first = WriteMidi("First.mid", 60);
    const std::string second = WriteMidi("Second.mid", 67);
    OpenStill();
    music_.Preload(first);
    music_.Preload(second);
    const int secondHandle = music_.Load(second);
    const int firstHandle = music_.Load(first);
    ASSERT_GT(firstHandle, 0);
    ASSERT_GT(secondHandle, 0);
    EXPECT_NE(firstHandle, secondHandle);

    music_.Play(firstHandle);
    music_.Free(secondHandle);
    EXPECT_GT(MixedLoudness(), 100);
}

TEST_F(SdlMusicTest, PieceNeverPreloadedStillLoadsAndAPieceAskedBeforeTheSynthesizerWaitsForIt) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    const std::string path = WriteMidi("Late.mid", 64);
    const int handle = music_.Load(path);
    ASSERT_GT(handle, 0);
    music_.Play(handle);
    OpenStill();
    EXPECT_GT(MixedLoudness(), 100);
}

TEST_F(SdlMusicTest, CloseLetsGoOfTheDeviceAndTheHandles) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    const std::string path = WriteMidi("Tune.mid", 60);
    music_.Preload(path);
    const int handle = music_.Load(path);
    ASSERT_GT(handle, 0);
    music_.Play(handle);
    music_.Close();
    EXPECT_FALSE(DeviceOpen());
    // Calls after Close do nothing, and certainly do not touch the freed piece.
    music_.Play(handle);
    music_.Stop();
    music_.Free(handle);
    EXPECT_FALSE(DeviceOpen());
}

TEST_F(SdlMusicTest, CloseWhilePiecesAreStillLoadingReturns) {
    if (!HaveSoundFont()) {
        GTEST_SKIP() << "no soundfont on this machine";
    }
    for (int i = 0; i < 5; ++i) {
        const std::string name = "Piece" + std::to_string(i) + ".mid";
        music_.Preload(WriteMidi(name.c_str(), static_cast<uint8_t>(60 + i)));
    }
    music_.Close();
    EXPECT_FALSE(DeviceOpen());
}

TEST_F(SdlMusicTest, ASoundFontThatCannotBeLoadedIsNamedOnceAndLeavesTheMusicSilent) {
    ScopedEnvironment soundFonts("SDL_SOUNDFONTS", "/nowhere/Chosen.sf2:/usr/share/Other.sf2");
    const std::string path = WriteMidi("Tune.mid", 60);
    ::testing::internal::CaptureStderr();
    music_.Open();
    EXPECT_FALSE(music_.WaitForSynth());
    const int handle = music_.Load(path);
    music_.Play(handle);
    const std::string warnings = ::testing::internal::GetCapturedStderr();
    EXPECT_GT(handle, 0) << "the piece itself is fine";
    EXPECT_EQ(MixedLoudness(), 0);
    EXPECT_NE(warnings.find("volley: no music: cannot load the soundfont /nowhere/Chosen.sf2\n"),
              std::string::npos)
        << warnings;
    EXPECT_LE(CountLines(warnings), 1 + 3) << "FluidSynth's own words are few" << warnings;
}

// No device.

TEST(SdlAudioTest, MissingDeviceIsReportedOnceAndEverythingStaysSilent) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SdlAudio audio;
    SdlSound sound(audio);
    SdlMusic music(audio);
    const std::vector<uint8_t> beep = SineWavImage(440, 100);
    {
        testing::ScopedEnvironment driver("SDL_AUDIODRIVER", "volley_no_such_driver");
        ::testing::internal::CaptureStderr();
        music.Open();
        sound.PlayEffect(beep);
        music.Preload("/nowhere/Tune.mid");
        const int handle = music.Load("/nowhere/Tune.mid");
        music.Play(handle);
        music.Free(handle);
        music.Stop();
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(handle, 0);
        EXPECT_EQ(CountLines(warnings), 1) << warnings;
        EXPECT_EQ(warnings.rfind("volley: no sound: ", 0), 0u) << warnings;
    }
    // Once refused, the device is not asked for again, even where it could now be had.
    sound.PlayEffect(beep);
    music.Open();
    EXPECT_FALSE(DeviceOpen());
    music.Close();
}

}  // namespace
}  // namespace volley::sdl
