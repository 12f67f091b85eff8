# program.cmake
