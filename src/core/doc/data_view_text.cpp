#include "doc/data_view_text.h"

#include "design/fir_data.h"
#include "dsp/signal_ops.h"
#include "io/data_set_file_io.h"
#include "io/file_formats.h"

#include <cstring>

namespace {

constexpr int kColumnI = 0;
constexpr int kColumnQ = 1;

// The columns of a mode: (first, second or -1).
std::pair<int, int> ColumnsOf(int mode, const CFirData& filter) {
    switch (mode) {
    case CDataViewSettings::Inphase:
        return {kColumnI, -1};
    case CDataViewSettings::Quadrature:
        return {kColumnQ, -1};
    case CDataViewSettings::Complex:
        return {kColumnI, kColumnQ};
    default:
        return filter.IsReal() ? std::pair{kColumnI, -1} : std::pair{kColumnI, kColumnQ};
    }
}

} // namespace

CDataViewSettings::CDataViewSettings() {
    m_Format.m_nFormat = kFormatDecimal;
}

int DataViewModeOf(const SChangeNotice& notice) {
    switch (notice.shows) {
    case EViewShows::Inphase:
        return CDataViewSettings::Inphase;
    case EViewShows::Quadrature:
        return CDataViewSettings::Quadrature;
    case EViewShows::IAndQ:
        return CDataViewSettings::Complex;
    default:
        return CDataViewSettings::Automatic;
    }
}

std::string ListCoefficients(CFirData& filter, CDataViewSettings& settings) {
    const auto [a, b] = ColumnsOf(settings.m_nMode, filter);
    std::string out;
    if (WriteDataSet(filter, settings.m_Format, out, a, b, 1) == 0)
        return DataViewText::kCannotWrite;
    out.resize(std::strlen(out.c_str()));
    return out;
}

bool ReadCoefficientsText(CFirData& filter, CDataViewSettings& settings, const std::string& text) {
    const auto [a, b] = ColumnsOf(settings.m_nMode, filter);
    const bool found =
        ReadDataSet(filter, settings.m_Format, reinterpret_cast<const uint8_t*>(text.data()),
                    text.size(), a, b);
    filter.EqualizeLengths(0.0);
    TrimTrailingZeros(filter);
    return found;
}
