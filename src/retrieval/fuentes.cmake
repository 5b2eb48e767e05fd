# sources of src/retrieval
list(APPEND VENTANAS ${AQUI}/descarga.cpp)
list(APPEND VENTANAS ${AQUI}/informe.cpp ${AQUI}/mensaje.cpp)
list(APPEND VENTANAS ${AQUI}/Infor.h ${AQUI}/Infor.cpp)
list(APPEND NUCLEO ${AQUI}/escaner.h ${AQUI}/escaner.cpp)
list(APPEND VENTANAS ${AQUI}/analizadatos.cpp)
