# Adds every immediate subfolder of `dir` that has a CMakeLists.txt, in name order, so that each
# subsystem keeps its tests, tools, benchmarks and fuzz targets in a folder of its own.
function(kestrane_add_subfolders dir)
  file(GLOB children RELATIVE ${dir} CONFIGURE_DEPENDS ${dir}/*/CMakeLists.txt)
  list(SORT children)
  foreach(child ${children})
    get_filename_component(sub ${child} DIRECTORY)
    add_subdirectory(${dir}/${sub})
  endforeach()
endfunction()
