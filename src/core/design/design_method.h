#pragma once

#include "support/host.h"

#include <optional>
#include <string>
#include <vector>

class CDesignControl;
class CFirData;
class OptimizerState;

// A message of a method's checks or design, for the host to show; empty text when there is none.
struct SMethodMessage {
    std::string text;
    EMsgIcon icon = EMsgIcon::Stop;

    bool Empty() const { return text.empty(); }
};

// How a method's design ended and what it produced.
struct SDesignOutcome {
    enum class EEnd { Designed, Failed, Cancelled };
    EEnd end = EEnd::Failed;
    // The coefficients; a design refused by a check of its result may still deliver them.
    std::vector<double> taps;
    // Why the design failed, for the host to show; empty when there is nothing to add.
    SMethodMessage failure;

    bool Designed() const { return end == EEnd::Designed; }
    // Designed when there are taps, else failed without a message.
    static SDesignOutcome OfTaps(std::vector<double> taps);
    // Failed with the message text.
    static SDesignOutcome Failure(std::string text, std::vector<double> taps = {});
};

// What a running design works with: the control its steps count into and stop at, and the
// status display's title after "Designing ".
struct SDesignJob {
    CDesignControl& control;
    const std::string& caption;
};

// One design method's routines. Each works on the specification the filter keeps for the
// method: it reads that specification into the method's own record, runs the method's pure
// functions on the record (its file declares them) and stores what the design produced.
class CDesignMethodImpl {
public:
    virtual ~CDesignMethodImpl() = default;

    // The method's name in the design summary ("Parks-McClellan", ...).
    virtual const char* SummaryName() const = 0;
    // The summary lines of the specification ("" for none).
    virtual std::string SummaryText(const CFirData& filter) const;

    // Whether a design first checks the filter's tap count against the constraints (a method
    // whose length follows from its own parameters does not).
    virtual bool ChecksTapCount() const { return true; }
    // The message that refuses the filter's specification; empty when it can be designed.
    // Changes nothing.
    virtual SMethodMessage Validate(const CFirData& filter) const = 0;
    // The checks and questions of a design, in the method's order: Validate's message, shown
    // through the filter's host; a method that also asks (an odd count for a highpass, ...)
    // adds its questions, which may change the tap count. False stops the design; the user has
    // been told why.
    virtual bool Check(CFirData& filter) const;

    // Why the tap count cannot be estimated from the specification (the text may be empty:
    // nothing to say); none when it can.
    virtual std::optional<SMethodMessage> CannotEstimate(const CFirData& filter) const;
    // The estimated tap count; the filter's own when there is none.
    virtual int Estimate(const CFirData& filter) const;

    // Designs the filter's specification: the coefficients become the outcome's taps and what
    // the design derived is stored with the specification.
    virtual SDesignOutcome Design(CFirData& filter, const SDesignJob& job) const = 0;
    // Searches for the fewest taps that meet the specification (the optimiser's counters in
    // *pState when given); false when the search could not start. Methods that do not optimise
    // never start.
    virtual bool Optimize(CFirData& filter, const SDesignJob& job, OptimizerState* pState) const;
};

// Shows message through the filter's host (when it has one and the message has text); returns
// whether there was a message.
bool ShowMethodMessage(const CFirData& filter, const SMethodMessage& message);

// The routines of a design kind (EDesignKind); null for imported filters and "no method".
const CDesignMethodImpl* DesignMethodOfKind(int kind);
