#include "design/remez/remez_messages.h"

const char* const kPmBandStorageMessage = "Cannot allocate Parks-McClellan band storage.";
const char* const kPmGridStorageMessage = "Cannot allocate Parks-McClellan grid storage.";
const char* const kPmNotEquirippleMessage =
    "The long-filter Parks-McClellan exchange did not reach an equiripple design.";

const char* RemezStatusMessage(ERemezStatus status) {
    switch (status) {
    case ERemezStatus::BandStorage:
        return kPmBandStorageMessage;
    case ERemezStatus::GridStorage:
        return kPmGridStorageMessage;
    case ERemezStatus::NotEquiripple:
        return kPmNotEquirippleMessage;
    default:
        return nullptr;
    }
}

const SRemezEngineName kRemezEngineNames[3] = {
    {ERemezEngine::Auto, "auto", "Auto (classical, long-filter when needed)"},
    {ERemezEngine::Classic, "classic", "Classical"},
    {ERemezEngine::Robust, "robust", "Long-filter"},
};

const SRemezEngineName* FindRemezEngine(const std::string& word) {
    for (const SRemezEngineName& name : kRemezEngineNames) {
        if (word == name.word) {
            return &name;
        }
    }
    return nullptr;
}
