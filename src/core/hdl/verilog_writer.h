#pragma once

#include "hdl/hdl_plan.h"
#include "hdl/test_vectors.h"

#include <string>

// A synthesizable Verilog-2001 module of the plan's filter:
//   module NAME (input clk, input rst, input in_valid, input signed [W_in-1:0] in_data,
//                output out_valid, output signed [W_out-1:0] out_data);
// rst is synchronous and active high; one sample enters per clock while in_valid is high, and
// each output word leaves, in order, LATENCY clocks after its sample.
std::string VerilogModuleText(const CHdlPlan& plan, const std::string& name);

// A self-checking testbench NAME_tb for that module: it reads the stimulus from inputFile and
// the expected words from outputFile (as TestInputText and TestOutputText write them), checks
// every output word and its latency, and prints "PASS" or the first mismatch ("FAIL: ...").
std::string VerilogTestbenchText(const CHdlPlan& plan, const std::string& name,
                                 const STestVectors& vectors, const std::string& inputFile,
                                 const std::string& outputFile);

// Whether text is a Verilog identifier that is not a keyword.
bool IsVerilogIdentifier(const std::string& text);
// A module name made from a file name: characters that cannot be in an identifier become '_',
// a leading digit gets a '_' before it and a keyword an "_fir" after it.
std::string VerilogNameOf(const std::string& fileStem);
