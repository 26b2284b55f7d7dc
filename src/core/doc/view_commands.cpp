#include "doc/view_commands.h"

#include "doc/command_messages.h"
#include "doc/fir_doc.h"

#include <string>

namespace {

constexpr int kHintInphase = 0x311;
constexpr int kHintQuadrature = 0x321;
constexpr int kHintComplex = 0x331;

int KindHint(const CFirDoc& doc) {
    return doc.Filter().IsReal() ? kHintInphase : kHintComplex;
}

void Reuse(CFirDoc& doc, EViewKind kind, const char* title, int hint) {
    doc.RequestView({kind, true, title, hint});
}

// The frequency-response items: five kinds, each for four selections.
void AddFrequencyItems(std::vector<SViewMenuItem>& items) {
    static const struct {
        const char* name;
        int kind;
    } kinds[] = {{"magnitude", 4},
                 {"phase", 5},
                 {"unwrapped-phase", 6},
                 {"group-delay", 8},
                 {"phase-delay", 7}};
    static const char* const selections[] = {"inphase", "quadrature", "i-and-q", "complex"};
    static std::vector<std::string> names;
    names.reserve(20);
    for (const auto& k : kinds) {
        for (int s = 0; s < 4; ++s) {
            names.push_back(std::string(k.name) + "-" + selections[s]);
            items.push_back({names.back().c_str(), EViewKind::Frequency, "",
                             DocHint::FreqView(k.kind, s), s != 0});
        }
    }
}

} // namespace

void ShowCoefficientView(CFirDoc& doc) {
    const bool real = doc.Filter().IsReal();
    Reuse(doc, EViewKind::Data, real ? ViewTitle::kCoefficientsI : ViewTitle::kCoefficientsIQ,
          KindHint(doc));
}

void ShowImpulseView(CFirDoc& doc) {
    const bool real = doc.Filter().IsReal();
    Reuse(doc, EViewKind::Time, real ? ViewTitle::kImpulseI : ViewTitle::kImpulseComplex,
          KindHint(doc));
}

void ShowFrequencyView(CFirDoc& doc) {
    Reuse(doc, EViewKind::Frequency, ViewTitle::kFrequency, DocHint::FreqView(4, 0));
}

void ShowCoefficientViewTool(CFirDoc& doc) {
    Reuse(doc, EViewKind::Data, ViewTitle::kCoefficients, KindHint(doc));
}

void ShowImpulseViewTool(CFirDoc& doc) {
    Reuse(doc, EViewKind::Time, ViewTitle::kImpulse, KindHint(doc));
}

void ShowSpecifications(CFirDoc& doc) {
    Reuse(doc, EViewKind::Editor, ViewTitle::kDesign, 0);
    doc.SendNewDocumentHints();
}

const std::vector<SViewMenuItem>& ViewMenuItems() {
    static const std::vector<SViewMenuItem> items = [] {
        std::vector<SViewMenuItem> v;
        AddFrequencyItems(v);
        using namespace ViewTitle;
        const EViewKind t = EViewKind::Time;
        v.insert(
            v.end(),
            {
                {"impulse-inphase", t, kImpulseI, kHintInphase, false},
                {"impulse-quadrature", t, kImpulseQ, kHintQuadrature, true},
                {"impulse-i-and-q", t, kImpulseComplex, kHintComplex, true},
                {"impulse-magnitude", t, kImpulseMagnitude, 0x341, true},
                {"impulse-phase", t, kImpulsePhase, 0x351, true},
                {"step-inphase", t, kImpulseI, 0x31B, false},
                {"step-quadrature", t, kImpulseQ, 0x32B, true},
                {"step-i-and-q", t, kImpulseComplex, 0x33B, true},
                {"step-magnitude", t, kImpulseMagnitude, 0x34B, true},
                {"step-phase", t, kImpulsePhase, 0x35B, true},
                {"coefficients-inphase", EViewKind::Data, kCoefficientsI, kHintInphase, false},
                {"coefficients-quadrature", EViewKind::Data, kCoefficientsQ, kHintQuadrature, true},
                {"coefficients-complex", EViewKind::Data, kCoefficientsComplex, kHintComplex, true},
            });
        return v;
    }();
    return items;
}

bool OpenMenuView(CFirDoc& doc, const SViewMenuItem& item) {
    const CFirData& f = doc.Filter();
    if (!f.HasCoefficients() || (item.needsComplex && f.IsReal()))
        return false;
    doc.RequestView({item.kind, false, item.title, item.hint});
    return true;
}
