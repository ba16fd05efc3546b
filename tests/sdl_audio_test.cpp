// Effects and music on SDL_mixer, run on SDL's dummy audio driver, held still so that nothing
// finishes playing, or is mixed, while a test looks at it.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "platform/sdl/music_synth.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_music.h"
#include "platform/sdl/sdl_sound.h"
#include "smf_writer.h"
#include "test_game.h"
#include "wav_writer.h"

namespace volley::sdl {
namespace {

using Bytes = std::vector<uint8_t>;

// A WAV file image as the game holds it: 16-bit mono at 44.1 kHz, then one zero byte.
Bytes SineWavImage(double hertz, int milliseconds) {
    std::vector<double> samples(44100 * milliseconds / 1000);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.37 * std::sin(2 * std::numbers::pi * hertz * static_cast<double>(i) / 44100);
    }
    Bytes image = assetgen::EncodeWav16Mono(samples, 44100);
    image.push_back(0);
    return image;
}

// A MIDI file of one note lasting `ticks` (a beat unless given), at 120 beats a minute.
Bytes OneNoteMidi(uint8_t note, uint32_t ticks = 96) {
    assetgen::MidiTrack tempo, melody;
    tempo.Events = {assetgen::TempoChange(0, 120)};
    melody.Events = {assetgen::NoteOn(0, 0, note, 100), assetgen::NoteOff(ticks, 0, note)};
    return assetgen::EncodeSmf({tempo, melody}, 96, ticks);
}

int CountLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

bool DeviceOpen() {
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

// SDL_mixer 2.6 does not tell which SDL device it opened, so every playing one is paused.
void HoldTheDeviceStill() {
    for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            SDL_PauseAudioDevice(id, 1);
        }
    }
}

class SdlSoundTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(DeviceOpen()); }

    // The dummy driver mixes like a real device but plays nowhere; the tests choose it themselves
    // rather than trust whoever runs them.
    testing::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "dummy"};
    SdlAudio audio_;
    SdlSound sound_{audio_};
};

TEST_F(SdlSoundTest, EffectsOpenTheDevicePlayDecodedOnceAndCutEachOtherOff) {
    const Bytes low = SineWavImage(220, 200), high = SineWavImage(1760, 100);
    sound_.PlayEffect(low);
    ASSERT_TRUE(DeviceOpen()) << "opened by the first effect";
    HoldTheDeviceStill();
    const Mix_Chunk* lowChunk = Mix_GetChunk(kEffectChannel);
    ASSERT_NE(lowChunk, nullptr);
    // Mono 16-bit at the device's rate comes out as the device's frames.
    int rate = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_NE(Mix_QuerySpec(&rate, &format, &channels), 0);
    EXPECT_NEAR(lowChunk->alen, std::lround(0.2 * rate) * channels * SDL_AUDIO_BITSIZE(format) / 8,
                64);
    sound_.PlayEffect(high);
    EXPECT_NE(Mix_GetChunk(kEffectChannel), lowChunk);
    EXPECT_EQ(Mix_Playing(-1), 1);
    sound_.PlayEffect(low);
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), lowChunk) << "decoded once";
    // The lone zero byte of a missing file and a MIDI image are no effects, and say nothing.
    Bytes midi = OneNoteMidi(60);
    midi.push_back(0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(Bytes(1, 0));
    sound_.PlayEffect(midi);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Mix_GetChunk(kEffectChannel), lowChunk);
    EXPECT_EQ(Mix_Playing(kEffectChannel), 1);
}

TEST_F(SdlSoundTest, DamagedWavsAreReportedOnceAndNeverPlay) {
    // Nothing but a RIFF WAVE header: the chunks fit, SDL refuses it.
    const Bytes bare = {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E', 0};
    // A damaged length: SDL would set aside the 4 GB it claims before reading any of it.
    Bytes huge = SineWavImage(440, 50);
    huge[42] = 0xF9;
    huge[43] = 0xFF;
    for (const auto& [wav, warning] :
         {std::pair{bare, "volley: cannot play a sound effect: "},
          {huge, "volley: cannot play a sound effect: the WAV file is cut short or damaged\n"}}) {
        ::testing::internal::CaptureStderr();
        sound_.PlayEffect(wav);
        HoldTheDeviceStill();
        sound_.PlayEffect(wav);
        const std::string warnings = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(CountLines(warnings), 1) << warnings;
        EXPECT_EQ(warnings.rfind(warning, 0), 0u) << warnings;
        EXPECT_EQ(Mix_Playing(-1), 0);
    }
}

TEST_F(SdlSoundTest, VolumesScaleTheGamesOwnBalanceAndMutedSoundNeverOpensTheDevice) {
    audio_.SetVolumes(0, 0);
    ::testing::internal::CaptureStderr();
    sound_.PlayEffect(SineWavImage(440, 100));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "muting is not a failure";
    EXPECT_FALSE(DeviceOpen());
    audio_.SetVolumes(50, 20);
    ASSERT_TRUE(audio_.Ready());
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 15) << "a fifth of the effects' 75 of 128, rounded";
    audio_.SetVolumes(100, 0);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    EXPECT_EQ(Mix_Volume(kEffectChannel, -1), 0);
}

class SdlMusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(DeviceOpen());
        if (ChooseSoundFont().empty() && !ScopedFont()) {
            GTEST_SKIP() << "no soundfont on this machine";
        }
    }
    void TearDown() override { music_.Close(); }
    virtual bool ScopedFont() const { return false; }

    void OpenStill() {
        music_.Open();
        HoldTheDeviceStill();
        ASSERT_TRUE(music_.WaitForSynth());
    }

    // The loudness of a tenth of a second of music (16-bit stereo), 0 for silence.
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

    std::string WriteFile(const char* name, const Bytes& bytes) {
        const std::filesystem::path path = folder_.Path() / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    testing::TempDir folder_;
    testing::ScopedEnvironment driver_{"SDL_AUDIODRIVER", "dummy"};
    SdlAudio audio_;
    SdlMusic music_{audio_};
};

TEST_F(SdlMusicTest, APieceThatCannotBePlayedHasHandleZeroAndIsReportedOnce) {
    OpenStill();
    Bytes damaged = OneNoteMidi(60);
    damaged.resize(damaged.size() - 2);
    WriteFile("Damaged.mid", damaged);
    WriteFile("Instant.mid", OneNoteMidi(60, 0));  // lasts no time
    for (const char* name : {"Nothing.mid", "Damaged.mid", "Instant.mid"}) {
        SCOPED_TRACE(name);
        const std::string path = (folder_.Path() / name).string();
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

// A piece asked for before the synthesizer is up waits for it; preloaded or not, pieces play,
// pause and fall silent, and Close lets go of the device and the handles even while pieces load.
TEST_F(SdlMusicTest, PiecesPlayPauseFallSilentAndCloseLetsGo) {
    const std::string path = WriteFile("Tune.mid", OneNoteMidi(60));
    const std::string other = WriteFile("Other.mid", OneNoteMidi(67));
    const int handle = music_.Load(path);
    ASSERT_GT(handle, 0);
    music_.Play(handle);
    OpenStill();
    EXPECT_GT(MixedLoudness(), 100);
    music_.Preload(other);
    const int otherHandle = music_.Load(other);
    EXPECT_NE(handle, otherHandle);
    EXPECT_EQ(music_.Load(path), handle);
    music_.Free(otherHandle);
    EXPECT_GT(MixedLoudness(), 100) << "freeing another piece leaves this one playing";
    music_.Pause();
    EXPECT_EQ(MixedLoudness(), 0);
    music_.Resume();
    EXPECT_GT(MixedLoudness(), 100);
    music_.Free(handle);
    EXPECT_EQ(MixedLoudness(), 0);
    EXPECT_EQ(music_.Load(other), otherHandle) << "a freed piece is still there for the next time";
    music_.Play(otherHandle);
    EXPECT_GT(MixedLoudness(), 100);
    music_.Stop();
    EXPECT_EQ(MixedLoudness(), 0);
    music_.Play(otherHandle);
    for (int i = 0; i < 5; ++i) {
        const std::string name = "Piece" + std::to_string(i) + ".mid";
        music_.Preload(WriteFile(name.c_str(), OneNoteMidi(static_cast<uint8_t>(61 + i))));
    }
    music_.Close();
    EXPECT_FALSE(DeviceOpen());
    // Calls after Close do nothing, and certainly do not touch the freed piece.
    music_.Play(otherHandle);
    music_.Stop();
    music_.Free(otherHandle);
    EXPECT_FALSE(DeviceOpen());
}

class SdlMissingSoundFontTest : public SdlMusicTest {
    bool ScopedFont() const override { return true; }
    testing::ScopedEnvironment fonts_{"SDL_SOUNDFONTS", "/nowhere/Chosen.sf2:/usr/share/Other.sf2"};
};

TEST_F(SdlMissingSoundFontTest, ASoundFontThatCannotBeLoadedIsNamedOnceAndTheMusicIsSilent) {
    const std::string path = WriteFile("Tune.mid", OneNoteMidi(60));
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

TEST(SdlAudioTest, MissingDeviceIsReportedOnceAndEverythingStaysSilent) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    SdlAudio audio;
    SdlSound sound(audio);
    SdlMusic music(audio);
    const Bytes beep = SineWavImage(440, 100);
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
