set(CORE_DOC_SOURCES
    dialog_settings.cpp
    fir_doc.cpp
    project_file.cpp
)
