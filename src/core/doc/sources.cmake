set(CORE_DOC_SOURCES
    data_view_text.cpp
    dialog_settings.cpp
    preferences.cpp
    project_file.cpp
    project_templates.cpp
)
