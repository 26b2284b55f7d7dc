#pragma once

#include "doc/doc_view.h"

#include <string>
#include <vector>

class CFirDoc;

// The views a project's commands open. Each asks the document's view owner for the window, then
// the document titles the filter's data and sends the notice.

// The coefficient, impulse-response and frequency-response windows, reused when one is open.
void ShowCoefficientView(CFirDoc& doc);
void ShowImpulseView(CFirDoc& doc);
void ShowFrequencyView(CFirDoc& doc);
// The toolbar's forms of the first two, with the shorter titles.
void ShowCoefficientViewTool(CFirDoc& doc);
void ShowImpulseViewTool(CFirDoc& doc);
// View > Specifications: the project's editor, then the new-document notices.
void ShowSpecifications(CFirDoc& doc);

// One item of the View menu that opens a new window.
struct SViewMenuItem {
    const char* name; // the command line's word, e.g. "magnitude-complex"
    EViewKind kind;
    const char* title;
    SChangeNotice notice; // what the new window binds to
    bool needsComplex;    // enabled only for a complex filter (else: only with coefficients)
    const char* submenu;  // the submenus holding the item, outermost first, separated by '/'
                          // ("": the View menu itself)
    const char* caption;  // the item's text in its submenu
};
const std::vector<SViewMenuItem>& ViewMenuItems();
// The item of a command-line word; nullptr for an unknown word.
const SViewMenuItem* FindViewMenuItem(const std::string& name);
// The items of the coefficient view's shorter "Frequency Response" submenu, with their captions
// there.
struct SShortViewMenuItem {
    const SViewMenuItem* item;
    const char* caption;
};
const std::vector<SShortViewMenuItem>& CoefficientViewFrequencyItems();
bool IsViewItemEnabled(const CFirDoc& doc, const SViewMenuItem& item);
// Opens the item's new window; false (nothing opened) when the item is disabled.
bool OpenMenuView(CFirDoc& doc, const SViewMenuItem& item);
