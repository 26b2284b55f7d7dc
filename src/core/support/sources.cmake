set(CORE_SUPPORT_SOURCES
    archive.cpp
    format_number.cpp
    host.cpp
    paths.cpp
    scripted_host.cpp
    version.cpp
)
