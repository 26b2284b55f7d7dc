#include "design/design_types.h"

namespace {
const char* const kDesignTypeNames[kDesignTypeCount] = {
    "Simple PM", "Advanced PM", "Win Sinc", "Raised Cos", "Import",
    "Lth Band",  "Maxflat",     "CIC",      "Combo",      "Multirate",
};
} // namespace

int DesignKindOf(int designType) {
    switch (designType) {
    case kDesignWinSinc:
        return kKindWindowedSinc;
    case kDesignRaisedCos:
        return kKindRaisedCosine;
    case kDesignImport:
        return kKindImport;
    case kDesignLthBand:
        return kKindLthBand;
    case kDesignMaxflat:
        return kKindMaxflat;
    case kDesignCic:
        return kKindCic;
    case kDesignMultirate:
    case kDesignNone:
        return kKindNone;
    default:
        return kKindParksMcClellan;
    }
}

const char* DesignTypeName(int designType) {
    if (designType < 0 || designType >= kDesignTypeCount)
        return "";
    return kDesignTypeNames[designType];
}
