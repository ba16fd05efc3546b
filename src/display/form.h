// The window's design: where its labels sit and what they first say.
#pragma once

#include "game/form.h"

namespace volley {

// Lays out the labels with their design captions and visibility, and sizes the surfaces that
// have no picture.
void DesignForm(Form& form);

}  // namespace volley
