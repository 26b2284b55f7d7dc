set(CORE_IO_SOURCES
    code_export_options.cpp
    format_options.cpp
)
