set(CORE_FORMS_SOURCES
    band_table.cpp
    lth_form_fields.cpp
    method_form_rules.cpp
    rsp_list_rules.cpp
)
