#pragma once

#include <span>
#include <string>
#include <vector>

// The fields of the Lth-band specification that only one of its design methods uses, as the
// form enables them and as the command line accepts them.
enum class ELthField {
    SpecChoice, // ripple or attenuation
    Atten,
    Ripple,
    InDb, // the "in dB" checks; --linear on the command line
    Zeroize,
    Grid,
    Estimate,
    Optimize,
    Window,
    WindowParam,
    SplineOrder,
    AutoOrder,
};

// One row per field: the Lth-band method (LthBandParams::kMethod...) that uses it and its
// command-line option ("" for a field the command line has no option for).
struct SLthField {
    ELthField field;
    int method;
    const char* option;
};
std::span<const SLthField> LthFields();

// Whether the field applies to the Lth-band method.
bool LthFieldApplies(ELthField field, int lthMethod);

// The command-line words of the Lth-band methods in method order: pm, windowed-sinc,
// spline-sinc.
const std::vector<std::string>& LthMethodWords();

// The options that belong to one method, as a refusal says it: "--window and --param belong to
// --method windowed-sinc".
std::string LthOptionsBelongText(int lthMethod);
