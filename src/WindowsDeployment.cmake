# What the Windows program needs beside gipfelfluss.exe, installed with it
# (cmake --install): the DLLs that it, its modules and Qt's plugins load,
# found by CMake's analysis of their imports (the cross objdump reads them);
# Qt's plugins for the windows platform, the Windows style and .ico images;
# Qt's German translations; and qt.conf, which tells Qt they are there.

# Where the DLLs are: Qt's and the other libraries' (toolchain.sh's folder),
# the compiler's C++ runtime, and mingw-w64's (libwinpthread).
get_target_property(qt_core Qt6::Core IMPORTED_LOCATION_RELEASE)
cmake_path(GET qt_core PARENT_PATH qt_bin)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE cxx_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
cmake_path(GET cxx_runtime PARENT_PATH cxx_runtime)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE threads_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
cmake_path(GET threads_runtime PARENT_PATH threads_runtime)
# The folders with the program's DLLs, also for its tests under Wine (WINEPATH).
set(GIPFELFLUSS_WINDOWS_DLL_FOLDERS ${qt_bin} ${cxx_runtime} ${threads_runtime} CACHE INTERNAL "")

set(plugins platforms Qt6::QWindowsIntegrationPlugin styles Qt6::QWindowsVistaStylePlugin imageformats Qt6::QICOPlugin)
set(plugin_files)
while(plugins)
  list(POP_FRONT plugins folder plugin)
  install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
  list(APPEND plugin_files $<TARGET_FILE:${plugin}>)
endwhile()

install(FILES /usr/share/qt6/translations/qtbase_de.qm DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

# Only DLLs that come with the program are copied: Windows' own (KERNEL32,
# USER32, the api-ms-win sets, ...) are on every Windows. CMake looks for the
# DLLs by their names in lower case, which a Linux file system tells apart
# from "Qt6Core.dll": it looks among links of such names to them.
install(CODE "
  set(names ${CMAKE_CURRENT_BINARY_DIR}/dll-names)
  file(REMOVE_RECURSE \${names})
  file(MAKE_DIRECTORY \${names})
  foreach(folder ${GIPFELFLUSS_WINDOWS_DLL_FOLDERS})
    file(GLOB dlls \${folder}/*.dll)
    foreach(dll \${dlls})
      get_filename_component(name \${dll} NAME)
      string(TOLOWER \${name} name)
      file(CREATE_LINK \${dll} \${names}/\${name} SYMBOLIC)
    endforeach()
  endforeach()
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${CMAKE_OBJDUMP})
  file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES $<TARGET_FILE:gipfelfluss> $<TARGET_FILE:gipfelfluss_console>
    MODULES $<TARGET_FILE:gipfelfluss_window_module> $<TARGET_FILE:gipfelfluss_workbook_module>
            $<TARGET_FILE:gipfelfluss_print_module> ${plugin_files}
    DIRECTORIES \${names}
    PRE_INCLUDE_REGEXES [[^(lib|qt6|zlib)[^/\\\\]*\\.dll$]]
    PRE_EXCLUDE_REGEXES [[.*]]
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR missing)
  if(missing)
    message(FATAL_ERROR \"DLLs of the program not found: \${missing}\")
  endif()
  foreach(dll \${found})
    file(REAL_PATH \${dll} dll)
    file(INSTALL \${dll} DESTINATION \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
  endforeach()
")
