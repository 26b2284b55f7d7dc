#include "forms/lth_form_fields.h"

#include "design/fir_params.h"

#include <array>

namespace {

constexpr int kPm = LthBandParams::kMethodPm;
constexpr int kWs = LthBandParams::kMethodWindowedSinc;
constexpr int kSpline = LthBandParams::kMethodSplineSinc;

constexpr std::array<SLthField, 12> kFields{{
    {ELthField::SpecChoice, kPm, ""},
    {ELthField::Atten, kPm, "--atten"},
    {ELthField::Ripple, kPm, "--ripple"},
    {ELthField::InDb, kPm, "--linear"},
    {ELthField::Zeroize, kPm, "--zeroize"},
    {ELthField::Grid, kPm, "--grid"},
    {ELthField::Optimize, kPm, "--optimize"},
    {ELthField::Estimate, kPm, ""},
    {ELthField::Window, kWs, "--window"},
    {ELthField::WindowParam, kWs, "--param"},
    {ELthField::SplineOrder, kSpline, "--order"},
    {ELthField::AutoOrder, kSpline, "--auto-order"},
}};

} // namespace

std::span<const SLthField> LthFields() {
    return kFields;
}

bool LthFieldApplies(ELthField field, int lthMethod) {
    for (const SLthField& f : kFields)
        if (f.field == field)
            return f.method == lthMethod;
    return false;
}

const std::vector<std::string>& LthMethodWords() {
    static const std::vector<std::string> words{"pm", "windowed-sinc", "spline-sinc"};
    return words;
}

std::string LthOptionsBelongText(int lthMethod) {
    std::vector<std::string> options;
    for (const SLthField& f : kFields)
        if (f.method == lthMethod && *f.option)
            options.emplace_back(f.option);
    std::string text;
    for (size_t i = 0; i < options.size(); ++i)
        text += (i == 0 ? "" : i + 1 == options.size() ? " and " : ", ") + options[i];
    return text + " belong to --method " + LthMethodWords()[static_cast<size_t>(lthMethod)];
}
