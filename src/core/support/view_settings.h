#pragma once

// What a project keeps for its views: the colour of the filter's response curves, a colour
// reference 0x00BBGGRR. The project file holds it among the filter's sections.
struct SViewSettings {
    static constexpr int kDefaultCurveColor = 255;

    int m_nCurveColor = kDefaultCurveColor;

    bool operator==(const SViewSettings&) const = default;
};
