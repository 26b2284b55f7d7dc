#pragma once

#include "doc/doc_view.h"

#include <vector>

class CFirDoc;

// The views a project's commands open. Each asks the document's view owner for the window, then
// the document titles the filter's data and sends the hint.

// The coefficient, impulse-response and frequency-response windows, reused when one is open.
void ShowCoefficientView(CFirDoc& doc);
void ShowImpulseView(CFirDoc& doc);
void ShowFrequencyView(CFirDoc& doc);
// The toolbar's forms of the first two, with the shorter titles.
void ShowCoefficientViewTool(CFirDoc& doc);
void ShowImpulseViewTool(CFirDoc& doc);
// View > Specifications: the project's editor, then the new-document hints.
void ShowSpecifications(CFirDoc& doc);

// One item of the View menu that opens a new window.
struct SViewMenuItem {
    const char* name; // the command line's word, e.g. "magnitude-complex"
    EViewKind kind;
    const char* title;
    int hint;
    bool needsComplex; // enabled only for a complex filter (else: only with coefficients)
};
const std::vector<SViewMenuItem>& ViewMenuItems();
// Opens the item's new window; false (nothing opened) when the item is disabled.
bool OpenMenuView(CFirDoc& doc, const SViewMenuItem& item);
