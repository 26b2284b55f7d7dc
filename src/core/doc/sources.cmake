set(CORE_DOC_SOURCES
    dialog_settings.cpp
    project_file.cpp
)
