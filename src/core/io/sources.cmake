set(CORE_IO_SOURCES
    data_file_reader.cpp
    data_file_writer.cpp
    file_formats.cpp
    io_messages.cpp
    number_text.cpp
    wave_header.cpp
)
