#pragma once

#include "design/remez/remez_engine.h"

// Texts the Remez exchange engine asks its caller to show.
extern const char* const kPmBandStorageMessage;
extern const char* const kPmGridStorageMessage;
extern const char* const kPmNotEquirippleMessage;

// The message the caller shows (error icon) for a status, before its convergence message, or
// nullptr when the status has no text of its own (the convergence message covers it).
const char* RemezStatusMessage(ERemezStatus status);
