#pragma once

#include "design/remez/remez_engine.h"
#include "design/remez/remez_messages.h"

#include "cli_args.h"
#include "cli_host.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class CFirData;
struct SDesignResult;

// The command line's host for a design: each design question takes the answer its option
// chose, and status texts that no message has already shown go to standard error.
class CDesignCliHost : public CCliHost {
public:
    explicit CDesignCliHost(std::ostream& err) : CCliHost(err), m_err(err) {}

    EAnswer m_atNyquist = EAnswer::Yes;     // even count with a passband at Fs/2: add a tap
    EAnswer m_unconstrained = EAnswer::Yes; // count that misses the constraints: adjust it
    EAnswer m_tooFew = EAnswer::Yes;        // count below the minimum: estimate
    EAnswer m_lthEven = EAnswer::Yes;       // even count of an Lth-band design: add a tap

    void ShowMessage(const std::string& text, EMsgIcon icon) override;
    EAnswer Ask(const std::string& text, bool withCancel, EAnswer def,
                EMsgIcon icon = EMsgIcon::Question) override;
    void SetStatusText(const std::string& text) override;

    // Reads --if-even-at-nyquist, --if-unconstrained and --if-too-few.
    void ReadAnswerOptions(CCliArgs& args);

private:
    std::ostream& m_err;
    std::string m_strLastMessage;
};

// Reports a usage error of a command with the hint to its help; returns kExitUsage.
int UsageError(const char* command, const std::string& text, std::ostream& err);

// The index of the value of --name among words (def when absent); an error otherwise.
std::optional<int> ParseChoice(CCliArgs& args, const std::string& name,
                               const std::vector<std::string>& words, int def);
// The Parks-McClellan exchange engine chosen by --engine auto|classic|robust (auto when absent);
// none, with an error, for another word. *given tells whether the option was there.
std::optional<ERemezEngine> ParseEngine(CCliArgs& args, bool* given = nullptr);
// The answer chosen by --name (words name Yes, No and Cancel in that order); none when absent.
std::optional<EAnswer> ParseAnswer(CCliArgs& args, const std::string& name,
                                   const std::vector<std::string>& words);

// An integer option limited to a sane range (an error outside it).
std::optional<int> SmallInteger(CCliArgs& args, const std::string& name);

// The options that every `design METHOD` shares: the exchange engine, the search for the
// fewest taps, where the results go, the tap-count constraints, minimum phase, quantization and
// the gain. One spelling each; the older spellings (--odd, --even, --algorithm) are aliases.
struct SDesignOptionArgs {
    std::optional<ERemezEngine> engine;
    bool engineGiven = false;
    bool optimize = false;
    std::optional<std::string> output, project;
    std::optional<int> minTaps, maxTaps, parity, multiple, quantBits, algorithm;
    bool minPhase = false;
    std::optional<double> maxDbError;
    bool noUnityGain = false;
};
// Reads the shared design options (a refused value fails the arguments).
SDesignOptionArgs ReadDesignOptionArgs(CCliArgs& args);
// Fails the arguments when the shared options do not go together.
void CheckDesignOptionArgs(CCliArgs& args, const SDesignOptionArgs& o);
// Puts the shared options into a filter whose design type is set; false when the constraint
// rules refuse the tap-count constraints (they have said why).
bool ApplyDesignOptionArgs(const SDesignOptionArgs& o, CFirData& filter, CHost& host);

// The quantization algorithm choices, in the order of the algorithm codes.
std::vector<std::string> QuantAlgorithmWords();

// The design options that `design` and `run ... design-options` share, one spelling each; the
// older spellings stay as aliases.
// The tap-count parity (NTapsConstraints::kParity...): --parity either|odd|even, or the flags
// --odd and --even; none when absent or refused.
std::optional<int> ReadParity(CCliArgs& args);
// The quantization algorithm code: --quant-algorithm A, or --algorithm A; none when absent or
// refused.
std::optional<int> ReadQuantAlgorithm(CCliArgs& args);
// The words of the windows, in code order from 1 (the window catalogue's).
std::vector<std::string> WindowTypeWords();
// The --window choices: none, then the window codes in order.
std::vector<std::string> WindowWords();
// Fails the arguments when an output would overwrite an input or another output (optional
// names that are absent are empty).
void RefuseFileClash(CCliArgs& args, const std::vector<std::string>& inputs,
                     const std::vector<std::string>& outputs);

// One coefficient (or "I Q" pair) per line in the "Text:Decimal" number format.
void WriteCoefficients(const CFirData& f, std::ostream& os, const char* eol);
// The margin and, per band, its edges in the unit of Fs, the actual ripple or attenuation, the
// specified value and the margin (nothing for a filter without bands).
void WriteBandResults(CFirData& f, std::ostream& os);
// "quantized: B bits, Algorithm" when the coefficients are quantized.
void WriteQuantization(const CFirData& f, std::ostream& os);

// After a design ran (result): a cancelled or empty design is reported and gives its exit
// status; otherwise the coefficients go to the file `output` (CR LF lines) or to out, and
// kExitOk tells the caller to go on.
int WriteDesignOutput(const SDesignResult& result, CFirData& f, CHost& host,
                      const std::optional<std::string>& output, std::ostream& out);
// The exit status of a design flow that stopped before its output: kExitUsage when a check or an
// answer refused the specification, kExitFailed when the method failed; kExitOk otherwise
// (a cancelled design is reported by WriteDesignOutput).
int FlowExitStatus(const SDesignResult& result);
// kExitMissesSpec when the filter has bands and misses them, kExitOk otherwise.
int DesignExitStatus(CFirData& f);
