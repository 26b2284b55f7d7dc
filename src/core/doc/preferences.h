#pragma once

#include "design/remez/remez_engine.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class CHost;

// Where the user's preferences are kept between runs: integer and text values by section and
// name. The desktop program keeps them in its settings file; tests keep them in memory.
class CSettingsStore {
public:
    virtual ~CSettingsStore() = default;
    // The stored integer, or `fallback` when there is none (or it is not an integer).
    virtual int GetInt(const std::string& section, const std::string& name, int fallback) = 0;
    // The stored text, or `fallback` when there is none.
    virtual std::string GetString(const std::string& section, const std::string& name,
                                  const std::string& fallback) = 0;
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
};

// A settings store in memory that also records the order of its writes.
class CMemorySettingsStore : public CSettingsStore {
public:
    int GetInt(const std::string& section, const std::string& name, int fallback) override;
    std::string GetString(const std::string& section, const std::string& name,
                          const std::string& fallback) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name,
                     const std::string& value) override;

    // Stored values as text, by "section/name".
    std::map<std::string, std::string> values;
    // The names written, in order.
    std::vector<std::string> writes;
};

// The user's preferences: the editors' options, which views open after a design or an import,
// automatic scaling, and the minimum dB of new projects.
struct CPreferences {
    int m_nEditorGridDensity = 16;
    bool m_bEditorSelectPassStop = false;
    double m_dEditorMaxPassDb = 10.0; // dB: attenuation threshold between pass and stop bands
    bool m_bEditorAttnInDb = true;
    bool m_bEditorGainInDb = false;
    bool m_bEditorShowPassStop = false;
    bool m_bDesignViewCoeffs = false;
    bool m_bDesignViewFreq = false;
    bool m_bDesignViewImp = false;
    bool m_bReadViewCoeffs = false;
    bool m_bReadViewFreq = false;
    bool m_bReadViewImp = false;
    bool m_bScaleAfterDesign = false;
    bool m_bScaleAfterMix = false;
    bool m_bScaleAfterRead = false;
    double m_dMinDb = -130.0; // dB: lowest level of every new project's plots
    // The exchange engine of the Parks-McClellan designs the program runs.
    ERemezEngine m_eRemezEngine = ERemezEngine::Auto;

    bool operator==(const CPreferences&) const = default;
};

namespace PrefText {
inline constexpr const char* kSection = "Options";
inline constexpr const char* kGridDensityNotPositive =
    "Grid Density must be greater than zero.\nSetting it to one.";
} // namespace PrefText

// Reads every preference; a value that is not stored keeps the one `prefs` holds. The two numbers
// are stored as text; a text that is not a number keeps the value held, and so does an engine
// number outside the choices.
void ReadPreferences(CSettingsStore& store, CPreferences& prefs);
// Writes every preference: flags, counts and the engine (0 auto, 1 classic, 2 robust) as
// integers, the two numbers as text with three decimals ("10.000", "-130.000").
void WritePreferences(CSettingsStore& store, const CPreferences& prefs);
// What the Preferences dialog's OK does with the values entered: a grid density of 0 or less is
// warned about and becomes 1; the values become the program's and are written to the store.
void AcceptPreferences(const CPreferences& entered, CPreferences& prefs, CSettingsStore& store,
                       CHost& host);
