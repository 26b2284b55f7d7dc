set(CORE_HDL_SOURCES
    hdl_export.cpp
    hdl_plan.cpp
    test_vectors.cpp
    verilog_writer.cpp
)
