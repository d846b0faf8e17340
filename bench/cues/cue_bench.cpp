// What the cues cost the user-interface thread: a play request, which must
// return at once, and the start-up that decodes the seven shipped cues while
// the start window is created. Played into SDL's dummy driver.

#include "cues/cue_player.h"
#include "cues/sdl_mixer_audio.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace caici {
namespace {

const std::string kGameFolder = CAICI_SOURCE_DIR "/game/";

struct SilentMessages : CueStartupMessages {
    void showIncorrectVersion(const std::string&) override {}
    void showAudioInitFailed(const std::string&) override {}
};

void useDummyOutput() {
    // Keeps a driver the caller chose.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

void BM_PlayRequest(benchmark::State& state) {
    useDummyOutput();
    SdlMixerAudio audio;
    if (!audio.init(OutputFormat{})) {
        state.SkipWithError("no audio output");
        return;
    }
    const StreamHandle cue = audio.streamCreateFile(cuePath(kGameFolder, Cue::Yes));
    if (cue == 0) {
        state.SkipWithError("the shipped yes cue does not load");
        return;
    }
    for (auto _ : state) {
        audio.channelPlay(cue);
    }
}
BENCHMARK(BM_PlayRequest)->Unit(benchmark::kMicrosecond);

void BM_StartUpWithTheShippedCues(benchmark::State& state) {
    useDummyOutput();
    SilentMessages messages;
    for (auto _ : state) {
        CuePlayer player(std::make_unique<SdlMixerAudio>());
        benchmark::DoNotOptimize(player.start(kGameFolder, messages));
    }
}
BENCHMARK(BM_StartUpWithTheShippedCues)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace caici
