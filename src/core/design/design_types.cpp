#include "design/design_types.h"

#include "design/lth_band.h"
#include "design/maxflat.h"

#include <array>

namespace {

constexpr std::array<SDesignMethod, kDesignTypeCount> kMethods{{
    {kDesignSimplePm, kKindParksMcClellan, "Simple PM", "simple-pm"},
    {kDesignAdvancedPm, kKindParksMcClellan, "Advanced PM", "advanced-pm"},
    {kDesignWinSinc, kKindWindowedSinc, "Win Sinc", "windowed-sinc"},
    {kDesignRaisedCos, kKindRaisedCosine, "Raised Cos", "raised-cosine"},
    {kDesignImport, kKindImport, "Import", ""},
    {kDesignLthBand, kKindLthBand, "Lth Band", "lth-band", PrepareLthDesign, RunLthDesign},
    {kDesignMaxflat, kKindMaxflat, "Maxflat", "maxflat", nullptr, nullptr, KeepMaxflatLength},
    {kDesignCic, kKindCic, "CIC", "cic"},
    {kDesignCombo, kKindParksMcClellan, "Combo", ""},
    {kDesignMultirate, kKindNone, "Multirate", ""},
}};

} // namespace

std::span<const SDesignMethod, kDesignTypeCount> DesignMethods() {
    return kMethods;
}

const SDesignMethod* FindDesignMethod(int designType) {
    if (designType < 0 || designType >= kDesignTypeCount)
        return nullptr;
    return &kMethods[static_cast<size_t>(designType)];
}

const SDesignMethod* FindDesignMethodByWord(std::string_view word) {
    if (word.empty())
        return nullptr;
    for (const SDesignMethod& m : kMethods)
        if (word == m.commandWord)
            return &m;
    return nullptr;
}

int DesignKindOf(int designType) {
    if (designType == kDesignNone)
        return kKindNone;
    const SDesignMethod* m = FindDesignMethod(designType);
    return m ? m->kind : kKindParksMcClellan;
}

const char* DesignTypeName(int designType) {
    const SDesignMethod* m = FindDesignMethod(designType);
    return m ? m->listName : "";
}
