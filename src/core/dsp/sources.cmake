set(CORE_DSP_SOURCES
    fft.cpp
)
