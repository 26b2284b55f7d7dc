#include "editors/editor_factory.h"

#include "design/design_types.h"
#include "doc/fir_doc.h"
#include "editors/advanced_pm_editor.h"
#include "editors/cic_editor.h"
#include "editors/import_editor.h"
#include "editors/maxflat_editor.h"
#include "editors/nyquist_editor.h"
#include "editors/raised_cos_editor.h"
#include "editors/simple_pm_editor.h"
#include "editors/windowed_sinc_editor.h"

namespace {
CFirEditor* NewEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent) {
    switch (designType) {
    case kDesignSimplePm:
        return new CSimplePmEditor(doc, dialogs, parent);
    case kDesignAdvancedPm:
        return new CAdvancedPmEditor(doc, dialogs, parent);
    case kDesignWinSinc:
        return new CWindowedSincEditor(doc, dialogs, parent);
    case kDesignRaisedCos:
        return new CRaisedCosEditor(doc, dialogs, parent);
    case kDesignImport:
        return new CImportEditor(doc, dialogs, parent);
    case kDesignLthBand:
        return new CNyquistEditor(doc, dialogs, parent);
    case kDesignMaxflat:
        return new CMaxflatEditor(doc, dialogs, parent);
    case kDesignCic:
        return new CCicEditor(doc, dialogs, parent);
    default:
        return nullptr;
    }
}
} // namespace

CFirEditor* CreateFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs,
                            QWidget* parent) {
    CFirEditor* editor = NewEditor(designType, doc, dialogs, parent);
    if (editor) {
        // The fields show the filter at once; the document's first binding notice still binds.
        editor->LoadSpecs();
        editor->ShowSampleRate();
    }
    return editor;
}
