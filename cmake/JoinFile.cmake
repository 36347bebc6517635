# Joins the parts of a file kept as one part per subject (in name order) into the one file the
# program reads, such as the help file.
# cmake -DOUTPUT=<file> -DPARTS=<part;part;...> -P JoinFile.cmake
cmake_minimum_required(VERSION 3.25)

set(text "")
foreach(part IN LISTS PARTS)
  file(READ ${part} body)
  if(NOT body MATCHES "\n$")
    string(APPEND body "\n")
  endif()
  string(APPEND text "${body}")
endforeach()
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
