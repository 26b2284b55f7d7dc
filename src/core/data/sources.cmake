set(CORE_DATA_SOURCES
    corvi_data.cpp
    data_column.cpp
    data_set.cpp
    data_set_io.cpp
    sampling_frequency.cpp
)
