list(APPEND NUCLEO
  ${AQUI}/tablas.h ${AQUI}/tablas.cpp
)
