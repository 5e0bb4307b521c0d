# Folders shared by several modules build each source file found there, so that
# adding a file needs no edit here.

# tessel_glob_library(NAME DIR [EXCLUDE FILE...]): a static library of
# DIR/*.cpp but the excluded files.
function(tessel_glob_library name dir)
  cmake_parse_arguments(G "" "" "EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  foreach(file ${G_EXCLUDE})
    list(REMOVE_ITEM sources ${dir}/${file})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# tessel_glob_programs(DIR SUFFIX LIBS...): one program per DIR/*SUFFIX.cpp.
function(tessel_glob_programs dir suffix)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*${suffix}.cpp)
  foreach(src ${sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARGN})
  endforeach()
endfunction()

# tessel_glob_tests(DIR LIBS...): one GoogleTest program per DIR/*_test.cpp.
function(tessel_glob_tests dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*_test.cpp)
  foreach(src ${sources})
    get_filename_component(name ${src} NAME_WE)
    tessel_add_test(${name} SOURCES ${src} LIBS ${ARGN})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  endforeach()
endfunction()
