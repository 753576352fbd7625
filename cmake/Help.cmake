# The compiled help files that the help button opens, built from the pages in help/ and put
# beside Tidewrack.exe: German and English.
find_program(TIDEWRACK_CHMCMD chmcmd)
if(NOT TIDEWRACK_CHMCMD)
    message(FATAL_ERROR "chmcmd (Debian package fp-utils) builds the help files: run scripts/setup.sh")
endif()

set(TIDEWRACK_HELP_FILES)
foreach(language de en)
    if(language STREQUAL de)
        set(chm "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Tidewrack Hilfedatei.chm")
    else()
        set(chm "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Tidewrack Helper.chm")
    endif()
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/${language}/*
                                        ${CMAKE_SOURCE_DIR}/help/shared/*)
    add_custom_command(OUTPUT ${chm}
                       COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-help.sh ${CMAKE_SOURCE_DIR}/help/${language}
                               ${CMAKE_SOURCE_DIR}/help/shared ${CMAKE_BINARY_DIR}/help/${language} ${chm}
                       DEPENDS ${sources} ${CMAKE_SOURCE_DIR}/scripts/make-help.sh
                       COMMENT "Compiling the ${language} help file")
    list(APPEND TIDEWRACK_HELP_FILES ${chm})
endforeach()
add_custom_target(helpfiles ALL DEPENDS ${TIDEWRACK_HELP_FILES})
