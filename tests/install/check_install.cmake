# Installs the build into a fresh prefix and checks the desktop integration files: they exist,
# the desktop entry opens a file with the program and names the project type, and the MIME
# database tools accept the type (when they are installed).
#   cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(desktop "${PREFIX}/share/applications/corvifir.desktop")
set(mime "${PREFIX}/share/mime/packages/corvifir.xml")
foreach(f bin/corvifir bin/corvifir-cli share/applications/corvifir.desktop
          share/mime/packages/corvifir.xml share/icons/hicolor/scalable/apps/corvifir.svg
          share/icons/hicolor/scalable/mimetypes/application-x-corvifir-project.svg)
    if(NOT EXISTS "${PREFIX}/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()

file(READ "${desktop}" entry)
foreach(line "Exec=corvifir %f" "Icon=corvifir" "MimeType=application/x-corvifir-project;")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "desktop entry lacks '${line}'")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate refused the desktop entry")
    endif()
endif()

find_program(XMLLINT xmllint)
if(XMLLINT)
    foreach(f "${mime}" "${PREFIX}/share/icons/hicolor/scalable/apps/corvifir.svg")
        execute_process(COMMAND "${XMLLINT}" --noout "${f}" RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "not well-formed XML: ${f}")
        endif()
    endforeach()
endif()

# The MIME database compiled from the package must map each project extension to the type.
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
    execute_process(COMMAND "${UPDATE_MIME_DATABASE}" "${PREFIX}/share/mime"
                    RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "update-mime-database refused the MIME package")
    endif()
    file(READ "${PREFIX}/share/mime/globs2" globs)
    foreach(ext cfp cfa cfs)
        string(FIND "${globs}" "application/x-corvifir-project:*.${ext}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "the MIME database does not map *.${ext}")
        endif()
    endforeach()
endif()
message(STATUS "installed desktop integration checked in ${PREFIX}")
