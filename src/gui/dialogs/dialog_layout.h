#pragma once

#include <QString>

#include <string>

class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QGridLayout;
class QLabel;
class QLayout;
class QWidget;

// Small layout helpers shared by the dialogs: every field gets its caption as a buddy label and
// as its accessible name, so screen readers and tests find it by the caption.

// Adds "caption field" as a row of a form; returns the label.
QLabel* AddCaptionedRow(QFormLayout* form, const QString& caption, QWidget* field);
// A label for field at (row, column) of a grid, the field in the next column.
QLabel* AddCaptionedCell(QGridLayout* grid, int row, int column, const QString& caption,
                         QWidget* field);
// Gives field the caption (without its "&" marker and trailing ":") as its accessible name.
void NameAfterCaption(QWidget* field, const QString& caption);
// OK and Cancel buttons wired to accept() and reject(), added to layout.
QDialogButtonBox* AddOkCancel(QDialog* dialog, QLayout* layout);

// Text between the core's 8-bit strings and Qt.
inline QString ToQ(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string ToStd(const QString& s) {
    return s.toStdString();
}
