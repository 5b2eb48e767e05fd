# sources of src/statistics
list(APPEND NUCLEO ${AQUI}/frecuencias.h ${AQUI}/frecuencias.cpp)
