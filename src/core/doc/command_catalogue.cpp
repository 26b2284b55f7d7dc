#include "doc/command_catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace {

using enum ECommandMenu;
namespace C = FirCommand;

// In menu order: the File menu's rows stand where that menu holds them, the FIR menu's in order.
constexpr SCommandInfo kCommands[] = {
    {ECommand::Import, File, false, "&Import Coefficients...", "import", C::Import},
    {ECommand::Export, File, false, "&Export Coefficients...", "export", C::Export},
    {ECommand::Undo, Fir, false, "&Undo", "undo", nullptr, nullptr, C::Undo},
    {ECommand::Redo, Fir, false, "&Redo", "redo", nullptr, nullptr, C::Redo},
    {ECommand::SamplingFrequency, Fir, true, "Sampling &Frequency...", "sampling-frequency",
     C::SamplingFrequency},
    {ECommand::DesignOptions, Fir, false, "Design Options...", "design-options", C::DesignOptions},
    {ECommand::MinimumDb, Fir, false, "Minimum &dB...", "min-db", C::MinimumDb},
    {ECommand::FillConstant, Fir, true, "Fill Filter With Constant", "fill-constant", nullptr,
     C::FillConstant},
    {ECommand::FillSine, Fir, false, "Fill Filter With &Sine", "fill-sine", nullptr, C::FillSine},
    {ECommand::Window, Fir, true, "&Window Filter", "window", nullptr, C::Window},
    {ECommand::Scale, Fir, false, "&Scale Filter", "scale", nullptr, C::Scale},
    {ECommand::Quantize, Fir, false, "&Quantize Filter", "quantize", nullptr, C::Quantize},
    {ECommand::Mix, Fir, false, "&Mix Complex Filter...", "mix", C::Mix},
    {ECommand::ZeroStuff, Fir, false, "&Zero-Stuff and Zero-Pad...", "zero-stuff", C::ZeroStuff},
    {ECommand::Convolve, Fir, false, "Con&volve...", "convolve", C::Convolve},
    {ECommand::Truncate, Fir, false, "&Truncate...", "truncate", C::Truncate},
    {ECommand::Polyphase, Fir, false, "Select &Polyphase Filter...", "polyphase", C::Polyphase},
    {ECommand::MinPhase, Fir, true, "Convert to Minimum Phase", "min-phase", nullptr, nullptr,
     C::MinPhase},
    {ECommand::Reverse, Fir, false, "Reverse", "reverse", nullptr, nullptr, C::Reverse},
    {ECommand::CopyIToQ, Fir, false, "Copy &Inphase to Quadrature", "copy-i-to-q", nullptr, nullptr,
     C::CopyIToQ},
    {ECommand::CopyQToI, Fir, false, "Copy &Quadrature to Inphase", "copy-q-to-i", nullptr, nullptr,
     C::CopyQToI},
    {ECommand::SwapIQ, Fir, false, "Swap Inphase and Quadrature", "swap-iq", nullptr, nullptr,
     C::SwapIQ},
    {ECommand::CopyToClipboard, Fir, true, "&Copy Filter Data to Clipboard", "", nullptr, nullptr,
     C::CopyToClipboard},
};

constexpr SPartsVariant kVariants[] = {
    {EParts::Inphase, "&Inphase...", "inphase"},
    {EParts::Quadrature, "&Quadrature...", "quadrature"},
    {EParts::Complex, "&Complex...", "complex"},
};

} // namespace

std::span<const SCommandInfo> CommandCatalogue() {
    return kCommands;
}

const SCommandInfo& CommandInfo(ECommand id) {
    const auto* it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                  [id](const SCommandInfo& c) { return c.id == id; });
    if (it == std::end(kCommands))
        throw std::logic_error("a command without a catalogue row");
    return *it;
}

const SCommandInfo* FindCommandByWord(std::string_view word) {
    if (word.empty())
        return nullptr;
    for (const SCommandInfo& c : kCommands)
        if (word == c.word)
            return &c;
    return nullptr;
}

std::span<const SPartsVariant> PartsVariants() {
    return kVariants;
}

bool RunCommand(const SCommandInfo& command, CFirDoc& doc, CCommandDialogs& dialogs, EParts parts) {
    if (command.runParts)
        return command.runParts(doc, dialogs, parts);
    if (command.run)
        return command.run(doc, dialogs);
    return command.runPlain(doc);
}
