set(CORE_RESPONSE_SOURCES
    fir_freq_response.cpp
    phase_curves.cpp
    response_evaluator.cpp
    response_value.cpp
    time_response.cpp
)
