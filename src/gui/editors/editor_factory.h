#pragma once

class CCommandDialogs;
class CFirDoc;
class CFirEditor;
class QWidget;

// The editor of a design type (0 Simple PM .. 7 CIC) as a view of doc, registered with it (which
// sets the document's design type) and filled from its filter; nullptr for a type without an
// editor. Its document commands (design options, after-design step, sampling frequency,
// import, fill) run through dialogs. Its PreferredSize is the size of the project window's
// upper pane. Deleting the editor unregisters it.
CFirEditor* CreateFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs,
                            QWidget* parent = nullptr);
