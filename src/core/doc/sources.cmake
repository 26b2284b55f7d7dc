set(CORE_DOC_SOURCES
    dialog_settings.cpp
    preferences.cpp
    project_file.cpp
    project_templates.cpp
)
