# sources of src/statistics
list(APPEND NUCLEO ${AQUI}/frecuencias.h ${AQUI}/frecuencias.cpp)
list(APPEND NUCLEO ${AQUI}/clasificacion.h ${AQUI}/clasificacion.cpp)
list(APPEND VENTANAS ${AQUI}/generador.cpp ${AQUI}/masfrecuentes.cpp)
