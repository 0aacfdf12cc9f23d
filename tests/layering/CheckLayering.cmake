# Builds each layering probe (see tests/CMakeLists.txt) and checks the outcome: a probe named
# "allowed_*" must compile; every other probe must fail because its header is not found.
# Run as: cmake -DBUILD_DIR=<build> -DPROBES=<name=header,...> -P CheckLayering.cmake
string(REPLACE "," ";" probes "${PROBES}")
set(failures "")
foreach(probe IN LISTS probes)
  string(REPLACE "=" ";" parts "${probe}")
  list(GET parts 0 name)
  list(GET parts 1 header)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layering_probe_${name}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(name MATCHES "^allowed_")
    if(NOT result EQUAL 0)
      string(APPEND failures "${name}: including ${header} should compile:\n${output}\n")
    endif()
  elseif(result EQUAL 0)
    string(APPEND failures "${name}: including ${header} compiled, but that library may not use it\n")
  # GCC says "No such file", clang "file not found".
  elseif(NOT output MATCHES "${header}: No such file" AND NOT output MATCHES "'${header}' file not found")
    string(APPEND failures "${name}: failed for another reason than the missing ${header}:\n${output}\n")
  else()
    message(STATUS "${name}: ${header} refused, as it should be")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
