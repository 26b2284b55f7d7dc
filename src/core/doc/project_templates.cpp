#include "doc/project_templates.h"

#include "design/design_types.h"
#include "doc/preferences.h"
#include "doc/project_file.h"
#include "support/archive.h"
#include "support/file_access.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* kRecentSection = "Recent File List";

// Three letters after the dot, the last one anything: the "*.cf?" pattern.
bool IsProjectFileName(const std::string& name) {
    return name.size() >= 4 && name.compare(name.size() - 4, 3, ".cf") == 0;
}

} // namespace

const std::array<CProjectTemplate, 8>& ProjectTemplates() {
    static const std::array<CProjectTemplate, 8> table{{
        {kDesignSimplePm, "SimplePm", "CSimplePmEditor", "Simple Parks-McClellan", 277, 166},
        {kDesignAdvancedPm, "AdvancedPm", "CAdvancedPmEditor", "Advanced Parks-McClellan", 327,
         180},
        {kDesignWinSinc, "WindowedSinc", "CWindowedSincEditor", "Windowed Sinc", 327, 165},
        {kDesignRaisedCos, "RaisedCosine", "CRaisedCosEditor", "Raised Cosine", 315, 168},
        {kDesignImport, "Import", "CImportEditor", "Import/Boxcar", 238, 151},
        {kDesignLthBand, "LthBand", "CNyquistEditor", "Lth-Band (Nyquist)", 292, 171},
        {kDesignMaxflat, "MaxFlat", "CMaxflatEditor", "Maximally Flat", 303, 168},
        {kDesignCic, "CIC", "CCicEditor", "CIC", 301, 151},
    }};
    return table;
}

const CProjectTemplate* TemplateOfType(int designType) {
    for (const auto& t : ProjectTemplates())
        if (t.designType == designType)
            return &t;
    return nullptr;
}

const CProjectTemplate& FormOfEditor(const std::string& editorClass) {
    for (const auto& t : ProjectTemplates())
        if (editorClass == t.editorClass)
            return t;
    return ProjectTemplates()[1];
}

const std::array<int, 8>& ChooserTypes() {
    static const std::array<int, 8> order{kDesignSimplePm,  kDesignAdvancedPm, kDesignWinSinc,
                                          kDesignRaisedCos, kDesignLthBand,    kDesignImport,
                                          kDesignMaxflat,   kDesignCic};
    return order;
}

std::vector<std::string> ChooserFileList(const std::vector<std::string>& recent,
                                         const std::string& folder) {
    std::vector<std::string> list;
    auto addOnce = [&list](const std::string& path) {
        if (!path.empty() && std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    };
    for (const auto& path : recent)
        addOnce(path);
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // Regular files only, hidden ones (the temporary files of a save among them) left out.
        if (it->is_regular_file(ec) && name[0] != '.' && IsProjectFileName(name))
            found.push_back(fs::absolute(it->path(), ec).lexically_normal().string());
    }
    std::sort(found.begin(), found.end());
    for (const auto& path : found)
        addOnce(path);
    return list;
}

CChooserResult ResolveChooserChoice(int radioIndex, const std::string& rememberedPath) {
    if (radioIndex >= 0 && radioIndex < static_cast<int>(ChooserTypes().size()))
        return {ChooserTypes()[radioIndex], {}};
    if (!rememberedPath.empty())
        return {kDesignSimplePm, rememberedPath};
    return {kDesignSimplePm, {}};
}

void CRecentFileList::Read(CSettingsStore& store) {
    m_entries.clear();
    for (int i = 1; i <= kSize; ++i) {
        const std::string path = store.GetString(kRecentSection, "File" + std::to_string(i), "");
        if (!path.empty())
            m_entries.push_back(path);
    }
}

void CRecentFileList::Write(CSettingsStore& store) const {
    for (int i = 0; i < kSize; ++i)
        store.WriteString(kRecentSection, "File" + std::to_string(i + 1),
                          i < static_cast<int>(m_entries.size()) ? m_entries[i] : "");
}

void CRecentFileList::Add(const std::string& path) {
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (static_cast<int>(m_entries.size()) > kSize)
        m_entries.resize(kSize);
}

void CRecentFileList::Remove(const std::string& path) {
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
}

int PeekProjectType(const std::string& path) {
    const std::vector<uint8_t> word = ReadFileHead(path, 2);
    if (word.size() < 2)
        return -1;
    const int byExtension = DesignTypeOfExtension(path);
    if (byExtension >= 0)
        return byExtension;
    CArchiveReader ar(word.data(), 2);
    return CFirProject::ReadVersionWord(ar).second;
}
