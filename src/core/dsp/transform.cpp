#include "dsp/signal_ops.h"

#include "dsp/fft.h"

#include <complex>
#include <vector>

void Transform(CCorviData& d, const CCorviData& source, int nSize) {
    const int n = source.GetN();
    const int size = (nSize <= 0 || nSize > n) ? n : nSize;
    // Decided by this signal's domain before it takes the source's.
    const double scale = (d.m_bTime || size == 0) ? 1.0 : 1.0 / size;
    const bool toFrequency = source.m_bTime != 0;

    // Gathered first, so that source may be this signal.
    std::vector<std::complex<double>> values(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
        values[static_cast<size_t>(i)] = {source.m_pI->GetAt(i), source.m_pQ->GetAt(i)};
    }
    d.Copy(source, size);
    if (size > 0) {
        CFft fft(static_cast<size_t>(size));
        if (toFrequency) {
            fft.Forward(values.data(), values.data(), scale);
        } else {
            fft.Inverse(values.data(), values.data(), scale);
        }
    }
    for (int i = 0; i < size; ++i) {
        d.m_pI->SetAt(i, values[static_cast<size_t>(i)].real());
        d.m_pQ->SetAt(i, values[static_cast<size_t>(i)].imag());
    }
    d.m_bTime = d.m_bTime ? 0 : 1;
    d.ApplyFs(d.m_Fs);
    d.ResetRange();
    d.m_bReal = 0;
}
