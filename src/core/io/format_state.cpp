#include "io/format_state.h"

#include "data/format_options.h"
#include "io/io_messages.h"
#include "support/host.h"

SFormatState FormatStateOf(const CFileFormatOpts& opts) {
    SFormatState s;
    s.code = opts.m_nFormat;
    s.fixedBits = opts.m_FixedPoint.m_nBits;
    s.waveSize = opts.m_WavFmt.m_nSampleSize;
    s.waveRate = opts.m_WavFmt.m_nSampleRate;
    s.wave = SWaveHeader::FromBytes(opts.m_WavFmt.m_header);
    s.titles[0] = opts.m_strMainTitle;
    s.titles[1] = opts.m_strYTitle;
    s.titles[2] = opts.m_strXTitle;
    return s;
}

void StoreFormatState(const SFormatState& s, CFileFormatOpts& opts) {
    opts.m_nFormat = s.code;
    opts.m_FixedPoint.m_nBits = s.fixedBits;
    opts.m_WavFmt.m_nSampleSize = s.waveSize;
    opts.m_WavFmt.m_nSampleRate = s.waveRate;
    opts.m_WavFmt.m_header = s.wave.Bytes();
    opts.m_strMainTitle = s.titles[0];
    opts.m_strYTitle = s.titles[1];
    opts.m_strXTitle = s.titles[2];
}

bool SelectFormat(CFileFormatOpts& opts, const std::string& name) {
    const SFileFormat* f = FindFileFormat(name);
    if (!f)
        return false;
    opts.m_nFormat = f->code;
    return true;
}

bool CheckHasOptions(const CFileFormatOpts& opts, CHost& host) {
    if (FormatHasOptions(opts.m_nFormat))
        return true;
    host.Error(kMsgNoFormatOptions);
    return false;
}

bool GetWaveFs(const CFileFormatOpts& opts, double& fsKHz) {
    if (!IsWaveFormat(opts.m_nFormat))
        return false;
    const SWaveHeader header = SWaveHeader::FromBytes(opts.m_WavFmt.m_header);
    const uint32_t rate = header.sampleRate != 0
                              ? header.sampleRate
                              : static_cast<uint32_t>(opts.m_WavFmt.GetSamplesPerSecond());
    fsKHz = rate / 1000.0;
    return true;
}
