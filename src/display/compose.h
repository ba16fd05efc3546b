// Putting the window's picture together and showing it.
#pragma once

namespace volley {

struct Game;

// Composes the top band with the gauge and its labels, and the play surface with the labels on
// it, and shows them. Called once per frame, and wherever the picture must show.
void RefreshWindow(Game& g);

// The composition alone: g.Form1.Band, and g.Form1.LabelledPlay while labels show on the play
// surface.
void ComposeWindow(Game& g);

// Shows the window's picture as it was last composed.
void PresentWindow(Game& g);

}  // namespace volley
