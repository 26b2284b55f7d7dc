#include "design/remez/remez_messages.h"

const char* const kPmBandStorageMessage = "Cannot allocate Parks-McClellan band storage.";
const char* const kPmGridStorageMessage = "Cannot allocate Parks-McClellan grid storage.";

const char* RemezStatusMessage(ERemezStatus status) {
    switch (status) {
    case ERemezStatus::BandStorage:
        return kPmBandStorageMessage;
    case ERemezStatus::GridStorage:
        return kPmGridStorageMessage;
    default:
        return nullptr;
    }
}
