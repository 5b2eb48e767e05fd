# sources of src/statistics
list(APPEND NUCLEO ${AQUI}/frecuencias.h ${AQUI}/frecuencias.cpp)
list(APPEND NUCLEO ${AQUI}/estadisticas.h ${AQUI}/estadisticas.cpp)
list(APPEND VENTANAS ${AQUI}/graficofrecuencias.h ${AQUI}/graficofrecuencias.cpp)
list(APPEND VENTANAS ${AQUI}/pestanaestadisticas.cpp ${AQUI}/filtros.cpp)
list(APPEND VENTANAS ${AQUI}/resumensorteos.cpp)
