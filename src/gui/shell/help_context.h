#pragma once

#include <QString>

class QWidget;

// The help page of a widget with the focus: the page of the editor, dialog or view it belongs
// to; the contents page when none applies.
QString HelpTopicOfWidget(const QWidget* widget);
