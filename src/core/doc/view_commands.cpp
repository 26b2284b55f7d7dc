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
        const char* submenu;
    } kinds[] = {{"magnitude", 4, "&Frequency Response/&Magnitude"},
                 {"phase", 5, "&Frequency Response/&Phase"},
                 {"unwrapped-phase", 6, "&Frequency Response/&Unwrapped Phase"},
                 {"group-delay", 8, "&Frequency Response/&Group Delay"},
                 {"phase-delay", 7, "&Frequency Response/P&hase Delay"}};
    static const struct {
        const char* name;
        const char* caption;
    } selections[] = {{"inphase", "&Inphase"},
                      {"quadrature", "&Quadrature"},
                      {"i-and-q", "I &And Q"},
                      {"complex", "&Complex"}};
    static std::vector<std::string> names;
    names.reserve(20);
    for (const auto& k : kinds) {
        for (int s = 0; s < 4; ++s) {
            names.push_back(std::string(k.name) + "-" + selections[s].name);
            items.push_back({names.back().c_str(), EViewKind::Frequency, "",
                             DocHint::FreqView(k.kind, s), s != 0, k.submenu,
                             selections[s].caption});
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
    // Channel code 4: the inphase response of a real filter, the complex one of a complex filter.
    Reuse(doc, EViewKind::Frequency, ViewTitle::kFrequency, DocHint::FreqView(4, 4));
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
        const EViewKind d = EViewKind::Data;
        const char* impulse = "&Time Response/&Impulse Response";
        const char* step = "&Time Response/&Step Response";
        const char* data = "&Coefficient Data";
        v.insert(
            v.end(),
            {
                {"impulse-inphase", t, kImpulseI, kHintInphase, false, impulse,
                 "&Inphase Amplitude"},
                {"impulse-quadrature", t, kImpulseQ, kHintQuadrature, true, impulse,
                 "&Quadrature Amplitude"},
                {"impulse-i-and-q", t, kImpulseComplex, kHintComplex, true, impulse,
                 "I &And Q Amplitude"},
                {"impulse-magnitude", t, kImpulseMagnitude, 0x341, true, impulse,
                 "Complex &Magnitude"},
                {"impulse-phase", t, kImpulsePhase, 0x351, true, impulse, "Complex &Phase"},
                {"step-inphase", t, kImpulseI, 0x31B, false, step, "&Inphase Amplitude"},
                {"step-quadrature", t, kImpulseQ, 0x32B, true, step, "&Quadrature Amplitude"},
                {"step-i-and-q", t, kImpulseComplex, 0x33B, true, step, "I &And Q Amplitude"},
                {"step-magnitude", t, kImpulseMagnitude, 0x34B, true, step, "Complex &Magnitude"},
                {"step-phase", t, kImpulsePhase, 0x35B, true, step, "Complex &Phase"},
                {"coefficients-inphase", d, kCoefficientsI, kHintInphase, false, data, "&Inphase"},
                {"coefficients-quadrature", d, kCoefficientsQ, kHintQuadrature, true, data,
                 "&Quadrature"},
                {"coefficients-complex", d, kCoefficientsComplex, kHintComplex, true, data,
                 "&Complex"},
                {"pole-zero", EViewKind::PoleZero, kPoleZero, DocHint::kChanged, false, "",
                 "&Pole-Zero Plot"},
            });
        return v;
    }();
    return items;
}

const SViewMenuItem* FindViewMenuItem(const std::string& name) {
    for (const SViewMenuItem& item : ViewMenuItems())
        if (name == item.name)
            return &item;
    return nullptr;
}

const std::vector<SShortViewMenuItem>& CoefficientViewFrequencyItems() {
    static const std::vector<SShortViewMenuItem> items = [] {
        static const std::pair<const char*, const char*> rows[] = {
            {"magnitude-inphase", "&Inphase Magnitude"},
            {"magnitude-quadrature", "&Quadrature Magnitude"},
            {"magnitude-i-and-q", "I &And Q Magnitudes"},
            {"magnitude-complex", "Complex &Magnitude"},
            {"phase-inphase", "Inphase Phase"},
            {"phase-quadrature", "Quadrature Phase"},
            {"phase-complex", "Complex &Phase"}};
        std::vector<SShortViewMenuItem> v;
        for (const auto& [name, caption] : rows)
            v.push_back({FindViewMenuItem(name), caption});
        return v;
    }();
    return items;
}

bool IsViewItemEnabled(const CFirDoc& doc, const SViewMenuItem& item) {
    const CFirData& f = doc.Filter();
    return f.HasCoefficients() && !(item.needsComplex && f.IsReal());
}

bool OpenMenuView(CFirDoc& doc, const SViewMenuItem& item) {
    if (!IsViewItemEnabled(doc, item))
        return false;
    doc.RequestView({item.kind, false, item.title, item.hint});
    return true;
}
