#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh folder for the files of one test, removed afterwards.
class CTempFolder {
public:
    CTempFolder() {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("corvifir_io_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~CTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string Path(const std::string& name) const { return (m_path / name).string(); }
    std::string Dir() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};

inline void WriteText(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
