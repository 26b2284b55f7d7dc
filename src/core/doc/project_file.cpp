#include "doc/project_file.h"

#include "doc/doc_messages.h"
#include "io/io_messages.h"
#include "support/archive.h"
#include "support/format_number.h"
#include "support/host.h"
#include "support/paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

CFirProject::CFirProject(CHost* pHost) : m_Filter(pHost), m_pHost(pHost) {}

std::pair<int, int> CFirProject::ReadVersionWord(CArchiveReader& ar) {
    const uint16_t word = ar.ReadUInt16();
    return {word & 0xFF, word >> 8};
}

void CFirProject::Serialize(CArchiveWriter& ar) const {
    const int nVersion = kCurrentVersion;
    const int type = m_Filter.m_nDesignType & 0xFF;
    ar.WriteUInt16(static_cast<uint16_t>(type * 256 + nVersion));
    m_Filter.Serialize(ar, nVersion);
    m_Generate.Serialize(ar, nVersion);
    // the sampling-frequency dialog keeps nothing in the file
    m_Mix.Serialize(ar);
    m_Scale.Serialize(ar, nVersion);
    m_CombFill.Serialize(ar);
    m_DataFiles.Serialize(ar, nVersion);
    m_Window.Serialize(ar, nVersion);
    m_QuantDialog.Store(ar);
    ar.WriteInt32(m_nReservedA);
    ar.WriteDouble(m_dReservedB);
    ar.WriteInt32(0);
    ar.WriteString(m_strTitle);
}

void CFirProject::ReadSections(CArchiveReader& ar, int nVersion) {
    m_Filter.Serialize(ar, nVersion);
    m_Generate.Serialize(ar, nVersion);
    m_Mix.Serialize(ar);
    m_Scale.Serialize(ar, nVersion);
    m_CombFill.Serialize(ar);
    if (nVersion > 3)
        m_DataFiles.Serialize(ar, nVersion);
    m_Window.Serialize(ar, nVersion);
    if (nVersion > 13)
        m_QuantDialog.Load(ar);
    m_nReservedA = ar.ReadInt32();
    m_dReservedB = ar.ReadDouble();
    ar.ReadInt32(); // written as 0, not kept
    if (nVersion == 3)
        ar.ReadFloat();
    if (nVersion > 8)
        m_strTitle = ar.ReadString();
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

namespace {

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

ELoadResult LoadProject(const std::string& path, CFirProject& project, CHost& host) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        host.Error(FormatMessage(kMsgCannotOpenFile, {path}));
        return ELoadResult::Failed;
    }
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
    std::string temp = DirectoryOf(path) + "." + FileNameOf(path) + ".XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        host.Error(FormatMessage(DocMsg::kCannotSave, {path, std::strerror(errno)}));
        return false;
    }
    temp = name.data();
    struct stat previous {};
    ::fchmod(fd, ::stat(path.c_str(), &previous) == 0 ? (previous.st_mode & 07777) : 0644);
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == bytes.size() && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = ok ? errno : savedErrno;
        std::remove(temp.c_str());
        host.Error(FormatMessage(DocMsg::kCannotSave, {path, std::strerror(err)}));
        return false;
    }
    return true;
}
