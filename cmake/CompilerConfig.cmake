# One interface target carries the warning and sanitizer flags; every target links it.
add_library(scriptdesk_options INTERFACE)

if(MSVC)
  target_compile_options(scriptdesk_options INTERFACE /W4 /permissive- /utf-8)
  if(SCRIPTDESK_WERROR)
    target_compile_options(scriptdesk_options INTERFACE /WX)
  endif()
else()
  target_compile_options(scriptdesk_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                      -Wnon-virtual-dtor -Wcast-align)
  if(SCRIPTDESK_WERROR)
    target_compile_options(scriptdesk_options INTERFACE -Werror)
  endif()
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports impossible overlaps in std::string's inlined copies at -O3 (its bug 105329).
    target_compile_options(scriptdesk_options INTERFACE -Wno-restrict)
  endif()
  if(SCRIPTDESK_SANITIZE)
    target_compile_options(scriptdesk_options INTERFACE -fsanitize=address,undefined
                                                        -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(scriptdesk_options INTERFACE -fsanitize=address,undefined)
  endif()
  if(SCRIPTDESK_FUZZ)
    target_compile_options(scriptdesk_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                        -fno-omit-frame-pointer)
    target_link_options(scriptdesk_options INTERFACE -fsanitize=address,undefined)
  endif()
endif()

if(WIN32)
  # A ScriptModel is some 800 KB and the importer keeps one on the stack: Windows' default stack
  # of 1 MB overflows where Linux's 8 MB does not.
  if(MSVC)
    target_link_options(scriptdesk_options INTERFACE /STACK:8388608)
  else()
    target_link_options(scriptdesk_options INTERFACE -Wl,--stack,8388608)
  endif()
endif()
