#include "audio_build.h"

#include <string>

#include "file_io.h"
#include "mml_compiler.h"
#include "params.h"
#include "sfx_synth.h"
#include "wav_writer.h"

namespace assetgen {

namespace fs = std::filesystem;

std::vector<OutputFile> BuildAudio(const fs::path& assets) {
    std::vector<OutputFile> files;
    for (const char* name : kEffectNames) {
        const fs::path path = assets / "sound" / (std::string(name) + ".txt");
        const EffectRecipe recipe =
            ReadEffectRecipe(Params::Parse(ReadSourceFile(path), path.string()));
        const std::vector<double> samples = [&] {
            try {
                return SynthesizeEffect(recipe);
            } catch (const AssetError& error) {
                FailIn(path.string(), error.what());
            }
        }();
        files.push_back(
            {"Sound/" + std::string(name) + ".wav", EncodeWav16Mono(samples, kEffectSampleRate)});
    }
    for (const char* name : kMusicNames) {
        const fs::path path = assets / "music" / (std::string(name) + ".mml");
        files.push_back({"Music/" + std::string(name) + ".mid",
                         EncodeMusic(CompileMusic(ReadSourceFile(path), path.string()))});
    }
    return files;
}

}  // namespace assetgen
