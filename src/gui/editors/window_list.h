#pragma once

class QComboBox;

// Fills a window list with the window captions from the window code first on ("None" is
// code 0, "Dolph-Chebyshev" code 1, ...).
void FillWindowList(QComboBox* list, int first);
