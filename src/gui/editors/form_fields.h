#pragma once

#include <QString>
#include <QStringList>

class QAbstractButton;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The number reader of the forms: what "%lf" takes from the text, 0 for text without digits.
double ReadDouble(const QLineEdit* edit);
// The integer the text begins with, 0 for text without digits.
int ReadInt(const QLineEdit* edit);
// Shows a value with up to 15 significant digits.
void WriteDouble(QLineEdit* edit, double value);
void WriteInt(QLineEdit* edit, int value);

// A number field with its caption as buddy label (which also names it for screen readers)
// placed in row of grid: the caption in column col, the field in col + 1 and, when unit is
// given, that label after it.
QLineEdit* AddNumberField(QGridLayout* grid, int row, int col, const QString& caption,
                          QLabel* unit = nullptr, const QString& objectName = {});
// A field named name for the code and accessible for screen readers (its caption stands beside
// it as a radio button or group title).
QLineEdit* NewField(const char* name, const QString& accessible);
// A check box with its caption as its accessible name unless accessible is given.
class QCheckBox;
QCheckBox* NewCheck(const QString& caption, const char* name, const QString& accessible = {});
// Sets a label's text and the accessible name of the field it is the buddy of.
void SetCaption(QLabel* label, const QString& caption);
// A button with its caption as its accessible name.
void NameButton(QAbstractButton* button);

class QButtonGroup;
class QBoxLayout;
// Radio buttons with the given captions, ids 0.., placed in layout; the first is checked.
QButtonGroup* AddRadios(QBoxLayout* layout, const QStringList& captions, const QString& name);
