#include "data/code_export_options.h"

#include "support/archive.h"
#include "support/host.h"

#include <algorithm>

const char* const kMsgAsmFieldsEmpty =
    "The Base Name, Equate Command, and Data Command fields cannot be empty.\n";

namespace {

std::string DocNameToIdentifier(std::string name) {
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

} // namespace

void COptionsC::Serialize(CArchiveWriter& ar, int nVersion) const {
    ar.WriteString(m_strName);
    ar.WriteString(m_strType);
    if (nVersion >= 16)
        ar.WriteString(m_strSuffix);
}

void COptionsC::Serialize(CArchiveReader& ar, int nVersion) {
    std::string name = ar.ReadString();
    std::string type = ar.ReadString();
    std::string suffix;
    if (nVersion >= 16)
        suffix = ar.ReadString();
    else
        suffix = type == "float" ? "f" : "";
    m_strName.swap(name);
    m_strType.swap(type);
    m_strSuffix.swap(suffix);
}

void COptionsC::SetDefaultName(const std::string& docName) {
    if (m_strName.empty())
        m_strName = DocNameToIdentifier(docName);
}

void CAsmOpts::Serialize(CArchiveWriter& ar) const {
    ar.WriteString(m_strBaseName);
    ar.WriteString(m_strFinalText);
    ar.WriteInt32(m_bShowGraph);
    ar.WriteString(m_strInitialText);
    ar.WriteInt32(m_bShowLength);
    ar.WriteInt32(m_bShowRatio);
    ar.WriteString(m_strRatio);
    ar.WriteInt32(m_nDataFormat);
    ar.WriteInt32(m_bShowFloat);
    ar.WriteInt32(m_bShowOtherFormat);
}

void CAsmOpts::Serialize(CArchiveReader& ar) {
    CAsmOpts in;
    in.m_strBaseName = ar.ReadString();
    in.m_strFinalText = ar.ReadString();
    in.m_bShowGraph = ar.ReadInt32();
    in.m_strInitialText = ar.ReadString();
    in.m_bShowLength = ar.ReadInt32();
    in.m_bShowRatio = ar.ReadInt32();
    in.m_strRatio = ar.ReadString();
    in.m_nDataFormat = ar.ReadInt32();
    in.m_bShowFloat = ar.ReadInt32();
    in.m_bShowOtherFormat = ar.ReadInt32();
    *this = std::move(in);
}

void CAsmOpts::SetDefaultName(const std::string& docName) {
    if (m_strBaseName.empty())
        m_strBaseName = DocNameToIdentifier(docName);
}

bool CAsmOpts::ValidateOnOk(CHost& host) {
    const char* const blanks = " \t\r\n";
    const size_t first = m_strBaseName.find_first_not_of(blanks);
    if (first == std::string::npos) {
        m_strBaseName = "FIR";
        host.Error(kMsgAsmFieldsEmpty);
        return false;
    }
    m_strBaseName = m_strBaseName.substr(first, m_strBaseName.find_last_not_of(blanks) - first + 1);
    return true;
}
