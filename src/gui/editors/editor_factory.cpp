#include "editors/editor_factory.h"

#include "design/design_types.h"
#include "editors/advanced_pm_editor.h"
#include "editors/cic_editor.h"
#include "editors/import_editor.h"
#include "editors/maxflat_editor.h"
#include "editors/nyquist_editor.h"
#include "editors/raised_cos_editor.h"
#include "editors/simple_pm_editor.h"
#include "editors/windowed_sinc_editor.h"

namespace {
CFirEditor* NewEditor(int designType, CFirData& filter, CHost& host, QWidget* parent) {
    switch (designType) {
    case kDesignSimplePm:
        return new CSimplePmEditor(filter, host, parent);
    case kDesignAdvancedPm:
        return new CAdvancedPmEditor(filter, host, parent);
    case kDesignWinSinc:
        return new CWindowedSincEditor(filter, host, parent);
    case kDesignRaisedCos:
        return new CRaisedCosEditor(filter, host, parent);
    case kDesignImport:
        return new CImportEditor(filter, host, parent);
    case kDesignLthBand:
        return new CNyquistEditor(filter, host, parent);
    case kDesignMaxflat:
        return new CMaxflatEditor(filter, host, parent);
    case kDesignCic:
        return new CCicEditor(filter, host, parent);
    default:
        return nullptr;
    }
}
} // namespace

CFirEditor* CreateFirEditor(int designType, CFirData& filter, CHost& host, QWidget* parent) {
    CFirEditor* editor = NewEditor(designType, filter, host, parent);
    if (editor) {
        // The document's first hint binds the editor: its fields come from the filter.
        editor->OnUpdate(5);
    }
    return editor;
}
