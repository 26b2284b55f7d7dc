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
// document's remembered values), checks them on OK with the core's rules (a refusal shows its
// message and keeps the dialog open unless said otherwise) and writes them back only on OK.
// Each returns true when it was accepted.

// "Scale Filter"; unitText is the sampling-frequency unit shown beside the frequency.
bool RunScaleDialog(QWidget* parent, CScaleSettings& settings, const std::string& unitText,
                    CHost& host);
// "Window Filter Coefficients". A refused gamma or alpha shows its message and closes the dialog
// as if cancelled (false), leaving the settings as they were.
bool RunWindowDialog(QWidget* parent, CWindowSettings& settings, CHost& host);
// "Mix Filter" at sampling frequency fs (in its unit); zero values first take their defaults.
bool RunMixDialog(QWidget* parent, SMixSettings& settings, double fs, CHost& host);
// "Fill Coefficients With Constant".
bool RunCombFillDialog(QWidget* parent, CCombFillSettings& settings, CHost& host);
// "Waveform Generator".
bool RunGenerateDialog(QWidget* parent, CGenerateSettings& settings, CHost& host);
// "Set Minimum Decibels".
bool RunMinDbDialog(QWidget* parent, double& minDb, CHost& host);
// "Set Sampling Frequency": value and unit.
bool RunSampRateDialog(QWidget* parent, CFs& fs, CHost& host);
