#include "doc/preferences.h"

#include "design/remez/remez_messages.h"
#include "support/format_number.h"
#include "support/host.h"

#include <cstdlib>

namespace {

constexpr const char* kEngineKey = "m_eRemezEngine";

std::string KeyOf(const std::string& section, const std::string& name) {
    return section + "/" + name;
}

// The integer preferences in the order they are written, each with its member.
template <typename Prefs, typename Visit> void ForEachInt(Prefs& p, Visit visit) {
    visit("m_nEditorGridDensity", p.m_nEditorGridDensity);
    visit("m_bEditorSelectPassStop", p.m_bEditorSelectPassStop);
}

template <typename Prefs, typename Visit> void ForEachFlagAfterMaxPass(Prefs& p, Visit visit) {
    visit("m_bEditorAttnInDb", p.m_bEditorAttnInDb);
    visit("m_bEditorGainInDb", p.m_bEditorGainInDb);
    visit("m_bEditorShowPassStop", p.m_bEditorShowPassStop);
    visit("m_bDesignViewImp", p.m_bDesignViewImp);
    visit("m_bDesignViewFreq", p.m_bDesignViewFreq);
    visit("m_bDesignViewCoeffs", p.m_bDesignViewCoeffs);
    visit("m_bReadViewCoeffs", p.m_bReadViewCoeffs);
    visit("m_bReadViewFreq", p.m_bReadViewFreq);
    visit("m_bReadViewImp", p.m_bReadViewImp);
    visit("m_bScaleAfterDesign", p.m_bScaleAfterDesign);
    visit("m_bScaleAfterMix", p.m_bScaleAfterMix);
    visit("m_bScaleAfterRead", p.m_bScaleAfterRead);
}

void ReadNumber(CSettingsStore& store, const char* name, const char* fallback, double& value) {
    if (auto number = ParseDouble(store.GetString(PrefText::kSection, name, fallback)))
        value = *number;
}

} // namespace

int CMemorySettingsStore::GetInt(const std::string& section, const std::string& name,
                                 int fallback) {
    auto it = values.find(KeyOf(section, name));
    if (it == values.end())
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(it->second.c_str(), &end, 10);
    return end != it->second.c_str() && *end == '\0' ? static_cast<int>(value) : fallback;
}

std::string CMemorySettingsStore::GetString(const std::string& section, const std::string& name,
                                            const std::string& fallback) {
    auto it = values.find(KeyOf(section, name));
    return it == values.end() ? fallback : it->second;
}

void CMemorySettingsStore::WriteInt(const std::string& section, const std::string& name,
                                    int value) {
    WriteString(section, name, std::to_string(value));
}

void CMemorySettingsStore::WriteString(const std::string& section, const std::string& name,
                                       const std::string& value) {
    values[KeyOf(section, name)] = value;
    writes.push_back(name);
}

void ReadPreferences(CSettingsStore& store, CPreferences& prefs) {
    auto readInt = [&](const char* name, auto& member) {
        using T = std::remove_reference_t<decltype(member)>;
        member = static_cast<T>(store.GetInt(PrefText::kSection, name, static_cast<int>(member)));
    };
    ForEachInt(prefs, readInt);
    ReadNumber(store, "m_dEditorMaxPassDb", "10.0", prefs.m_dEditorMaxPassDb);
    ForEachFlagAfterMaxPass(prefs, readInt);
    ReadNumber(store, "m_dMinDb", "-130.0", prefs.m_dMinDb);
    const int engine =
        store.GetInt(PrefText::kSection, kEngineKey, static_cast<int>(prefs.m_eRemezEngine));
    for (const SRemezEngineName& name : kRemezEngineNames) {
        if (static_cast<int>(name.engine) == engine)
            prefs.m_eRemezEngine = name.engine;
    }
}

void WritePreferences(CSettingsStore& store, const CPreferences& prefs) {
    auto writeInt = [&](const char* name, const auto& member) {
        store.WriteInt(PrefText::kSection, name, static_cast<int>(member));
    };
    ForEachInt(prefs, writeInt);
    store.WriteString(PrefText::kSection, "m_dEditorMaxPassDb",
                      StrPrintf("%.3f", prefs.m_dEditorMaxPassDb));
    ForEachFlagAfterMaxPass(prefs, writeInt);
    store.WriteString(PrefText::kSection, "m_dMinDb", StrPrintf("%.3f", prefs.m_dMinDb));
    store.WriteInt(PrefText::kSection, kEngineKey, static_cast<int>(prefs.m_eRemezEngine));
}

void AcceptPreferences(const CPreferences& entered, CPreferences& prefs, CSettingsStore& store,
                       CHost& host) {
    prefs = entered;
    if (prefs.m_nEditorGridDensity <= 0) {
        host.Warning(PrefText::kGridDensityNotPositive);
        prefs.m_nEditorGridDensity = 1;
    }
    WritePreferences(store, prefs);
}
