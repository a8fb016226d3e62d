# Compiler settings every target of the project shares, applied per target
# (never globally) so that third-party code keeps its own flags.
function(quorvela_target_settings target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
            # GCC 12 reports the members a designated initializer leaves to
            # their defaults, which is how the layout tables are written.
            target_compile_options(${target} PRIVATE -Wno-missing-field-initializers)
        endif()
        if(QUORVELA_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
    if(WIN32)
        # The wide (UTF-16) Windows API, Windows 7 and later.
        target_compile_definitions(${target} PRIVATE
            UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
        # The same floor in the program's header: subsystem version 6.1
        # (MinGW's default is 4.0 or 5.2), which Windows 7 and later start,
        # Vista and earlier refuse at once, rather than part-way.
        target_link_options(${target} PRIVATE
            LINKER:--major-subsystem-version,6 LINKER:--minor-subsystem-version,1)
    endif()
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
        if(QUORVELA_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    endif()
endfunction()

# Qt-facing targets: no string-based or context-less connections, no implicit
# ASCII conversions.
function(quorvela_qt_settings target)
    quorvela_target_settings(${target})
    target_compile_definitions(${target} PRIVATE
        QT_NO_CONTEXTLESS_CONNECT
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_URL_CAST_FROM_STRING
        QT_NO_KEYWORDS)
endfunction()
