#include "min_phase_ref_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

std::vector<CRefCase> LoadRefCases(const std::string& file) {
    std::vector<CRefCase> cases;
    std::ifstream in(std::string(CORVIFIR_TEST_DATA_DIR) + "/dsp/" + file);
    EXPECT_TRUE(in.good()) << file;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream head(line);
        std::string tag;
        size_t n1 = 0, n2 = 0;
        CRefCase c;
        head >> tag >> c.name >> n1 >> n2 >> c.value >> c.check;
        if (tag != "case") {
            ADD_FAILURE() << file << ": unexpected line " << line;
            break;
        }
        for (size_t i = 0; i < n1 + n2; ++i) {
            double re = 0.0, im = 0.0;
            std::getline(in, line);
            std::istringstream(line) >> re >> im;
            (i < n1 ? c.first : c.second).Append(mcplx(re, im));
        }
        cases.push_back(std::move(c));
    }
    EXPECT_FALSE(cases.empty()) << file;
    return cases;
}
