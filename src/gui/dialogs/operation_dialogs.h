#pragma once

#include <string>

class CFs;
class CHost;
class QWidget;
struct CCombFillSettings;
struct CGenerateSettings;
struct CScaleSettings;
struct CWindowSettings;
struct SMixSettings;

// The dialogs of the coefficient operations. Each opens with the values it is given (the
// document's remembered values) and writes them back only on OK (true). A field that does not
// hold a number keeps the dialog open; the checks of the values are the command's, which shows
// the dialog again after a refusal.

// "Scale Filter"; unitText is the sampling-frequency unit shown beside the frequency.
bool RunScaleDialog(QWidget* parent, CScaleSettings& settings, const std::string& unitText,
                    CHost& host);
// "Window Filter Coefficients".
bool RunWindowDialog(QWidget* parent, CWindowSettings& settings, CHost& host);
// "Mix Filter".
bool RunMixDialog(QWidget* parent, SMixSettings& settings, CHost& host);
// "Fill Coefficients With Constant".
bool RunCombFillDialog(QWidget* parent, CCombFillSettings& settings, CHost& host);
// "Waveform Generator".
bool RunGenerateDialog(QWidget* parent, CGenerateSettings& settings, CHost& host);
// "Set Minimum Decibels".
bool RunMinDbDialog(QWidget* parent, double& minDb, CHost& host);
// "Set Sampling Frequency": value and unit.
bool RunSampRateDialog(QWidget* parent, CFs& fs, CHost& host);

struct CPolyphaseSettings;
struct CQuantizeSettings;
struct CTruncateSettings;
struct CZeroPadSettings;
struct SConvolveChoice;

// "Quantize": the two search algorithms and the search grid only for the inphase part.
bool RunQuantizeDialog(QWidget* parent, CQuantizeSettings& settings, CHost& host);
// "Truncate".
bool RunTruncateDialog(QWidget* parent, CTruncateSettings& settings, CHost& host);
// "Select Polyphase Filter".
bool RunPolyphaseDialog(QWidget* parent, CPolyphaseSettings& settings, CHost& host);
// "Zero-Stuff and Zero-Pad".
bool RunZeroPadDialog(QWidget* parent, CZeroPadSettings& settings, CHost& host);
// "Convolve": the project chosen from the titles (choice.selected, -1 when none is selected).
bool RunConvolveDialog(QWidget* parent, SConvolveChoice& choice, CHost& host);
