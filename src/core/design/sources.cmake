set(CORE_DESIGN_SOURCES
    remez/pm_fir.cpp
    remez/remez_engine.cpp
    remez/remez_messages.cpp
)
