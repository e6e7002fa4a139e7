# Each fuzz target as a plain test over its committed corpus, in the normal
# build (and under the sanitizers when QUARVEL_SANITIZE is on): a small main
# feeds every corpus file to the target.

foreach(target engine plan)
  add_executable(${target}_replay ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cpp ${CMAKE_CURRENT_LIST_DIR}/replay.cpp)
  target_link_libraries(${target}_replay PRIVATE quarvel_engine)
  add_test(NAME fuzz.${target}-corpus COMMAND ${target}_replay ${CMAKE_CURRENT_LIST_DIR}/corpus/${target})
endforeach()
# Plans are read with Qt's JSON classes.
foreach(target engine plan)
  target_sources(${target}_replay PRIVATE ${PROJECT_SOURCE_DIR}/src/app/planfile.cpp)
  target_link_libraries(${target}_replay PRIVATE quarvel_files)
endforeach()
