#pragma once

class QPrinter;
class QWidget;

// The page setup shared by every printout of the program (File > "P&rint Setup..."): the
// printer and the page layout chosen last, landscape until the user chooses otherwise.
void ApplyPageSetup(QPrinter& printer);
// Shows the page setup dialog; the choice applies to every later printout. False on Cancel.
bool EditPageSetup(QWidget* parent);
