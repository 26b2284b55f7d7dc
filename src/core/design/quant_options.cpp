#include "design/quant_options.h"

#include "support/archive_fields.h"

const SQuantAlgorithmInfo& QuantAlgorithmInfo(int code) {
    for (const SQuantAlgorithmInfo& info : kQuantAlgorithms)
        if (info.code == code)
            return info;
    return kQuantAlgorithms[0];
}

void QuantOptions::Store(CArchiveWriter& ar) const {
    CFieldWriter fields(ar, kFieldAlways);
    DescribeFields(fields, *this);
}

void QuantOptions::Load(CArchiveReader& ar) {
    CFieldReader fields(ar, kFieldAlways);
    DescribeFields(fields, *this);
}
