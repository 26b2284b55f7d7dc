set(CORE_DOC_SOURCES
    data_view_text.cpp
    dialog_settings.cpp
    fir_doc.cpp
    preferences.cpp
    project_file.cpp
    project_templates.cpp
)
