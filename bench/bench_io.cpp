// Writing and reading coefficient files held in memory: decimal text, fixed-point hexadecimal
// text and 16-bit WAVE, by number of points.
#include "io/data_file_reader.h"
#include "io/data_file_writer.h"
#include "support/scripted_host.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

std::vector<double> Coefficients(int n) {
    std::vector<double> v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[static_cast<size_t>(k)] = 0.9 * std::sin(0.01 * k) * std::exp(-1e-5 * k);
    return v;
}

void BM_Write(benchmark::State& st, int code) {
    const std::vector<double> v = Coefficients(static_cast<int>(st.range(0)));
    CScriptedHost host;
    for (auto _ : st) {
        SFormatState state;
        state.code = code;
        state.waveSize = 1;
        std::string out;
        WriteDataBytes(state, out, v.data(), nullptr, static_cast<int>(v.size()), -1.0, 1.0, 1,
                       host);
        benchmark::DoNotOptimize(out.data());
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

void BM_Read(benchmark::State& st, int code) {
    const std::vector<double> v = Coefficients(static_cast<int>(st.range(0)));
    CScriptedHost host;
    SFormatState state;
    state.code = code;
    state.waveSize = 1;
    std::string file;
    WriteDataBytes(state, file, v.data(), nullptr, static_cast<int>(v.size()), -1.0, 1.0, 1, host);
    for (auto _ : st) {
        SFormatState s;
        s.code = code;
        std::vector<double> a;
        ReadDataBytes(s, reinterpret_cast<const uint8_t*>(file.data()), file.size(), a, nullptr,
                      host);
        benchmark::DoNotOptimize(a.data());
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}

} // namespace

BENCHMARK_CAPTURE(BM_Write, Decimal, kFormatDecimal)->Arg(1024)->Arg(65536);
BENCHMARK_CAPTURE(BM_Read, Decimal, kFormatDecimal)->Arg(1024)->Arg(65536);
BENCHMARK_CAPTURE(BM_Write, Hex, kFormatHex)->Arg(1024)->Arg(65536);
BENCHMARK_CAPTURE(BM_Read, Hex, kFormatHex)->Arg(1024)->Arg(65536);
BENCHMARK_CAPTURE(BM_Write, Wave16, kFormatWave)->Arg(65536);
BENCHMARK_CAPTURE(BM_Read, Wave16, kFormatWave)->Arg(65536);

BENCHMARK_MAIN();
