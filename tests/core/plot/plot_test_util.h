#pragma once

#include "plot/plot.h"

using CFixedMeasurer = CEstimatedTextMeasurer;
