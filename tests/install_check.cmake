# Installs the build into a fresh folder and checks what a package holds: the programs, the
# help, the examples, the desktop entry, the icon and the file type; the installed tool then
# reads an installed example. Run by ctest with -DBUILD=<build tree> -DOUT=<scratch folder>.
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${OUT}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/velmor bin/velmor-cli share/velmor/help/contexts.tsv
             share/velmor/examples/portique-simple.vlm share/applications/velmor.desktop
             share/icons/hicolor/scalable/apps/velmor.svg share/mime/packages/velmor.xml)
    if(NOT EXISTS "${OUT}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
file(READ "${OUT}/share/applications/velmor.desktop" desktop)
if(NOT desktop MATCHES "MimeType=application/x-velmor;" OR NOT desktop MATCHES "Exec=velmor %f")
    message(FATAL_ERROR "the desktop entry does not open structure files")
endif()
execute_process(COMMAND "${OUT}/bin/velmor-cli" info "${OUT}/share/velmor/examples/portique-simple.vlm"
                RESULT_VARIABLE read OUTPUT_VARIABLE info)
if(NOT read EQUAL 0 OR NOT info MATCHES "problem type: 2")
    message(FATAL_ERROR "the installed tool does not read an installed example: ${info}")
endif()
file(REMOVE_RECURSE "${OUT}")
