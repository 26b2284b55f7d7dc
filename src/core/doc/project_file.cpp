#include "doc/project_file.h"

#include "doc/doc_messages.h"
#include "io/io_messages.h"
#include "support/archive_fields.h"
#include "support/file_access.h"
#include "support/file_messages.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>
#include <cctype>

CFirProject::CFirProject(CHost* pHost) : m_Filter(pHost), m_pHost(pHost) {}

std::pair<int, int> CFirProject::ReadVersionWord(CArchiveReader& ar) {
    const uint16_t word = ar.ReadUInt16();
    return {word & 0xFF, word >> 8};
}

// The project's sections after the version word, in file order (support/archive_fields.h).
namespace {

// The filter's section with the view settings the file keeps among its fields.
template <class Filter, class View> struct SFilterSection {
    Filter& filter;
    View& view;
    void Serialize(CArchiveWriter& ar, int nVersion) const { filter.Serialize(ar, nVersion, view); }
    void Serialize(CArchiveReader& ar, int nVersion) { filter.Serialize(ar, nVersion, view); }
};

} // namespace

template <class Fields, class Self> void CFirProject::DescribeFields(Fields& f, Self& s) {
    SFilterSection<decltype((s.m_Filter)), decltype((s.m_View))> filter{s.m_Filter, s.m_View};
    f.Versioned(filter);
    f.Versioned(s.m_Generate);
    // the sampling-frequency dialog keeps nothing in the file
    f.Object(s.m_Mix);
    f.Versioned(s.m_Scale);
    f.Object(s.m_CombFill);
    f.Versioned(s.m_DataFiles, 4);
    f.Versioned(s.m_Window);
    f.Record(s.m_QuantDialog, 14);
    f.Int32(s.m_nReservedA);
    f.Double(s.m_dReservedB);
    f.Unused();
    f.RetiredFloat(3, 3);
    f.String(s.m_strTitle, 9);
}

void CFirProject::Serialize(CArchiveWriter& ar) const {
    const int nVersion = kCurrentVersion;
    const int type = m_Filter.m_nDesignType & 0xFF;
    ar.WriteUInt16(static_cast<uint16_t>(type * 256 + nVersion));
    CFieldWriter fields(ar, nVersion);
    DescribeFields(fields, *this);
    WriteAppendedSections(ar);
}

// Sections after the title, each a tag, a byte count and the bytes: a reader skips the tags it
// does not know, and readers older than the sections stop at the title. A project with nothing
// to append is written as before them.
namespace {
constexpr uint32_t kUnquantizedTag = 0x51555143; // "CQUQ": the unquantized coefficients
} // namespace

void CFirProject::WriteAppendedSections(CArchiveWriter& ar) const {
    if (!m_Filter.HasUnquantized())
        return;
    CArchiveWriter section;
    m_Filter.m_Unquantized.Write(section);
    ar.WriteUInt32(kUnquantizedTag);
    ar.WriteUInt32(static_cast<uint32_t>(section.Bytes().size()));
    ar.WriteBytes(section.Bytes().data(), section.Bytes().size());
}

void CFirProject::ReadAppendedSections(CArchiveReader& ar) {
    // What cannot be read here is left out, as an older reader leaves it out.
    while (ar.Remaining() >= 8) {
        const uint32_t tag = ar.ReadUInt32();
        const uint32_t size = ar.ReadUInt32();
        if (size > ar.Remaining())
            return;
        std::vector<uint8_t> bytes(size);
        ar.ReadBytes(bytes.data(), size);
        if (tag != kUnquantizedTag)
            continue;
        try {
            CArchiveReader section(bytes);
            CUnquantizedCopy copy;
            copy.Read(section);
            if (copy.Describes(m_Filter))
                m_Filter.m_Unquantized = std::move(copy);
        } catch (const CArchiveException&) {
        }
    }
}

void CFirProject::ReadSections(CArchiveReader& ar, int nVersion) {
    CFieldReader fields(ar, nVersion);
    DescribeFields(fields, *this);
    // A newer version's own fields may follow the title.
    if (nVersion <= kCurrentVersion)
        ReadAppendedSections(ar);
}

void CFirProject::Serialize(CArchiveReader& ar) {
    const auto [nVersion, type] = ReadVersionWord(ar);
    if (nVersion < 3)
        throw CArchiveException(StrPrintf("unsupported project version %d", nVersion));
    if (nVersion > kCurrentVersion && m_pHost)
        m_pHost->Error(std::string(DocMsg::kNewerVersion) + "\n" + DocMsg::kMakerWebAddress);
    // Read into a fresh project so that a failure leaves this one as it was.
    CFirProject loaded(m_pHost);
    loaded.m_nFileVersion = nVersion;
    loaded.m_nDesignType = type;
    loaded.ReadSections(ar, nVersion);
    loaded.m_bModified = nVersion < kCurrentVersion;
    *this = std::move(loaded);
}

std::vector<uint8_t> CFirProject::ToBytes() const {
    CArchiveWriter ar;
    Serialize(ar);
    return ar.TakeBytes();
}

int DesignTypeOfExtension(const std::string& path) {
    if (path.size() < 4)
        return -1;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".cfa")
        return kDesignAdvancedPm;
    if (ext == ".cfs")
        return kDesignSimplePm;
    return -1;
}

ELoadResult LoadProject(const std::string& path, CFirProject& project, CHost& host) {
    std::vector<uint8_t> bytes;
    if (!ReadFileReported(path, bytes, host))
        return ELoadResult::Failed;
    CFirProject loaded(&host);
    try {
        CArchiveReader ar(bytes);
        const int extensionType = DesignTypeOfExtension(path);
        int type = extensionType;
        if (type < 0) {
            CArchiveReader peek(bytes);
            type = CFirProject::ReadVersionWord(peek).second;
        }
        if (type > CFirProject::kLastOpenableType) {
            host.Error(FormatMessage(DocMsg::kUnknownProjectType, {path, std::to_string(type)}));
            return ELoadResult::UnknownType;
        }
        loaded.Serialize(ar);
        loaded.m_nDesignType = type;
        loaded.m_Filter.SetDesignType(type);
    } catch (const CArchiveException& e) {
        host.Error(FormatMessage(DocMsg::kUnreadableProject, {path, e.what()}));
        return ELoadResult::Failed;
    }
    // Opened by path, a document takes the file's name as its title.
    loaded.m_strTitle = FileNameOf(path);
    if (loaded.m_nFileVersion < CFirProject::kCurrentVersion)
        host.Notice(DocMsg::kPreviousVersion);
    project = std::move(loaded);
    return ELoadResult::Ok;
}

bool SaveProject(const std::string& path, const CFirProject& project, CHost& host) {
    const std::vector<uint8_t> bytes = project.ToBytes();
    std::string reason;
    if (bytes.size() > kMaxReadFileBytes)
        reason = FormatMessage(kMsgFileTooLarge, {std::to_string(kMaxReadFileBytes)});
    else if (WriteFileSafely(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()},
                             reason))
        return true;
    host.Error(FormatMessage(DocMsg::kCannotSave, {path, reason}));
    return false;
}
