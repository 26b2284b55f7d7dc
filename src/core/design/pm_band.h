#pragma once

// One band of the Parks-McClellan band list: edges as fractions of Fs, the desired linear gain
// (0: a stopband), the attenuation factor 1/delta (also the band's weight) and the stopband
// weight (1.0: none, the attenuation factor weighs the band).
struct SPmBand {
    double lower = 0.0;
    double upper = 0.0;
    double desired = 0.0;
    double attn = 0.0;
    // Older files hold no stopband weight: the neutral 1.0, never 0.0, which would silence the
    // stopband when the stored design is run again.
    double stopWeight = 1.0;

    bool IsPassband() const { return desired > 0.0; }

    // The band as the project file holds it.
    template <class Fields, class Self> static void DescribeFields(Fields& f, Self& s) {
        f.Double(s.lower);
        f.Double(s.upper);
        f.Double(s.desired);
        f.Double(s.attn);
        f.Double(s.stopWeight, 10);
    }
};
