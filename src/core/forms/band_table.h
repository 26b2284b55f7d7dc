#pragma once

#include <string>
#include <vector>

class CFirData;
class CHost;

// Preferences that decide how the band table reads and shows a desired value.
struct SBandEditorPrefs {
    bool m_bSelectPassStop = false; // infer pass or stop from the attenuation when desired is empty
    double m_dMaxPassDb = 10.0;     // attenuation (dB) up to which an inferred band is a passband
    bool m_bShowPassStop = false;   // show " Passband" / " Stopband" instead of the number
};

// The band list of the advanced Parks-McClellan form as the user sees it: one row of texts per
// band in ascending order, in the display units (frequencies in the unit of Fs, desired and
// attenuation/ripple in dB or linear as the two unit flags say).
class CBandTable {
public:
    struct Row {
        std::string lower, upper, desired, attn, actual;
    };
    // How the entry row stands before a design.
    enum class EEntry { Empty, Partial, Complete };

    // "%12.6lf" with trailing zeros removed, a whole number losing its decimal point too.
    static std::string FormatValue(double value);
    // "%7.3lf" with trailing zeros removed down to one decimal.
    static std::string FormatActual(double value);
    // The band number column's text ("%2d").
    static std::string FormatNumber(int number);
    // A desired text: "p..." a passband, "s..." a stopband (case-blind, after trimming),
    // otherwise a number; passband 0 dB or 1, stopband -1000 dB or 0.
    static double ParseDesired(const std::string& text, bool desiredInDb);
    // Whether the entry row (lower, upper, attn/ripple) is empty, partly or fully filled.
    static EEntry ClassifyEntry(const std::string& lower, const std::string& upper,
                                const std::string& attn);

    // Resolves the desired value and attenuation of an entry row: an empty desired text is
    // inferred from the attenuation (negative: a stopband) and the preferences; a negative
    // attenuation becomes positive. False, with a message, for an attenuation of 0.
    static bool ResolveEntry(const std::string& desiredText, double& attn, double& desired,
                             bool desiredInDb, bool attnInDb, const SBandEditorPrefs& prefs,
                             CHost& host);

    // Inserts a band in frequency order; bands it overlaps are removed first. Refused, with a
    // message, when it touches a band; the rows overlapped before that stay removed. Returns
    // the row index or -1.
    int InsertBand(double lower, double upper, double desired, double attn, bool desiredInDb,
                   const SBandEditorPrefs& prefs, CHost& host);
    void DeleteBand(int row);
    void Clear() { m_rows.clear(); }

    // Rebuilds the filter's band list (response type 1..3, grid density, taps) from the rows.
    // Returns -1, or the index of the row that was refused (after its message).
    int StoreToFilter(CFirData& filter, int responseType, int gridDensity, int taps,
                      bool desiredInDb, bool attnInDb) const;
    // The rows of the filter's band list, with the achieved values when it has coefficients.
    void LoadFromFilter(CFirData& filter, bool desiredInDb, bool attnInDb,
                        const SBandEditorPrefs& prefs);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const Row& GetRow(int i) const { return m_rows[static_cast<size_t>(i)]; }

    // "PASS" when the filter has coefficients and bands and every band meets its
    // specification, "FAIL" when some band misses it, "" otherwise.
    static std::string ResultText(CFirData& filter);

private:
    static std::string DesiredText(double desired, bool desiredInDb, const SBandEditorPrefs& prefs);
    std::vector<Row> m_rows;
};
