#pragma once

#include "io/file_formats.h"
#include "io/wave_header.h"

#include <string>

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
