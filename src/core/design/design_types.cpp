#include "design/design_types.h"

#include "design/cic.h"
#include "design/lth_band.h"
#include "design/maxflat.h"
#include "design/pm_method.h"
#include "design/raised_cosine.h"
#include "design/windowed_sinc.h"

#include <array>

namespace {

constexpr SDesignMethod Row(EDesignType type, EDesignKind kind, const char* listName,
                            const char* commandWord, const CDesignMethodImpl& (*impl)() = nullptr) {
    return {type, kind, listName, commandWord, impl};
}

constexpr SDesignMethod Optimising(SDesignMethod row) {
    row.estimates = true;
    row.optimises = true;
    return row;
}

constexpr SDesignMethod WithSteps(SDesignMethod row, FPrepareDesign prepare, FRunDesign run,
                                  FAfterDesign afterDesign) {
    row.prepare = prepare;
    row.run = run;
    row.afterDesign = afterDesign;
    return row;
}

constexpr std::array<SDesignMethod, kDesignTypeCount> kMethods{{
    Optimising(Row(kDesignSimplePm, kKindParksMcClellan, "Simple PM", "simple-pm", PmMethod)),
    Optimising(Row(kDesignAdvancedPm, kKindParksMcClellan, "Advanced PM", "advanced-pm", PmMethod)),
    Row(kDesignWinSinc, kKindWindowedSinc, "Win Sinc", "windowed-sinc", WindowedSincMethod),
    Row(kDesignRaisedCos, kKindRaisedCosine, "Raised Cos", "raised-cosine", RaisedCosineMethod),
    Row(kDesignImport, kKindImport, "Import", ""),
    WithSteps(Optimising(Row(kDesignLthBand, kKindLthBand, "Lth Band", "lth-band", LthMethod)),
              PrepareLthDesign, RunLthDesign, nullptr),
    WithSteps(Row(kDesignMaxflat, kKindMaxflat, "Maxflat", "maxflat", MaxflatMethod), nullptr,
              nullptr, KeepMaxflatLength),
    Row(kDesignCic, kKindCic, "CIC", "cic", CicMethod),
    Optimising(Row(kDesignCombo, kKindParksMcClellan, "Combo", "", PmMethod)),
    Row(kDesignMultirate, kKindNone, "Multirate", ""),
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

bool KindEstimates(int kind) {
    for (const SDesignMethod& m : kMethods)
        if (m.kind == kind)
            return m.estimates;
    return false;
}

bool KindOptimises(int kind) {
    for (const SDesignMethod& m : kMethods)
        if (m.kind == kind)
            return m.optimises;
    return false;
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
