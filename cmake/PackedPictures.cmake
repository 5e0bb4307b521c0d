# tessel_pack_pictures(TARGET ID...): packs res/art/bitmap<ID>.bmp without loss
# (tools/pack_picture.py) into the build tree, where TARGET's resource script
# finds them as packed/bitmap<ID>.pkd. Packed when CMake configures; a changed
# picture or packer configures again.
function(tessel_pack_pictures target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(out ${CMAKE_BINARY_DIR}/res)
  set(packer ${PROJECT_SOURCE_DIR}/tools/pack_picture.py)
  file(MAKE_DIRECTORY ${out}/packed)
  set(packed)
  foreach(id ${ARGN})
    set(picture ${PROJECT_SOURCE_DIR}/res/art/bitmap${id}.bmp)
    set(file ${out}/packed/bitmap${id}.pkd)
    execute_process(COMMAND ${Python3_EXECUTABLE} ${packer} ${picture} ${file}.new RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "packing ${picture} failed")
    endif()
    # An unchanged picture keeps its date, so configuring again relinks nothing.
    file(COPY_FILE ${file}.new ${file} ONLY_IF_DIFFERENT)
    file(REMOVE ${file}.new)
    list(APPEND packed ${file})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${picture})
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${packer})
  target_include_directories(${target} PRIVATE ${out})
  set_source_files_properties(${PROJECT_SOURCE_DIR}/res/tessel.rc PROPERTIES OBJECT_DEPENDS "${packed}")
endfunction()
