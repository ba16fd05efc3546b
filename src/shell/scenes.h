// The title screen, the start of a game and the way back.
#pragma once

namespace volley {

struct Game;

// The scenes in turn, title, game, end of stage, title..., until a close request ends them (see
// shutdown.h); then the shutdown runs. Returns the exit code.
int RunScenes(Game& g);

// The title screen: the stage choice between 1 and MaxStage; returns when the player starts a game.
void TitleLoop(Game& g);

// Prepares a new game of the selected stage: state, labels, the ship in its start place.
void StartGame(Game& g);

// After the end-of-stage screen: the high score is updated and the title labels come back.
void BackToTitle(Game& g);

// Folds the game's score into the selected stage's high score and the total, when it is higher.
void UpdateHiScore(Game& g);

}  // namespace volley
