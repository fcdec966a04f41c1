# Checks the build folder's link to the source tree's resources: it must
# name them relative to itself, so that a copied or moved tree (build folder
# inside) reaches its own resources and not the original tree's.
#   cmake -DBUILD_DIR=… -DSOURCE_DIR=… -P resources_link_test.cmake
set(link ${BUILD_DIR}/resources)
if(NOT IS_SYMLINK ${link})
  message(FATAL_ERROR "${link} is not a link")
endif()
file(READ_SYMLINK ${link} target)
if(IS_ABSOLUTE "${target}")
  message(FATAL_ERROR "${link} names '${target}', an absolute path a moved tree would still reach")
endif()
file(REAL_PATH ${BUILD_DIR}/${target} reached)
file(REAL_PATH ${SOURCE_DIR}/resources expected)
if(NOT reached STREQUAL expected)
  message(FATAL_ERROR "${link} reaches '${reached}', not '${expected}'")
endif()
message(STATUS "${link} -> ${target}")
