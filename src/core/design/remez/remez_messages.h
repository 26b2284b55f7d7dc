#pragma once

#include "design/remez/remez_engine.h"

#include <string>

// Texts the Remez exchange engine asks its caller to show.
extern const char* const kPmBandStorageMessage;
extern const char* const kPmGridStorageMessage;
extern const char* const kPmNotEquirippleMessage;

// The message the caller shows (error icon) for a status, before its convergence message, or
// nullptr when the status has no text of its own (the convergence message covers it).
const char* RemezStatusMessage(ERemezStatus status);

// One exchange engine choice: its command-line word and its caption in the Preferences dialog.
struct SRemezEngineName {
    ERemezEngine engine;
    const char* word;
    const char* caption;
};
// The choices in the order they are offered (Auto first).
extern const SRemezEngineName kRemezEngineNames[3];
// The choice named by a command-line word, or nullptr.
const SRemezEngineName* FindRemezEngine(const std::string& word);
