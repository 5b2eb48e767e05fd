#pragma once
// The rows both result lists begin a block with.
#include <QString>

namespace plataforma {
class ListView;
}

namespace comprobacion {

// A spacer, the header "PEÑA " and the name, and the draw's date row, after the last row `fila`
// of a list whose bets have `numeros` columns (the texts go in the column after them); `fila`
// ends on the date row.
void cabeceraBloque(plataforma::ListView& lista, int& fila, int numeros, const QString& nombre,
                    const QString& lineaFecha);

}  // namespace comprobacion
