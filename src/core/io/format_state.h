#pragma once

#include "io/file_formats.h"
#include "io/wave_header.h"

#include <string>

class CFileFormatOpts;
class CHost;

// The part of a file's format options that the data file reader and writer use and update.
struct SFormatState {
    int code = kFormatNone;
    int fixedBits = 16;    // fixed-point word length, bits
    int waveSize = 0;      // 0: 8-bit, 1: 16-bit samples
    int waveRate = 0;      // 0: 11025, 1: 22050, 2: 44100 samples per second
    SWaveHeader wave;      // the last WAVE header read or written
    std::string titles[3]; // main, Y and X title of a Text:Plot file

    int WordLength() const { return FormatWordLength(code, fixedBits); }
    int Channels() const { return FormatChannels(code, wave.channels); }
};

// The reader's and writer's view of a format options record, and back.
SFormatState FormatStateOf(const CFileFormatOpts& opts);
void StoreFormatState(const SFormatState& state, CFileFormatOpts& opts);

// Selects the format of that name; an unknown name leaves the record as it was (false).
bool SelectFormat(CFileFormatOpts& opts, const std::string& name);
// Whether the record's format has an options dialog; when it has none, says so through host.
bool CheckHasOptions(const CFileFormatOpts& opts, CHost& host);
// The sampling frequency a WAVE format state supplies, in kHz: the rate of the header last
// read or written, else the rate option. False for other formats.
bool GetWaveFs(const CFileFormatOpts& opts, double& fsKHz);
