#pragma once

#include <functional>
#include <span>
#include <string_view>

class CDesignMethodImpl;
class CFirData;
class CHost;
struct SDesignFlowSteps;

// Design type ids: the method a project was made with, stored in the project file and used as
// the index into the method lists.
enum EDesignType : int {
    kDesignSimplePm = 0,
    kDesignAdvancedPm = 1,
    kDesignWinSinc = 2,
    kDesignRaisedCos = 3,
    kDesignImport = 4,
    kDesignLthBand = 5,
    kDesignMaxflat = 6,
    kDesignCic = 7,
    kDesignCombo = 8,
    kDesignMultirate = 9,
    kDesignNone = 1000, // no method chosen yet
};

// Design kinds: the family of validation, design, estimate and summary routines a type uses.
enum EDesignKind : int {
    kKindParksMcClellan = 0,
    kKindCic = 1,
    kKindRaisedCosine = 2,
    kKindWindowedSinc = 3,
    kKindMaxflat = 5,
    kKindLthBand = 6,
    kKindImport = 7, // coefficients only, nothing to design
    kKindNone = 8,
};

// Number of entries of the method lists (ids 0 .. kDesignTypeCount-1).
constexpr int kDesignTypeCount = 10;

// A method's own steps in the Design and Optimize flows (design_flow.h).
// Before its checks, in place of the estimate question; false stops the flow.
using FPrepareDesign = bool (*)(CFirData& filter, CHost& host, const SDesignFlowSteps& steps);
// Around the design or optimisation itself.
using FRunDesign = bool (*)(CFirData& filter, const std::function<bool()>& design);
// After a design that gave coefficients, before the front end's after-design step.
using FAfterDesign = void (*)(CFirData& filter);

// One row per entry of the method lists: the registry every front end reads a method's identity,
// its routines and its own design steps from.
struct SDesignMethod {
    EDesignType type;
    EDesignKind kind;        // the routines it designs with
    const char* listName;    // its name in the method lists ("Simple PM", ...)
    const char* commandWord; // the word of `design <word>` on the command line; "" for none
    // The kind's routines (design_method.h); null for a type that designs nothing.
    const CDesignMethodImpl& (*impl)() = nullptr;
    bool estimates = false; // estimates its tap count from its specification
    bool optimises = false; // searches for the fewest taps that meet its specification
    FPrepareDesign prepare = nullptr;
    FRunDesign run = nullptr;
    FAfterDesign afterDesign = nullptr;
};

// The rows of ids 0 .. kDesignTypeCount-1, in id order.
std::span<const SDesignMethod, kDesignTypeCount> DesignMethods();

// The row of an id, or null for an id outside the lists.
const SDesignMethod* FindDesignMethod(int designType);

// The row whose command word is `word`, or null.
const SDesignMethod* FindDesignMethodByWord(std::string_view word);

// Whether the methods of a kind estimate their tap count / search for the fewest taps.
bool KindEstimates(int kind);
bool KindOptimises(int kind);

// The kind a design type id selects; unknown ids select the Parks-McClellan kind.
int DesignKindOf(int designType);

// The method's name in the method lists ("Simple PM", ...); "" for an id outside the lists.
const char* DesignTypeName(int designType);
