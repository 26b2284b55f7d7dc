#include "cli_design_common.h"

#include "cli.h"
#include "design/coefficient_messages.h"
#include "design/constraint_rules.h"
#include "design/design_flow.h"
#include "design/design_messages.h"
#include "design/driver_messages.h"
#include "design/fir_data.h"
#include "design/method_messages.h"
#include "dsp/windows.h"
#include "io/io_messages.h"
#include "support/file_access.h"
#include "support/format_number.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace {
constexpr const char* kMsgCancelled = "The design was cancelled.";
constexpr const char* kMsgNoCoefficients = "The design produced no coefficients.";
} // namespace

void CDesignCliHost::ShowMessage(const std::string& text, EMsgIcon icon) {
    m_strLastMessage = text;
    CCliHost::ShowMessage(text, icon);
}

EAnswer CDesignCliHost::Ask(const std::string& text, bool withCancel, EAnswer def, EMsgIcon icon) {
    EAnswer chosen = def;
    if (text == kMsgAskOddTaps)
        chosen = m_atNyquist;
    else if (text == kMsgAskAdjustTaps)
        chosen = m_unconstrained;
    else if (text == kMsgAskEstimateTaps)
        chosen = m_tooFew;
    else if (text == kMsgLthAskOddTaps)
        chosen = m_lthEven;
    return CCliHost::Ask(text, withCancel, chosen, icon);
}

void CDesignCliHost::SetStatusText(const std::string& text) {
    if (text == kReadyText || text == kMsgOptimizingStatus || text == m_strLastMessage)
        return;
    m_err << text << "\n";
}

void CDesignCliHost::ReadAnswerOptions(CCliArgs& args) {
    if (auto a = ParseAnswer(args, "--if-even-at-nyquist", {"add", "remove", "cancel"}))
        m_atNyquist = *a;
    if (auto a = ParseAnswer(args, "--if-unconstrained", {"adjust", "keep", "cancel"}))
        m_unconstrained = *a;
    if (auto a = ParseAnswer(args, "--if-too-few", {"estimate", "stop"}))
        m_tooFew = *a;
    if (auto a = ParseAnswer(args, "--if-even", {"add", "keep", "cancel"}))
        m_lthEven = *a;
}

std::optional<int> ParseChoice(CCliArgs& args, const std::string& name,
                               const std::vector<std::string>& words, int def) {
    const auto text = args.Value(name);
    if (!text)
        return def;
    for (size_t i = 0; i < words.size(); ++i)
        if (*text == words[i])
            return static_cast<int>(i);
    std::string list;
    for (const std::string& w : words)
        list += (list.empty() ? "" : "|") + w;
    args.Fail("option '" + name + "' takes " + list);
    return std::nullopt;
}

std::optional<ERemezEngine> ParseEngine(CCliArgs& args, bool* given) {
    const auto text = args.Value("--engine");
    if (given)
        *given = text.has_value();
    if (!text)
        return ERemezEngine::Auto;
    if (const SRemezEngineName* name = FindRemezEngine(*text))
        return name->engine;
    args.Fail("option '--engine' takes auto|classic|robust");
    return std::nullopt;
}

std::optional<EAnswer> ParseAnswer(CCliArgs& args, const std::string& name,
                                   const std::vector<std::string>& words) {
    const auto index = ParseChoice(args, name, words, -1);
    if (!index || *index < 0)
        return std::nullopt;
    return *index == 0 ? EAnswer::Yes : *index == 1 ? EAnswer::No : EAnswer::Cancel;
}

std::optional<int> SmallInteger(CCliArgs& args, const std::string& name) {
    const auto v = args.Integer(name);
    if (!v)
        return std::nullopt;
    if (*v < -1000000000LL || *v > 1000000000LL) {
        args.Fail("option '" + name + "' is out of range");
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

SDesignOptionArgs ReadDesignOptionArgs(CCliArgs& args) {
    SDesignOptionArgs o;
    o.engine = ParseEngine(args, &o.engineGiven);
    o.optimize = args.Flag("--optimize");
    o.output = args.Value("--output", "-o");
    o.project = args.Value("--project", "-p");
    o.minTaps = SmallInteger(args, "--min-taps");
    o.maxTaps = SmallInteger(args, "--max-taps");
    o.parity = ReadParity(args);
    o.multiple = SmallInteger(args, "--multiple");
    o.minPhase = args.Flag("--min-phase");
    o.maxDbError = args.Number("--max-db-error");
    o.quantBits = SmallInteger(args, "--quantize");
    o.algorithm = ReadQuantAlgorithm(args);
    o.noUnityGain = args.Flag("--no-unity-gain");
    return o;
}

void CheckDesignOptionArgs(CCliArgs& args, const SDesignOptionArgs& o) {
    if (!args.Ok())
        return;
    if (o.maxDbError && !o.minPhase)
        args.Fail("--max-db-error belongs to --min-phase");
    else if (o.quantBits && (*o.quantBits < 1 || *o.quantBits > 63))
        args.Fail("option '--quantize' takes 1 to 63 bits");
    else if (o.algorithm && !o.quantBits)
        args.Fail("--algorithm needs --quantize");
}

bool ApplyDesignOptionArgs(const SDesignOptionArgs& o, CFirData& filter, CHost& host) {
    filter.m_eRemezEngine = o.engine.value_or(ERemezEngine::Auto);
    if (o.minTaps || o.maxTaps || o.parity || o.multiple) {
        // Beyond any tap limit, a count keeps the constraint rules' own message.
        auto count = [](int n) { return std::clamp(n, -1, 1000000); };
        SConstraintPageValues page = GetConstraintPageValues(filter.m_Constraints);
        if (o.minTaps)
            page.m_nMin = count(*o.minTaps);
        if (o.maxTaps)
            page.m_nMax = count(*o.maxTaps);
        if (o.parity)
            page.m_nParity = *o.parity;
        if (o.multiple) {
            page.m_bMultipleOn = true;
            page.m_nMultiple = count(*o.multiple);
        }
        if (!ApplyConstraintPage(page, filter.m_Constraints, &host))
            return false;
    }
    if (o.noUnityGain)
        filter.m_bUnityGain = 0;
    if (o.quantBits) {
        filter.m_Quant.m_nBits = *o.quantBits;
        filter.m_Quant.m_nAlgorithm = o.algorithm.value_or(0);
    }
    if (o.minPhase) {
        filter.m_MinPhase.m_bEnabled = 1;
        if (o.maxDbError)
            filter.m_MinPhase.m_dMaxDbError = *o.maxDbError;
    }
    return true;
}

std::vector<std::string> QuantAlgorithmWords() {
    std::vector<std::string> words;
    for (const SQuantAlgorithmInfo& info : kQuantAlgorithms)
        words.push_back(info.word);
    return words;
}

std::optional<int> ReadParity(CCliArgs& args) {
    static const std::vector<std::string> words{"either", "odd", "even"};
    const auto word = ParseChoice(args, "--parity", words, -1);
    const bool odd = args.Flag("--odd");
    const bool even = args.Flag("--even");
    if (odd && even) {
        args.Fail("--odd and --even exclude each other");
        return std::nullopt;
    }
    if (odd || even) {
        if (word && *word >= 0) {
            args.Fail("--parity and --odd or --even exclude each other");
            return std::nullopt;
        }
        return odd ? NTapsConstraints::kParityOdd : NTapsConstraints::kParityEven;
    }
    return word && *word >= 0 ? word : std::nullopt;
}

std::optional<int> ReadQuantAlgorithm(CCliArgs& args) {
    const auto chosen = ParseChoice(args, "--quant-algorithm", QuantAlgorithmWords(), -1);
    const auto alias = ParseChoice(args, "--algorithm", QuantAlgorithmWords(), -1);
    const bool given = chosen && *chosen >= 0;
    const bool aliasGiven = alias && *alias >= 0;
    if (given && aliasGiven) {
        args.Fail("--quant-algorithm and --algorithm exclude each other");
        return std::nullopt;
    }
    return given ? chosen : aliasGiven ? alias : std::nullopt;
}

std::vector<std::string> WindowTypeWords() {
    std::vector<std::string> words;
    for (const SWindowInfo& info : kWindowCatalogue)
        words.push_back(info.word);
    return words;
}

std::vector<std::string> WindowWords() {
    std::vector<std::string> words = WindowTypeWords();
    words.insert(words.begin(), kNoWindowWord);
    return words;
}

void RefuseFileClash(CCliArgs& args, const std::vector<std::string>& inputs,
                     const std::vector<std::string>& outputs) {
    if (!args.Ok())
        return;
    const std::string clash = FindFileClash(inputs, outputs);
    if (!clash.empty())
        args.Fail(clash);
}

void WriteCoefficients(const CFirData& f, std::ostream& os, const char* eol) {
    const int n = f.GetN();
    const char* format = n < 2500 ? "%21.18f" : "%24.21f";
    const bool complex = !f.IsReal();
    for (int i = 0; i < n; ++i) {
        os << StrPrintf(format, f.m_pI->GetAt(i));
        if (complex)
            os << " " << StrPrintf(format, f.m_pQ->GetAt(i));
        os << eol;
    }
}

void WriteQuantization(const CFirData& f, std::ostream& os) {
    if (f.m_bQuantized)
        os << "quantized: " << f.m_Quant.m_nBits << " bits, "
           << QuantAlgorithmInfo(f.m_nQuantAlgorithmRun >= 0 ? f.m_nQuantAlgorithmRun
                                                             : f.m_Quant.m_nAlgorithm)
                  .caption
           << "\n";
}

void WriteBandResults(CFirData& f, std::ostream& os) {
    if (f.GetNumBands() == 0)
        return;
    if (!f.HasCoefficients()) {
        os << "margin: none (no coefficients)\n";
        return;
    }
    const double fs = f.GetFs();
    os << "margin: " << StrPrintf("%.3f", f.GetMargin()) << " dB\n";
    for (int i = 0; i < f.GetNumBands(); ++i) {
        const bool pass = f.IsPassband(i);
        os << "band " << i + 1 << ": " << StrPrintf("%.9g", f.Band(i).lower * fs) << " - "
           << StrPrintf("%.9g", f.Band(i).upper * fs) << (pass ? " pass" : " stop")
           << (pass ? " ripple " : " attenuation ") << StrPrintf("%.4f", f.GetBandActual(i))
           << " dB (specified " << StrPrintf("%.4f", f.GetBandAttn(i, true)) << " dB) margin "
           << StrPrintf("%.4f", f.GetBandMargin(i)) << " dB\n";
    }
}

int WriteDesignOutput(const SDesignResult& result, CFirData& f, CHost& host,
                      const std::optional<std::string>& output, std::ostream& out) {
    if (result.end == EDesignEnd::Cancelled) {
        host.Error(kMsgCancelled);
        return kExitFailed;
    }
    if (!f.HasCoefficients()) {
        host.Error(kMsgNoCoefficients);
        return kExitFailed;
    }
    if (!output) {
        WriteCoefficients(f, out, "\n");
        return kExitOk;
    }
    std::ostringstream text;
    WriteCoefficients(f, text, "\r\n");
    return WriteFileReported(*output, text.str(), host) ? kExitOk : kExitFailed;
}

int FlowExitStatus(const SDesignResult& result) {
    switch (result.end) {
    case EDesignEnd::Refused:
        return kExitUsage;
    case EDesignEnd::Failed:
        return kExitFailed;
    default:
        return kExitOk;
    }
}

int DesignExitStatus(CFirData& f) {
    return f.GetNumBands() > 0 && f.GetMargin() < 0.0 ? kExitMissesSpec : kExitOk;
}

int UsageError(const char* command, const std::string& text, std::ostream& err) {
    err << "corvifir-cli " << command << ": " << text << "\n"
        << "Try 'corvifir-cli " << command << " --help' for more information.\n";
    return kExitUsage;
}
