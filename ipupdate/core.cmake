# core.cmake
