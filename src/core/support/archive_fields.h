#pragma once

#include "support/archive.h"

#include <cstdint>
#include <string>

// An archive section described once, as the list of its fields in file order. Each section has
// one function template that walks its list:
//
//     template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
//         f.Int32(s.m_nStages, 10); // the field, its type, the first version that holds it
//         f.Double(s.m_dBeta, 10);
//     }
//
// and that one list writes the section (CFieldWriter, with Self const), reads it (CFieldReader)
// and measures it (CFieldSize). A field that a version does not hold is not written; when read,
// it keeps the value it had: the default of the fresh object a stream is read into. A field added
// to the format is one more line at the end of its section, with the new version number.

// The version of a field that every file holding its section has.
inline constexpr int kFieldAlways = 0;

// Converts a code as an older version stored it into the current numbering.
using FCodeFromFile = int (*)(int code, int version);

class CFieldWriter {
public:
    CFieldWriter(CArchiveWriter& ar, int version) : m_ar(ar), m_nVersion(version) {}

    int Version() const { return m_nVersion; }
    bool Holds(int since) const { return m_nVersion >= since; }
    CArchiveWriter& Archive() { return m_ar; }

    void Int32(int value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteInt32(value);
    }
    void Int16(int value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteInt16(static_cast<int16_t>(value));
    }
    void UInt16(int value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteUInt16(static_cast<uint16_t>(value));
    }
    void Float(float value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteFloat(value);
    }
    // A double kept in single precision.
    void Float(double value, int since = kFieldAlways) { Float(static_cast<float>(value), since); }
    void Double(double value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteDouble(value);
    }
    void String(const std::string& value, int since = kFieldAlways) {
        if (Holds(since))
            m_ar.WriteString(value);
    }
    // An int32 code that older versions numbered differently; written in today's numbering.
    void Code(int value, int since, FCodeFromFile) { Int32(value, since); }
    // An int32 written as 0 and not kept.
    void Unused(int since = kFieldAlways) { Int32(0, since); }
    // A float only the versions since..until hold, not kept; never written by this program.
    void RetiredFloat(int, int) {}
    // A record with its own field list.
    template <class R> void Record(const R& record, int since = kFieldAlways) {
        if (Holds(since))
            R::DescribeFields(*this, record);
    }
    // An object that writes itself without a version (`Serialize(CArchiveWriter&)`).
    template <class T> void Object(const T& object, int since = kFieldAlways) {
        if (Holds(since))
            object.Serialize(m_ar);
    }
    // An object that writes itself for the version and decides itself what that holds.
    template <class T> void Versioned(const T& object, int since = kFieldAlways) {
        if (Holds(since))
            object.Serialize(m_ar, m_nVersion);
    }

private:
    CArchiveWriter& m_ar;
    int m_nVersion;
};

class CFieldReader {
public:
    CFieldReader(CArchiveReader& ar, int version) : m_ar(ar), m_nVersion(version) {}

    int Version() const { return m_nVersion; }
    bool Holds(int since) const { return m_nVersion >= since; }
    CArchiveReader& Archive() { return m_ar; }

    void Int32(int& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadInt32();
    }
    void Int16(int& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadInt16();
    }
    void UInt16(int& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadUInt16();
    }
    void Float(float& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadFloat();
    }
    void Float(double& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadFloat();
    }
    void Double(double& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadDouble();
    }
    void String(std::string& value, int since = kFieldAlways) {
        if (Holds(since))
            value = m_ar.ReadString();
    }
    void Code(int& value, int since, FCodeFromFile fromFile) {
        if (Holds(since))
            value = fromFile(m_ar.ReadInt32(), m_nVersion);
    }
    void Unused(int since = kFieldAlways) {
        if (Holds(since))
            m_ar.ReadInt32();
    }
    void RetiredFloat(int since, int until) {
        if (Holds(since) && m_nVersion <= until)
            m_ar.ReadFloat();
    }
    template <class R> void Record(R& record, int since = kFieldAlways) {
        if (Holds(since))
            R::DescribeFields(*this, record);
    }
    template <class T> void Object(T& object, int since = kFieldAlways) {
        if (Holds(since))
            object.Serialize(m_ar);
    }
    template <class T> void Versioned(T& object, int since = kFieldAlways) {
        if (Holds(since))
            object.Serialize(m_ar, m_nVersion);
    }

private:
    CArchiveReader& m_ar;
    int m_nVersion;
};

// The bytes a record of fixed-size fields takes in a version: for checking a count of records
// against what is left of a stream before anything is allocated.
class CFieldSize {
public:
    explicit CFieldSize(int version) : m_nVersion(version) {}

    bool Holds(int since) const { return m_nVersion >= since; }
    size_t Bytes() const { return m_nBytes; }

    void Int32(int, int since = kFieldAlways) { Add(4, since); }
    void Int16(int, int since = kFieldAlways) { Add(2, since); }
    void UInt16(int, int since = kFieldAlways) { Add(2, since); }
    void Float(float, int since = kFieldAlways) { Add(4, since); }
    void Double(double, int since = kFieldAlways) { Add(8, since); }
    void Code(int, int since, FCodeFromFile) { Add(4, since); }
    void Unused(int since = kFieldAlways) { Add(4, since); }
    template <class R> void Record(const R& record, int since = kFieldAlways) {
        if (Holds(since))
            R::DescribeFields(*this, record);
    }

private:
    void Add(size_t bytes, int since) {
        if (Holds(since))
            m_nBytes += bytes;
    }
    int m_nVersion;
    size_t m_nBytes = 0;
};

// The bytes one record of type R takes in a version.
template <class R> size_t ArchivedSize(int version) {
    CFieldSize size(version);
    const R record{};
    R::DescribeFields(size, record);
    return size.Bytes();
}
