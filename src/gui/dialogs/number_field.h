#pragma once

#include <QLineEdit>

class CHost;

// A number field of a dialog. Reading it on OK uses the core's field exchange: text that is not
// a number is refused with the standard message and the field
// takes the focus with its text selected.
class CNumberField : public QLineEdit {
public:
    explicit CNumberField(QWidget* parent = nullptr);

    void SetDouble(double value);
    void SetInt(int value);
    bool ReadDouble(double& value, CHost& host);
    bool ReadInt(int& value, CHost& host);

private:
    bool Refused();
};
