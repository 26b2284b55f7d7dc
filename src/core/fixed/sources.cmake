set(CORE_FIXED_SOURCES
    fixed_messages.cpp
    fixed_point_filter.cpp
    fixed_word.cpp
)
