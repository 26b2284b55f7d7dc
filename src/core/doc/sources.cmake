set(CORE_DOC_SOURCES
    dialog_settings.cpp
    fir_doc.cpp
    preferences.cpp
    project_file.cpp
    project_templates.cpp
)
