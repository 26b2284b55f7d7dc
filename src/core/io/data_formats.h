#pragma once

#include "io/data_format.h"

// The reader and writer objects of the registry (DataFormatOf), one per format.

// Text formats (text_formats.cpp).
const CDataFormat& DecimalTextFormat();
const CDataFormat& FirTextFormat();
const CDataFormat& PlotTextFormat();
const CDataFormat& AnalyzerFormat();
const CDataFormat& FractTextFormat();
const CDataFormat& HexTextFormat();
const CDataFormat& BinaryTextFormat();
const CDataFormat& AdiPmFormat();
const CDataFormat& HtmlTableFormat();

// Binary formats and the FPGA files (binary_formats.cpp).
const CDataFormat& FloatFormat();
const CDataFormat& DoubleFormat();
const CDataFormat& WaveFormat();
const CDataFormat& FpgaFormat();

// The code exporters, which write whole files (code_formats.cpp).
const CDataFormat& CSourceFormat();
const CDataFormat& TiAsmFormat();
const CDataFormat& VerilogFormat();
