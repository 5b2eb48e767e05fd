# sources of src/statistics
list(APPEND NUCLEO ${AQUI}/frecuencias.h ${AQUI}/frecuencias.cpp)
list(APPEND NUCLEO
  ${AQUI}/textos.h ${AQUI}/textos.cpp
  ${AQUI}/disenoinforme.h ${AQUI}/disenoinforme.cpp
)
list(APPEND VENTANAS
  ${AQUI}/pintainforme.h ${AQUI}/pintainforme.cpp
  ${AQUI}/motorinforme.h ${AQUI}/motorinforme.cpp
  ${AQUI}/VentanaInforme.h ${AQUI}/VentanaInforme.cpp
  ${AQUI}/informes.cpp
  ${AQUI}/resumensorteos.cpp
)
list(APPEND NUCLEO ${AQUI}/estadisticas.h ${AQUI}/estadisticas.cpp)
list(APPEND VENTANAS ${AQUI}/graficofrecuencias.h ${AQUI}/graficofrecuencias.cpp)
list(APPEND VENTANAS ${AQUI}/pestanaestadisticas.cpp ${AQUI}/filtros.cpp)
list(APPEND NUCLEO ${AQUI}/clasificacion.h ${AQUI}/clasificacion.cpp)
list(APPEND VENTANAS ${AQUI}/generador.cpp ${AQUI}/masfrecuentes.cpp)
