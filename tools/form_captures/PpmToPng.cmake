# cmake -DFOLDER=<folder> -P PpmToPng.cmake: turns every .ppm in the folder
# into a .png beside it (ImageMagick's convert) and removes the .ppm.
file(GLOB pictures ${FOLDER}/*.ppm)
foreach(ppm IN LISTS pictures)
  string(REGEX REPLACE "\\.ppm$" ".png" png ${ppm})
  execute_process(COMMAND convert ${ppm} ${png} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "convert failed for ${ppm}")
  endif()
  file(REMOVE ${ppm})
endforeach()
