#pragma once

#include "design/fir_data.h"
#include "io/format_state.h"
#include "support/archive.h"

#include <cstdint>
#include <vector>

// The sections after the filter, written by hand from the layout for version v, with values
// that differ from every default.
inline void AppendDialogSections(CArchiveWriter& w, int v) {
    // sine fill
    w.WriteInt32(512);
    w.WriteFloat(2.5f);
    if (v > 7) {
        w.WriteInt32(0);
        w.WriteInt32(0);
        w.WriteDouble(45.0);
    }
    if (v >= 19)
        w.WriteInt32(2);
    // mix
    w.WriteInt32(1);
    w.WriteFloat(100.0f);
    w.WriteFloat(8.0f);
    w.WriteFloat(0.5f);
    w.WriteInt32(1);
    w.WriteFloat(30.0f);
    // scale
    w.WriteDouble(1000.0);
    w.WriteInt32(2);
    w.WriteDouble(-6.0);
    w.WriteInt32(0);
    if (v >= 9)
        w.WriteInt32(1);
    // constant fill
    w.WriteInt32(8);
    w.WriteDouble(0.125);
    w.WriteInt32(0);
    // data files; the two format records are taken from their own class, which has its own
    // byte-exact tests
    if (v > 3) {
        w.WriteString("/tmp/coef.txt");
        w.WriteString("");
        if (v > 5)
            w.WriteUInt16(1);
        if (v >= 9) {
            w.WriteInt32(2);
            w.WriteInt32(4);
        }
        CFileFormatOpts format;
        format.m_nFormat = 0;
        format.Serialize(w, v);
        format.Serialize(w, v);
    }
    // window
    w.WriteUInt16(2);
    w.WriteFloat(6.5f);
    if (v >= 10)
        w.WriteFloat(55.0f);
    // quantize dialog
    if (v > 13) {
        for (int x : {12, 0, 3, 0, 8, 64})
            w.WriteInt32(x);
    }
    // trailer
    w.WriteInt32(7);
    w.WriteDouble(2.5);
    w.WriteInt32(0);
    if (v == 3)
        w.WriteFloat(1.0f);
    if (v > 8)
        w.WriteString("My Filter");
}

// A project file of version v: the version word, `filter` (with the view settings `view`) as it is
// written for v, then the dialog sections of AppendDialogSections.
inline std::vector<uint8_t> HandBuiltProject(int v, int type, const CFirData& filter = CFirData(),
                                             const SViewSettings& view = SViewSettings()) {
    CArchiveWriter w;
    w.WriteUInt16(static_cast<uint16_t>(type * 256 + v));
    filter.Serialize(w, v, view);
    AppendDialogSections(w, v);
    return w.TakeBytes();
}
