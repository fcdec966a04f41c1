# cmake -DFOLDER=<folder> -P PpmToPng.cmake: turns every .ppm in the folder
# into a .png beside it (ImageMagick's mogrify) and removes the .ppm.  One
# mogrify for all of them: a convert for each picture costs far more in
# starting ImageMagick than in the pictures themselves.
file(GLOB pictures ${FOLDER}/*.ppm)
if(pictures)
  execute_process(COMMAND mogrify -format png ${pictures} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "mogrify failed in ${FOLDER}")
  endif()
  file(REMOVE ${pictures})
endif()
