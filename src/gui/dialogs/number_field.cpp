#include "dialogs/number_field.h"

#include "support/field_exchange.h"

#include <cstdio>

CNumberField::CNumberField(QWidget* parent) : QLineEdit(parent) {
    setMaximumWidth(140);
}

void CNumberField::SetDouble(double value) {
    // As many digits as a double needs, without trailing zeros.
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    setText(QString::fromLatin1(text));
}

void CNumberField::SetInt(int value) {
    setText(QString::number(value));
}

bool CNumberField::Refused() {
    setFocus();
    selectAll();
    return false;
}

bool CNumberField::ReadDouble(double& value, CHost& host) {
    return ExchangeDouble(text().toStdString(), value, host) || Refused();
}

bool CNumberField::ReadInt(int& value, CHost& host) {
    return ExchangeInt(text().toStdString(), value, host) || Refused();
}
