#include "io/io_messages.h"

const char* const kMsgInvalidHeader = "Input file does not have a valid header.";
const char* const kMsgOneChannelOnly =
    "File contains only one channel: quadrature data will not be read.";
const char* const kMsgNotWaveFile = "This is not a valid WAVE file.";
const char* const kMsgUnknownWaveFormatting = "This file contains unknown formatting information.";
const char* const kMsgUnsupportedWaveFormat = "This file uses an unsupported WAVE sub-format.";
const char* const kMsgWaveDataChunkMissing =
    "Error in WAVE header.  The chunk named 'data' was not found.";
const char* const kMsgNoFormatOptions = "This file format does not\nhave any options.";
const char* const kMsgOverflowQuestion =
    "The current data will overflow the write data format.  Write anyway?";
const char* const kMsgStepDoesNotDivide =
    "The number of points (%1) is not a multiple of the interleave factor (%2).";
const char* const kMsgFormatCannotBeWritten = "Data cannot be written in the file format \"%1\".";
const char* const kMsgReadStoppedAtLine =
    "Reading \"%1\" stopped at line %2, which holds no number; %3 values were read.";
const char* const kMsgNotFiniteAtLine =
    "The file \"%1\" holds a value that is not a finite number at line %2.";
const char* const kMsgNotFiniteAtSample =
    "The file \"%1\" holds a value that is not a finite number at sample %2.";
const char* const kMsgWaveEndsEarly =
    "The WAVE data ends early: %1 of the %2 samples the header announces were read.";
const char* const kMsgWaveTooLong = "The data is too long for a WAVE file.";

const char* const kMsgNoInputFiles = "No input files were specified.";
const char* const kMsgFileMissingOrBusy =
    "File \"%1\" does not exist or is in use by another process.";
const char* const kMsgBadFormatOrNoData =
    "The file(s) read are not formatted correctly, or contain no data.";
const char* const kMsgSpecifyComplexName = "Please specify the Complex file name.";
const char* const kMsgSpecifyInphaseName = "Please specify the Inphase file name.";
const char* const kMsgSpecifyBothNames = "Please specify the Real and Quadrature file names.";
const char* const kMsgDataIsComplex = "This time data is complex.  Please check the 'Is "
                                      "Complex'\nbox or specify the Quadrature file name.";
const char* const kMsgInterleaveTooSmall = "Interleave factor must be greater than 1.";
