// The moments of a run that a recording or a playback of the game has to know about.
#pragma once

#include <cstdint>

namespace volley {

struct Game;

// How the last stage played ended; Quit while it runs, so a stage left before its end reads so.
enum class StageResult : uint8_t { None = 0, Quit = 1, Clear = 2, GameOver = 3 };

// "clear", "game over", "quit" or "none".
const char* ResultName(StageResult result);

class RunObserver {
  public:
    virtual ~RunObserver() = default;
    // The random generator is seeded and the save is loaded; no frame has run yet.
    virtual void Started(Game& g) = 0;
    // A frame of play has been stepped (not drawn yet on the window); these are counted from the
    // run's start, so a recording and its playback count the same frames.
    virtual void FramePlayed(Game& g) { (void)g; }
    // A stage is over (cleared or lost) and its bonus counted.
    virtual void StageEnded(Game& g) = 0;
    // The game is closing down, before the save is written; may end the run by throwing.
    virtual void Quitting(Game& g) = 0;
};

}  // namespace volley
