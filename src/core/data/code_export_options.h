#pragma once

#include <string>

class CArchiveReader;
class CArchiveWriter;
class CHost;

// Shown when the assembler options are accepted with an empty base name.
extern const char* const kMsgAsmFieldsEmpty;

// Options of the C array export: variable name, type and the suffix written after each value.
class COptionsC {
public:
    // Name, type, then from stream version 16 on the suffix.
    void Serialize(CArchiveWriter& ar, int nVersion) const;
    // Streams older than version 16 have no suffix: it becomes "f" for type "float", else empty.
    void Serialize(CArchiveReader& ar, int nVersion);
    // Gives an empty variable name the document name with each "." replaced by "_".
    void SetDefaultName(const std::string& docName);

    bool operator==(const COptionsC&) const = default;

    std::string m_strName;
    std::string m_strType = "float";
    std::string m_strSuffix = "f";
};

// Options of the fixed-point (1.15) assembler data export.
class CAsmOpts {
public:
    enum EDataFormat { DecimalInt = 0, HexInt = 1, Float = 2 };

    void Serialize(CArchiveWriter& ar) const;
    void Serialize(CArchiveReader& ar);
    // Gives an empty base name the document name with each "." replaced by "_".
    void SetDefaultName(const std::string& docName);
    // The check made when the options dialog is accepted: the base name is trimmed; an empty one
    // becomes "FIR", the refusal is shown and false returned (the dialog stays open).
    bool ValidateOnOk(CHost& host);
    // "Show Other Format" and "Show Floating Point" apply only to the two integer formats.
    bool CommentFormatsEnabled() const { return m_nDataFormat != Float; }

    bool operator==(const CAsmOpts&) const = default;

    std::string m_strBaseName;
    int m_bShowLength = 1;
    int m_bShowRatio = 0;
    std::string m_strRatio;
    int m_nDataFormat = DecimalInt;
    int m_bShowOtherFormat = 1;
    int m_bShowFloat = 1;
    int m_bShowGraph = 1;
    std::string m_strInitialText = "   .text";
    std::string m_strFinalText;
};
