#include "doc/view_commands.h"

#include "doc/command_messages.h"
#include "doc/fir_doc.h"

#include <string>

namespace {

// A time or coefficient view showing `shows`; step: a time view in step mode.
constexpr SChangeNotice Bind(EViewShows shows, bool step = false) {
    return SChangeNotice::BindTime(shows, EViewChannel::Complex, step);
}

SChangeNotice BindByFilter(const CFirDoc& doc) {
    return Bind(doc.Filter().IsReal() ? EViewShows::Inphase : EViewShows::IAndQ);
}

void Reuse(CFirDoc& doc, EViewKind kind, const char* title, const SChangeNotice& notice) {
    doc.RequestView({kind, true, title, notice});
}

// The frequency-response items: five kinds, each for four selections.
void AddFrequencyItems(std::vector<SViewMenuItem>& items) {
    using enum EViewShows;
    static const struct {
        const char* name;
        EViewShows kind;
        const char* submenu;
    } kinds[] = {{"magnitude", Magnitude, "&Frequency Response/&Magnitude"},
                 {"phase", Phase, "&Frequency Response/&Phase"},
                 {"unwrapped-phase", UnwrappedPhase, "&Frequency Response/&Unwrapped Phase"},
                 {"group-delay", GroupDelay, "&Frequency Response/&Group Delay"},
                 {"phase-delay", PhaseDelay, "&Frequency Response/P&hase Delay"}};
    static const struct {
        const char* name;
        EViewChannel channel;
        const char* caption;
    } selections[] = {{"inphase", EViewChannel::Inphase, "&Inphase"},
                      {"quadrature", EViewChannel::Quadrature, "&Quadrature"},
                      {"i-and-q", EViewChannel::IAndQ, "I &And Q"},
                      {"complex", EViewChannel::Complex, "&Complex"}};
    static std::vector<std::string> names;
    names.reserve(20);
    for (const auto& k : kinds) {
        for (const auto& s : selections) {
            names.push_back(std::string(k.name) + "-" + s.name);
            items.push_back({names.back().c_str(), EViewKind::Frequency, "",
                             SChangeNotice::BindFreq(k.kind, s.channel),
                             s.channel != EViewChannel::Inphase, k.submenu, s.caption});
        }
    }
}

} // namespace

void ShowCoefficientView(CFirDoc& doc) {
    const bool real = doc.Filter().IsReal();
    Reuse(doc, EViewKind::Data, real ? ViewTitle::kCoefficientsI : ViewTitle::kCoefficientsIQ,
          BindByFilter(doc));
}

void ShowImpulseView(CFirDoc& doc) {
    const bool real = doc.Filter().IsReal();
    Reuse(doc, EViewKind::Time, real ? ViewTitle::kImpulseI : ViewTitle::kImpulseComplex,
          BindByFilter(doc));
}

void ShowFrequencyView(CFirDoc& doc) {
    // The inphase response of a real filter, the complex one of a complex filter.
    Reuse(doc, EViewKind::Frequency, ViewTitle::kFrequency,
          SChangeNotice::BindFreq(EViewShows::Magnitude, EViewChannel::ByFilter));
}

void ShowCoefficientViewTool(CFirDoc& doc) {
    Reuse(doc, EViewKind::Data, ViewTitle::kCoefficients, BindByFilter(doc));
}

void ShowImpulseViewTool(CFirDoc& doc) {
    Reuse(doc, EViewKind::Time, ViewTitle::kImpulse, BindByFilter(doc));
}

void ShowSpecifications(CFirDoc& doc) {
    Reuse(doc, EViewKind::Editor, ViewTitle::kDesign, {});
    doc.SendNewDocumentNotices();
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
        using enum EViewShows;
        const bool stepMode = true;
        v.insert(
            v.end(),
            {
                {"impulse-inphase", t, kImpulseI, Bind(Inphase), false, impulse,
                 "&Inphase Amplitude"},
                {"impulse-quadrature", t, kImpulseQ, Bind(Quadrature), true, impulse,
                 "&Quadrature Amplitude"},
                {"impulse-i-and-q", t, kImpulseComplex, Bind(IAndQ), true, impulse,
                 "I &And Q Amplitude"},
                {"impulse-magnitude", t, kImpulseMagnitude, Bind(Magnitude), true, impulse,
                 "Complex &Magnitude"},
                {"impulse-phase", t, kImpulsePhase, Bind(Phase), true, impulse, "Complex &Phase"},
                {"step-inphase", t, kImpulseI, Bind(Inphase, stepMode), false, step,
                 "&Inphase Amplitude"},
                {"step-quadrature", t, kImpulseQ, Bind(Quadrature, stepMode), true, step,
                 "&Quadrature Amplitude"},
                {"step-i-and-q", t, kImpulseComplex, Bind(IAndQ, stepMode), true, step,
                 "I &And Q Amplitude"},
                {"step-magnitude", t, kImpulseMagnitude, Bind(Magnitude, stepMode), true, step,
                 "Complex &Magnitude"},
                {"step-phase", t, kImpulsePhase, Bind(Phase, stepMode), true, step,
                 "Complex &Phase"},
                {"coefficients-inphase", d, kCoefficientsI, Bind(Inphase), false, data, "&Inphase"},
                {"coefficients-quadrature", d, kCoefficientsQ, Bind(Quadrature), true, data,
                 "&Quadrature"},
                {"coefficients-complex", d, kCoefficientsComplex, Bind(IAndQ), true, data,
                 "&Complex"},
                {"pole-zero", EViewKind::PoleZero, kPoleZero, Notice::kCoefficients, false, "",
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
    doc.RequestView({item.kind, false, item.title, item.notice});
    return true;
}
