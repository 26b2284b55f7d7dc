#include "cli_hdl.h"

#include "cli_args.h"
#include "cli_design_common.h"

#include <optional>

bool ParseHdlOptions(CCliArgs& args, SHdlOptions& options) {
    SFixedPointFormat& f = options.format;
    const auto inputBits = args.Integer("--input-bits");
    const auto outputBits = args.Integer("--output-bits");
    const auto shift = args.Integer("--output-shift");
    const auto rounding = ParseChoice(args, "--rounding", {"truncate", "round"}, -1);
    const auto overflow = ParseChoice(args, "--overflow", {"saturate", "wrap"}, -1);
    const auto structure = ParseChoice(args, "--hdl-structure", {"transposed", "systolic"}, -1);
    const auto name = args.Value("--hdl-name");
    const auto chosen = [](const std::optional<int>& choice) { return choice && *choice >= 0; };
    const bool given = inputBits || outputBits || shift || chosen(rounding) || chosen(overflow) ||
                       chosen(structure) || name;
    if (!args.Ok())
        return given;
    if (inputBits &&
        (*inputBits < SFixedPointFormat::kMinBits || *inputBits > SFixedPointFormat::kMaxBits))
        args.Fail("option '--input-bits' takes 2 to 48");
    else if (outputBits && (*outputBits < 1 || *outputBits > 127))
        args.Fail("option '--output-bits' takes 1 to 127");
    else if (shift && (*shift < 0 || *shift > 126))
        args.Fail("option '--output-shift' takes 0 to 126");
    if (!args.Ok())
        return given;
    if (inputBits)
        f.inputBits = static_cast<int>(*inputBits);
    if (outputBits)
        f.outputBits = static_cast<int>(*outputBits);
    if (shift)
        f.outputShift = static_cast<int>(*shift);
    if (*rounding >= 0)
        f.rounding = *rounding == 1 ? ERounding::Round : ERounding::Truncate;
    if (*overflow >= 0)
        f.overflow = *overflow == 1 ? EOverflow::Wrap : EOverflow::Saturate;
    if (*structure >= 0)
        options.structure = *structure == 1 ? EHdlStructure::Systolic : EHdlStructure::Transposed;
    if (name)
        options.name = *name;
    return given;
}
