// Putting the window's picture together and showing it.
#pragma once

namespace volley {

struct Game;

// Composes the top band with the gauge and its labels, the play surface and the labels on it into
// the window image, and shows it. Called once per frame, and wherever the picture must show.
void RefreshWindow(Game& g);

// The composition alone, into g.Form1.WindowImage.
void ComposeWindow(Game& g);

// Shows the window image as it was last composed.
void PresentWindow(Game& g);

}  // namespace volley
