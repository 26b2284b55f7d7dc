#pragma once

class CFirData;
class CFirEditor;
class CHost;
class QWidget;

// The editor of a design type (0 Simple PM .. 7 CIC) on the filter, bound and filled from it;
// nullptr for a type without an editor. The shell connects its signals to the document:
// designOptionsRequested, filterDesigned, specChanged, checkPointRequested, and the type's own
// (sampleRateRequested of the band editor, importRequested and boxcarRequested of the import
// editor). Its PreferredSize is the size of the project window's upper pane.
CFirEditor* CreateFirEditor(int designType, CFirData& filter, CHost& host,
                            QWidget* parent = nullptr);
